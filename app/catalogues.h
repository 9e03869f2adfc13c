#pragma once

#include <QDir>
#include <QStringList>

class QTranslator;

// The language catalogues compiled into the resources. Everything here is
// process-wide and works without an application object of a given kind.
namespace Catalogues {
void load(const QDir &folder);
QStringList languages();
QStringList loadedBaseNames();
// Activates the catalogue with the given key; an unknown key leaves none.
void apply(const QString &locale);
QTranslator *current();
// Forgets every catalogue (tests reload different folders).
void clear();
}

namespace Catalogue {
// "ar_en_us" -> "AR_en_US"; empty for a base name with fewer than three parts.
QString keyForBaseName(const QString &baseName);
// "AR_en_US" -> "Arabic Typing - English GUI" ("-MAC" appended for AR_ar_EG).
QString labelForKey(const QString &key);
// Layout direction for an offered label, from the scanned base names.
Qt::LayoutDirection directionForLabel(const QString &label, const QStringList &baseNames);
// First word of the label + " Harfora", the login window's title.
QString titleForLabel(const QString &label);
}
