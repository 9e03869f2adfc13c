// The baseline of the start-up benchmark: a bare Qt window titled as the
// login window, shown, nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Login"));
    window.resize(690, 365);
    window.show();
    return app.exec();
}
