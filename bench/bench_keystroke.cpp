// Handling time of one keystroke in the practice window near the start and
// near the end of a 5,000-character text.
#include "app/messages.h"
#include "bench/benchsupport.h"
#include "keyboard/keyids.h"
#include "practice/practising.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

namespace {
// Scan code of a character of the practice text (standard Arabic PC layout).
unsigned scanCodeOf(const QString &c)
{
    for (const QString &id : Keys::characterKeyIds())
        if (Keys::caption(Keys::Layer::Plain, id) == c)
            return Keys::scanCodeForKeyId(id);
    return Keys::scanCodeForKeyId(QStringLiteral("R5_5"));
}
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Bench::initApplication();
    // The end of the text asks whether to practise again: answer No.
    Messages::setHandler([](const Messages::Message &) { return QMessageBox::No; });
    Bench::TextOverride text("practising", Keys::practiceTextSource(1), Bench::practiceHtml(5000));
    practising window(true, 1, 0, nullptr);
    window.show();
    QMetaObject::invokeMethod(&window, "on_start_Btn__clicked");
    const auto &lines = window.textLines().characters;
    int total = 0;
    for (const auto &l : lines)
        total += l.size();
    const int sample = 300;
    std::vector<double> start, end;
    int typed = 0;
    QElapsedTimer clock;
    while (window.isRunning() && window.currentLine() < lines.size()) {
        const QString expected = lines[window.currentLine()].value(window.currentColumn());
        const unsigned code = scanCodeOf(expected);
        clock.start();
        window.handleScanCode(code);
        const double ms = clock.nsecsElapsed() / 1e6;
        if (typed < sample)
            start.push_back(ms);
        else if (typed >= total - sample)
            end.push_back(ms);
        ++typed;
        if (typed % 500 == 0)
            QCoreApplication::processEvents();
    }
    const double a = Bench::median(start), b = Bench::median(end);
    printf("keystroke: %d characters in %d lines; median near start %.3f ms, near end %.3f ms, ratio %.2f\n",
           total, int(lines.size()), a, b, a > 0 ? b / a : 0.0);
    return 0;
}
