#include "app/clock.h"
#include "app/translate.h"
#include "keyboard/keyids.h"
#include "lessons/lessons.h"
#include "tests/support/practicedesk.h"
#include "tests/support/screenarea.h"

#include <QAbstractTextDocumentLayout>
#include <QGlyphRun>
#include <QGraphicsEllipseItem>
#include <QTextLayout>
#include <QLCDNumber>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>

// X11 keycodes of the keys used here (PC keyboard, evdev + 8).
static unsigned keycodeOf(const QString &c)
{
    static const QHash<QString, unsigned> codes = {
        {"ت", 44}, {"ن", 45}, {"ب", 41}, {"س", 39}, {"م", 46}, {"ك", 47}, {"ش", 38}, {"ي", 40}, {" ", 65}};
    return codes.value(c);
}

class TestPractising : public QObject
{
    Q_OBJECT
    PracticeDesk desk;
    QPointer<practising> &window = desk.window;
    MessageRecorder &recorder = desk.recorder;
    OverrideTranslator *texts = nullptr;

    void useText(int lesson, const QStringList &lines)
    {
        QString html = "<html><body>";
        for (const QString &l : lines)
            html += "<p align=\"right\"><line>" + l + "</p>";
        texts->set("practising", Keys::practiceTextSource(lesson), html + "</body></html>");
    }
    void open(int first = 1, int last = 0) { desk.open(first, last); }
    QTextBrowser *editor() const { return desk.editor(); }
    QPushButton *button(const char *name) const { return desk.button(name); }
    QLCDNumber *lcd(const char *name) const { return window->findChild<QLCDNumber *>(name); }
    void type(const QString &text)
    {
        for (QChar c : text)
            TestSupport::typeX11(editor(), keycodeOf(c), QString(c));
    }
    // The drawn lines of the text (a long text line wraps), in the viewport's coordinates.
    QVector<QRectF> drawnLines(int *typed = nullptr) const
    {
        auto *view = window->textView();
        QVector<QRectF> lines;
        for (QTextBlock b = view->document()->begin(); b.isValid(); b = b.next()) {
            const QPointF at = view->document()->documentLayout()->blockBoundingRect(b).topLeft();
            const bool current = b.blockNumber() == window->highlighter()->blockOf(window->currentLine());
            for (int l = 0; l < b.layout()->lineCount(); ++l) {
                const QTextLine line = b.layout()->lineAt(l);
                const bool spaced = window->textLines().kinds.value(window->currentLine()) == PracticeText::Spaced;
                const int column = window->currentColumn() * (spaced ? 2 : 1);
                if (typed && current && column >= line.textStart() && column < line.textStart() + line.textLength())
                    *typed = lines.size();
                lines.append(line.rect().translated(at).translated(0, -view->verticalScrollBar()->value()));
            }
        }
        return lines;
    }
    // The drawn line being typed and the one after it are in view; no line is cut at the top.
    QString viewFault() const
    {
        int typed = -1;
        const QVector<QRectF> lines = drawnLines(&typed);
        const QRectF view = window->textView()->viewport()->rect();
        if (typed < 0 || !view.contains(lines[typed]))
            return "the line being typed is not in view";
        if (typed + 1 < lines.size() && !view.contains(lines[typed + 1]))
            return "the next line is not in view";
        for (const QRectF &line : lines)
            if (line.top() < -0.5 && line.bottom() > 0.5)
                return "a line is cut at the top";
        return QString();
    }
    int wrong() const { return window->highlighter()->count(Highlighter::Wrong); }
    int correct() const { return window->highlighter()->count(Highlighter::Correct); }
    QList<QStringList> logRows() const
    {
        return Inspector(Store::usersDbPath).rows("SELECT topic, log1, log2, log3, log4, log5, log6 FROM activitylog");
    }
    // The background the highlighter gave a character of a line; empty blocks hold no line.
    QColor markAt(int line, int position) const
    {
        const int block = window->highlighter()->blockOf(line);
        for (const QTextEdit::ExtraSelection &s : editor()->extraSelections())
            if (s.cursor.block().blockNumber() == block && s.cursor.selectionStart() - s.cursor.block().position() == position)
                return s.format.background().color();
        return QColor();
    }
    void ticks(int count) { while (count-- > 0) window->timercount(); }

private slots:
    void init()
    {
        translate::applyLanguage("AR_en_US"); // Arabic PC layout, English messages
        texts = new OverrideTranslator;
        useText(1, {"تن", "بت سم كن"});
        useText(2, {"شي"});
        desk.reset();
        PracticeSession::current().highestLesson = 33;
        open();
    }
    void cleanup()
    {
        desk.clear();
        delete texts;
    }

    void opensIdleOnTheFirstLesson()
    {
        QCOMPARE(window->findChild<QLabel *>("lessonnumber")->text(), QString("1"));
        QVERIFY(!button("previous_Btn")->isEnabled());
        QVERIFY(!button("stop_Btn")->isEnabled());
        QVERIFY(button("next_Btn")->isEnabled());
        QVERIFY(!window->fingerGuide()->isVisible());
        type("ت"); // before Start
        QCOMPARE(recorder.messages.last().text, QString("Press start button to start training"));
        QCOMPARE(window->currentColumn(), 0);
    }

    void fitsTheScreen_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("available");
        const QRect wide(0, 0, 1280, 800), netbook(0, 0, 1024, 600);
        QTest::newRow("1280 x 800") << "AR_en_US" << wide << QRect(0, 0, 1280, 770);
        QTest::newRow("1024 x 600, panel below") << "AR_en_US" << netbook << QRect(0, 0, 1024, 570);
        QTest::newRow("1024 x 600, panel left, Arabic") << "AR_ar_AR" << netbook << QRect(60, 0, 964, 600);
        QTest::newRow("1024 x 600, Mac, Arabic") << "AR_ar_EG" << netbook << QRect(0, 24, 1024, 576);
    }
    // The window and its guide open side by side inside the work area, at
    // today's size where it has room, every caption whole.
    void fitsTheScreen()
    {
        QFETCH(QString, language);
        QFETCH(QRect, screen);
        QFETCH(QRect, available);
        window->close();
        translate::applyLanguage(language);
        ScreenArea desktop(screen, available);
        open();
        const QRect shown = window->geometry(), guide = window->fingerGuide()->geometry();
        QVERIFY2(available.contains(shown), qPrintable(QString("%1 %2 %3 %4").arg(shown.x()).arg(shown.y()).arg(shown.width()).arg(shown.height())));
        QVERIFY(available.contains(guide));
        QVERIFY(!shown.intersects(guide));
        if (available.height() > 700)
            QCOMPARE(shown.size(), QSize(822, 633));
        for (QLabel *label : window->findChildren<QLabel *>() + window->fingerGuide()->findChildren<QLabel *>())
            if (label->isVisibleTo(label->window())) {
                QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
                QVERIFY2(label->height() >= label->sizeHint().height(), qPrintable(label->text()));
            }
        const QPushButton *weak = button("weak_Btn");
        QVERIFY2(weak->width() >= weak->sizeHint().width(), qPrintable(weak->text()));
        QVERIFY(window->textView()->height() > 3 * window->textView()->fontMetrics().height());
    }

    // Each glyph of a block's layout with where it is drawn, in drawing order.
    static QList<QPair<quint32, int>> glyphsOf(const QTextBlock &block)
    {
        QList<QPair<quint32, int>> glyphs;
        for (int l = 0; l < block.layout()->lineCount(); ++l)
            for (const QGlyphRun &run : block.layout()->lineAt(l).glyphRuns()) {
                const QVector<quint32> indexes = run.glyphIndexes();
                const QVector<QPointF> at = run.positions();
                for (int i = 0; i < indexes.size(); ++i)
                    glyphs.append({indexes[i], qRound(at[i].x())});
            }
        std::sort(glyphs.begin(), glyphs.end(), [](const QPair<quint32, int> &a, const QPair<quint32, int> &b) {
            return a.second != b.second ? a.second < b.second : a.first < b.first;
        });
        return glyphs;
    }

    void marksKeepTheShaping_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("typed");
        QTest::newRow("PC, inside a word") << "AR_ar_AR" << "كبير بيت سمك" << 2;
        QTest::newRow("PC, hamza and madda") << "AR_ar_AR" << "أسافر إلى آبار" << 3;
        QTest::newRow("Mac, after a space") << "AR_ar_EG" << "كبير بيت سمك" << 6;
    }
    // A marked line is laid out with the glyphs of the same line unmarked and drawn
    // with the same letter shapes: the current, correct and wrong characters stay
    // joined to their word, and no mark hides its letter.
    void marksKeepTheShaping()
    {
        QFETCH(QString, language);
        QFETCH(QString, line);
        QFETCH(int, typed);
        window->close();
        translate::applyLanguage(language);
        delete texts; // back on top of the catalogue just installed
        texts = new OverrideTranslator;
        useText(2, {line});
        open(2);
        button("start_Btn_")->click();
        for (int n = 0; n < typed; ++n) // wrong and right in turn: every kind of mark
            TestSupport::typeX11(editor(), n % 2 ? keycodeOf("ش") : TestSupport::x11KeycodeForScanCode(57));
        QVERIFY(correct() + wrong() == typed);
        QTextDocument *shown = editor()->document();
        QScopedPointer<QTextDocument> plain(shown->clone());
        plain->setTextWidth(shown->textWidth());
        plain->documentLayout()->documentSize();
        const QTextBlock marked = shown->findBlockByNumber(window->highlighter()->blockOf(0));
        const QTextBlock unmarked = plain->findBlockByNumber(marked.blockNumber());
        shown->documentLayout()->blockBoundingRect(marked); // lays the blocks out
        plain->documentLayout()->blockBoundingRect(unmarked);
        QVERIFY(marked.layout()->lineCount() > 0);
        QVERIFY(markAt(0, typed).isValid());
        QCOMPARE(marked.text(), line);
        QCOMPARE(glyphsOf(marked), glyphsOf(unmarked));
        // Drawn, the letters keep the shapes of the unmarked line: only their colours change.
        const QImage withMarks = editor()->viewport()->grab().toImage();
        const QList<QTextEdit::ExtraSelection> kept = editor()->extraSelections();
        editor()->setExtraSelections({});
        const QImage withoutMarks = editor()->viewport()->grab().toImage();
        editor()->setExtraSelections(kept);
        const QRect area = marked.layout()->lineAt(0).rect().translated(
            shown->documentLayout()->blockBoundingRect(marked).topLeft() -
            QPointF(0, editor()->verticalScrollBar()->value())).toAlignedRect();
        int ink = 0, differ = 0;
        for (int y = qMax(0, area.top()); y <= area.bottom() && y < withMarks.height(); ++y)
            for (int x = qMax(0, area.left()); x <= area.right() && x < withMarks.width(); ++x) {
                const bool a = isInk(withMarks.pixel(x, y)), b = isInk(withoutMarks.pixel(x, y));
                ink += a || b;
                differ += a != b;
            }
        QVERIFY(withMarks != withoutMarks);
        QVERIFY2(differ * 10 < ink, qPrintable(QString("%1 of %2 pixels of ink differ").arg(differ).arg(ink)));
    }
    // Not the text background nor a mark's: a pixel of a letter.
    static bool isInk(QRgb pixel)
    {
        for (const QColor &background : {QColor(0xa0, 0xa0, 0xa4), QColor(Qt::red), QColor(Qt::yellow), QColor(Qt::green)}) {
            const int distance = qMax(qAbs(qRed(pixel) - background.red()),
                                      qMax(qAbs(qGreen(pixel) - background.green()), qAbs(qBlue(pixel) - background.blue())));
            if (distance <= 48)
                return false;
        }
        return true;
    }

    void cleanRunThenStartBeginsAgain()
    {
        button("start_Btn_")->click();
        type("تن");
        QCOMPARE(window->currentLine(), 1);
        type("بت سم كن");
        QVERIFY(!window->isRunning());
        QCOMPARE(recorder.messages.last().text, QString("Practise lesson finished, do you want to retrain it?"));
        QVERIFY(recorder.messages.last().informative.startsWith(
            QString("0 correct characters per minute, 100 % correct, time 0:00.\n")));
        QCOMPARE(logRows().size(), 1);
        QCOMPARE(logRows().first().mid(0, 3), (QStringList{"Practise", "1", "0 0 100 0"}));
        // spaced line: the second letter sits at position 2 of its block
        QCOMPARE(markAt(0, 2), QColor(Qt::green));
        QCOMPARE(markAt(1, 7), QColor(Qt::green));
        // Start on the finished text (after No) begins it again, as Yes does.
        button("start_Btn_")->click();
        QVERIFY(window->isRunning());
        QCOMPARE(correct(), 0);
        QCOMPARE(markAt(0, 0), QColor(Qt::yellow));
        type("ت");
        QCOMPARE(correct(), 1);
        button("stop_Btn")->click();
        QCOMPARE(logRows().size(), 2);
        button("start_Btn_")->click();
        window->close(); // mid-run: the menu comes back
        QVERIFY(desk.menu->isVisible());
    }

    // A wrong key shows the finger guide until the next correct key; closed by hand it comes back.
    void guideShowsTheMissedFinger()
    {
        button("start_Btn_")->click();
        type("ش"); // expected ت: right index
        QCOMPARE(markAt(0, 0), QColor(Qt::red));
        QCOMPARE(markAt(0, 2), QColor(Qt::yellow));
        HandView *guide = window->fingerGuide();
        QVERIFY(guide->isVisible());
        QVERIFY(guide->lastCircle()->rect().x() < 100); // right hand: circle on the left side
        type("ن");
        QVERIFY(!guide->isVisible());
        type("ش"); // expected ب: left index, drawn on the mirrored picture's right side
        QCOMPARE(guide->lastCircle()->rect(), QRectF(199 - 150 / 3, 93 / 4, 20, 20));
        guide->close();
        type("ش"); // expected ت
        QVERIFY(guide->isVisible());
    }

    // The finished-text question carries the run's figures, says which speed
    // is which, and names its most missed characters, a space too.
    void finishedTextSummary()
    {
        button("start_Btn_")->click();
        type("ش"); // expected ت
        ticks(10);
        type("نبت");
        type("ش");    // expected a space
        type("سم ش"); // expected ك
        ticks(19);     // 6 correct in the last 20 ticks: 18 a minute
        type("ن");
        QCOMPARE(recorder.messages.last().informative,
                 QString("14 correct characters per minute, 70 % correct, time 0:29.\n"
                         "The speed above is over the whole run; the Speed display shows 18, over the last 20 seconds.\n"
                         "Missed most often: ت space ك"));
        QCOMPARE(lcd("lcdspeed")->intValue(), 18);
        QCOMPARE(lcd("lcdcorrect")->intValue(), 70);
    }

    // Held down, a key auto-repeats: it types one character all the same.
    void heldKeyTypesOnce()
    {
        button("start_Btn_")->click();
        TestSupport::holdX11(editor(), keycodeOf("ت"), 35);
        QCOMPARE(correct(), 1);
        QCOMPARE(wrong(), 0);
        QCOMPARE(window->currentColumn(), 1);
        TestSupport::holdX11(editor(), keycodeOf(" "), 10); // the space's release rule too
        QCOMPARE(wrong(), 1);
        QCOMPARE(window->currentLine(), 1);
    }

    void startAndStopByKeyboard_data()
    {
        QTest::addColumn<unsigned>("startKey");
        QTest::newRow("Enter") << TestSupport::x11KeycodeForScanCode(28);
        QTest::newRow("Space") << TestSupport::x11KeycodeForScanCode(57);
    }
    // Enter or Space starts an idle run, Escape stops a running one; the tool tips say so.
    void startAndStopByKeyboard()
    {
        QFETCH(unsigned, startKey);
        TestSupport::typeX11(editor(), startKey);
        QVERIFY(window->isRunning());
        QVERIFY(recorder.messages.isEmpty());
        QCOMPARE(correct() + wrong(), 0); // the starting key types nothing
        type("ت");
        TestSupport::typeX11(editor(), TestSupport::x11KeycodeForScanCode(1));
        QVERIFY(!window->isRunning());
        QCOMPARE(logRows().size(), 1);
        TestSupport::typeX11(editor(), startKey); // resumes where it stopped
        QVERIFY(window->isRunning());
        QCOMPARE(window->currentColumn(), 1);
        QVERIFY(button("start_Btn_")->toolTip().contains("Enter or Space"));
        QVERIFY(button("stop_Btn")->toolTip().contains("Escape"));
    }

    // A missed space shows the thumb, not the finger of the mistake before it.
    void guideShowsTheThumbForASpace()
    {
        button("start_Btn_")->click();
        type("شن"); // expected ت: the right index finger
        type("بت");
        type("ش"); // expected a space
        HandView *guide = window->fingerGuide();
        QVERIFY(guide->isVisible());
        QVERIFY(guide->lastCircle());
        // every fingertip sits in the top third of the 173 px picture, the thumb below its middle
        QVERIFY2(guide->lastCircle()->rect().center().y() > 173 / 2,
                 qPrintable(QString::number(guide->lastCircle()->rect().center().y())));
        QVERIFY(!guide->showsShiftHand());
    }

    // A Shift-layer character typed without Shift: the other hand's little finger holds Shift.
    void guideShowsTheShiftHand()
    {
        useText(2, {Keys::caption(Keys::Layer::Shift, "R3_6") + "ت"});
        button("next_Btn")->click();
        button("start_Btn_")->click();
        TestSupport::typeX11(editor(), TestSupport::x11KeycodeForScanCode(35)); // the key, no Shift
        HandView *guide = window->fingerGuide();
        QVERIFY(guide->isVisible());
        QVERIFY(guide->showsShiftHand());
        QVERIFY(guide->shiftHandCircle());
        QCOMPARE(guide->shiftHandCircle()->brush().color(), QColor("#FFF000"));
        // R3_6 is a right-hand key: Shift on the left, whose little finger is on the picture's left
        QVERIFY(guide->shiftHandCircle()->rect().x() < 100);
        QVERIFY(guide->geometry().bottom() < 600);
        type("ش"); // expected ت, a plain character: no Shift hand
        QVERIFY(!guide->showsShiftHand());
    }

    // X11 sends Shift's own press without the modifier, then the key with it: its Shift caption.
    void shiftChordFromX11()
    {
        useText(2, {Keys::caption(Keys::Layer::Shift, "R3_6")});
        button("next_Btn")->click();
        button("start_Btn_")->click();
        TestSupport::typeX11(editor(), TestSupport::x11KeycodeForScanCode(42));
        TestSupport::typeX11(editor(), TestSupport::x11KeycodeForScanCode(35), QString(), Qt::ShiftModifier);
        QCOMPARE(correct(), 1);
        QVERIFY(!window->isRunning());
    }

    void resetsClearTheDisplays_data()
    {
        QTest::addColumn<QString>("reset");
        QTest::newRow("Yes") << "Yes";
        QTest::newRow("Previous") << "previous_Btn";
        QTest::newRow("Next") << "next_Btn";
    }
    // After a reset the displays and the next logged row hold the new run's figures only.
    void resetsClearTheDisplays()
    {
        QFETCH(QString, reset);
        useText(2, {"تن", "بت سم كن"});
        if (reset == "previous_Btn")
            button("next_Btn")->click();
        button("start_Btn_")->click();
        type("ت");
        ticks(20);
        type("نبت سم ك");
        window->timercount();
        QVERIFY(lcd("lcdspeed")->intValue() > 0);
        QVERIFY(lcd("lcdcorrect")->intValue() > 0);
        if (reset == "Yes") {
            recorder.replies.append(QMessageBox::Yes);
            type("ن");
            QVERIFY(window->isRunning());
        } else { // stopped one short of the end: Start alone would continue
            button("stop_Btn")->click();
            button(qPrintable(reset))->click();
            button("start_Btn_")->click();
        }
        QCOMPARE(window->currentLine(), 0);
        QCOMPARE(window->currentColumn(), 0);
        QCOMPARE(correct() + wrong(), 0);
        QCOMPARE(lcd("lcdspeed")->intValue(), 0);
        QCOMPARE(lcd("lcdcorrect")->intValue(), 0);
        type("ت");
        window->timercount();
        button("stop_Btn")->click();
        QCOMPARE(logRows().last()[2].section(' ', 0, 2), QString("1 0 100"));
    }

    void currentLineStaysInView_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("count");
        QTest::newRow("short lines") << "تنب سم كن" << 36;
        QTest::newRow("lines that wrap") << QString("تنب سم كن ").repeated(7).trimmed() << 12;
    }
    // A text three times the window's height: the line being typed and the
    // next stay in view, and the view scrolls by whole lines.
    void currentLineStaysInView()
    {
        QFETCH(QString, line);
        QFETCH(int, count);
        useText(2, QVector<QString>(count, line).toList());
        button("next_Btn")->click();
        QVERIFY(window->textView()->document()->size().height() > 3 * window->height());
        const QTextBlock first = window->textView()->document()->findBlockByNumber(window->highlighter()->blockOf(0));
        QVERIFY(count > 12 || first.layout()->lineCount() > 2);
        recorder.replies.append(QMessageBox::Yes);
        button("start_Btn_")->click();
        for (int n = 0; n < count; ++n) {
            for (int c = 0; c < line.size() - 1; ++c) {
                type(line.mid(c, 1));
                QVERIFY2(viewFault().isEmpty(), qPrintable(QString("line %1, column %2: %3").arg(n).arg(c).arg(viewFault())));
            }
            QCOMPARE(markAt(n, 0), QColor(Qt::green));
            if (n == count / 2) { // the learner scrolls back: the marks of the first line are there
                window->textView()->verticalScrollBar()->setValue(0);
                QCOMPARE(markAt(0, 0), QColor(Qt::green));
            }
            type(line.right(1));
        }
        QVERIFY(window->isRunning()); // retrained with Yes: back at the first line
        type("ت");
        QCOMPARE(window->currentLine(), 0);
        QVERIFY(viewFault().isEmpty());
    }

    void stopThenStartContinues()
    {
        button("start_Btn_")->click();
        type("تن");
        type("ب");
        button("stop_Btn")->click();
        button("start_Btn_")->click();
        QVERIFY(!button("next_Btn")->isEnabled());
        // the first character keeps its result; the position stays marked
        QCOMPARE(markAt(0, 0), QColor(Qt::green));
        QCOMPARE(markAt(1, 1), QColor(Qt::yellow));
        Clock::advance(100); // the row differs from the first stop's
        type("ت");
        QCOMPARE(correct(), 4);
        button("stop_Btn")->click();
        button("start_Btn_")->click();
        button("stop_Btn")->click();
        QCOMPARE(logRows().size(), 2); // nothing typed between the last two stops
    }

    void openedFromTheLessonViewerOnLessonFive()
    {
        window->close();
        useText(5, {"تن"});
        Lessons viewer;
        window = new practising(true, 5, 5, nullptr);
        window->lessonViewer = &viewer;
        window->show();
        QVERIFY(!button("previous_Btn")->isEnabled());
        QVERIFY(!button("next_Btn")->isEnabled());
        window->close();
        QVERIFY(viewer.isVisible());
        // a later window from the start menu stops at lesson 5
        open();
        for (int i = 0; i < 6; ++i)
            button("next_Btn")->click();
        QCOMPARE(window->lessonNumber(), 5);
        QVERIFY(!button("next_Btn")->isEnabled());
    }
};

HARFORA_TEST_MAIN(TestPractising)
#include "test_practising.moc"
