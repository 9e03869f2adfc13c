#include "app/fonts.h"
#include "app/placement.h"
#include "app/resources.h"
#include "app/translate.h"
#include "login/login.h"

#include <QDir>
#include <QIcon>
#include <QPointer>

int main(int argc, char **argv)
{
    // Nothing here draws with OpenGL: without the GLX probe the program
    // starts faster and does not map a software renderer of 40 MB.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    translate app(argc, argv);
    QCoreApplication::setOrganizationName("Velmonde");
    QCoreApplication::setApplicationName("Harfora");
    Resources::registerAll();
    Fonts::registerSubstitutions();
    QApplication::setWindowIcon(Resources::pngIcon(":/images/icons/harfora-48.png"));
    translate::loadCatalogues(QDir(QDir::toNativeSeparators(":/tr/lang/")));

    QPointer<Login> login = new Login(0, nullptr);
    Placement::centre(login);
    if (app.property("Error").toString().isEmpty())
        login->show();
    return app.exec();
}
