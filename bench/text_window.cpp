// The start-up benchmark's second baseline: the bare window with one line of
// text, so each run shows what drawing any text at all (fonts, shaping) costs
// before a single line of ours runs.
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Login"));
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Username")));
    window.resize(690, 365);
    window.show();
    return app.exec();
}
