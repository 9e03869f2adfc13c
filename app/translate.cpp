#include "app/translate.h"

#include "app/messages.h"
#include "app/notices.h"

translate::translate(int &argc, char **argv) : QApplication(argc, argv)
{
    // Notices of the store appear as this program's message boxes.
    Notices::setSink([](Notices::Kind kind, const QString &title, const QString &text) {
        if (kind == Notices::Kind::Warning)
            Messages::warning(nullptr, title, text);
        else
            Messages::information(nullptr, title, text);
    });
}

void translate::setLanguage(QString locale)
{
    applyLanguage(locale);
}

void translate::loadCatalogues(const QDir &folder) { Catalogues::load(folder); }
QStringList translate::availableLanguages() { return Catalogues::languages(); }
QStringList translate::catalogueBaseNames() { return Catalogues::loadedBaseNames(); }
QTranslator *translate::currentTranslator() { return Catalogues::current(); }
void translate::applyLanguage(const QString &locale) { Catalogues::apply(locale); }
void translate::clearCatalogues() { Catalogues::clear(); }
