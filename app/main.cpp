#include "app/fonts.h"
#include "app/placement.h"
#include "app/resources.h"
#include "app/translate.h"
#include "login/login.h"

#include <QDir>
#include <QPointer>

int main(int argc, char **argv)
{
    translate app(argc, argv);
    QCoreApplication::setOrganizationName("Velmonde");
    QCoreApplication::setApplicationName("Harfora");
    Resources::registerAll();
    Fonts::registerSubstitutions();
    translate::loadCatalogues(QDir(QDir::toNativeSeparators(":/tr/lang/")));

    QPointer<Login> login = new Login(0, nullptr);
    Placement::centre(login);
    if (app.property("Error").toString().isEmpty())
        login->show();
    return app.exec();
}
