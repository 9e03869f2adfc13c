#pragma once

#include "app/catalogues.h"

#include <QApplication>
#include <QDir>
#include <QHash>
#include <QStringList>

class QTranslator;

// The application object. It owns the language catalogues compiled into the
// resources; everything it holds is process-wide, so the statics work even
// before (or without) an instance, as in the tests.
class translate : public QApplication
{
    Q_OBJECT
public:
    translate(int &argc, char **argv);

    static void loadCatalogues(const QDir &folder);
    static QStringList availableLanguages();
    static QStringList catalogueBaseNames();
    // Activates the catalogue with the given key; an unknown key leaves none.
    static void applyLanguage(const QString &locale);
    static QTranslator *currentTranslator();
    // Forgets every catalogue (tests reload different folders).
    static void clearCatalogues();

public slots:
    void setLanguage(QString locale);
};
