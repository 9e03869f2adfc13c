#include "app/catalogues.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {
QHash<QString, QTranslator *> catalogueTable;
QTranslator *installed = nullptr;
QHash<QString, QTranslator *> qtTable; // Qt's own texts by interface language
QTranslator *qtInstalled = nullptr;
QStringList languageKeys;
QStringList baseNames;

const char *const macKey = "AR_ar_EG";

// Qt's own translation of its buttons and dialogs for the interface
// language of a catalogue key ("ar" of "AR_ar_AR"); null when the system
// has none, which leaves Qt's English.
QTranslator *qtTranslatorFor(const QString &key)
{
    const QString language = key.mid(3, 2).toLower();
    if (language.size() != 2)
        return nullptr;
    if (!qtTable.contains(language)) {
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (!translator->load("qtbase_" + language, QLibraryInfo::location(QLibraryInfo::TranslationsPath))) {
            delete translator;
            translator = nullptr;
        }
        qtTable.insert(language, translator);
    }
    return qtTable.value(language);
}

// Matched by hand, not by a "*.qm" name filter: a filter is a regular
// expression, and the first one compiled loads and sets up PCRE (half a
// megabyte at start-up). Names of fewer than three parts are skipped later.
bool isCatalogueName(const QString &fileName)
{
    return fileName.endsWith(QLatin1String(".qm"), Qt::CaseInsensitive);
}

QString languageName(const QString &localeName)
{
    return QLocale::languageToString(QLocale(localeName).language());
}
}

namespace Catalogues {

void load(const QDir &folder)
{
    const QFileInfoList entries = folder.entryInfoList(QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (!isCatalogueName(entry.fileName()))
            continue;
        const QString baseName = entry.completeBaseName();
        const QString key = Catalogue::keyForBaseName(baseName);
        if (key.isEmpty())
            continue; // fewer than three parts: not a catalogue of ours
        baseNames.append(baseName);
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(entry.absoluteFilePath()))
            catalogueTable.insert(key, translator);
        else
            delete translator;
    }
    languageKeys = catalogueTable.keys();
}

QStringList languages()
{
    return languageKeys;
}

QStringList loadedBaseNames()
{
    return baseNames;
}

QTranslator *current()
{
    return installed;
}

void apply(const QString &locale)
{
    if (installed)
        QCoreApplication::removeTranslator(installed);
    if (qtInstalled)
        QCoreApplication::removeTranslator(qtInstalled);
    installed = catalogueTable.value(locale, nullptr);
    qtInstalled = installed ? qtTranslatorFor(locale) : nullptr;
    // Installed first, so the catalogue (searched first) wins where both translate.
    if (qtInstalled)
        QCoreApplication::installTranslator(qtInstalled);
    if (installed)
        QCoreApplication::installTranslator(installed);
}

void clear()
{
    apply(QString());
    qDeleteAll(catalogueTable);
    catalogueTable.clear();
    languageKeys.clear();
    baseNames.clear();
}
}

namespace Catalogue {

QString keyForBaseName(const QString &baseName)
{
    const QStringList parts = baseName.split('_', Qt::KeepEmptyParts, Qt::CaseSensitive);
    if (parts.size() < 3)
        return QString();
    return parts[0].toUpper() + '_' + parts[1].toLower() + '_' + parts[2].toUpper();
}

QString labelForKey(const QString &key)
{
    QString label = languageName(key.mid(0, 2)) + " Typing - " + languageName(key.mid(3, 5)) + " GUI";
    if (key == QLatin1String(macKey))
        label += "-MAC";
    return label;
}

Qt::LayoutDirection directionForLabel(const QString &label, const QStringList &names)
{
    const int dash = label.indexOf('-');
    QString interfacePart = dash < 0 ? label : label.mid(dash + 2);
    const bool mac = interfacePart.contains("MAC");
    if (mac)
        interfacePart = interfacePart.left(interfacePart.indexOf("-MAC"));
    const QString language = interfacePart.left(qMax(0, interfacePart.size() - 4));

    QString chosen = names.value(0);
    for (const QString &name : names) {
        if (mac && !name.contains("mac") && !name.contains("MAC"))
            continue;
        if (languageName(name.mid(3)) == language) {
            chosen = name;
            break;
        }
    }
    return QLocale(chosen.mid(3)).textDirection() == Qt::RightToLeft ? Qt::RightToLeft
                                                                     : Qt::LeftToRight;
}

QString titleForLabel(const QString &label)
{
    return label.section(' ', 0, 0) + " Harfora";
}

}
