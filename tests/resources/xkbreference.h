#pragma once
// The X keyboard database's Arabic layout (xkb-data) as the reference the
// layout catalogues are held against: the first two levels of every key of a
// variant, includes of the same file resolved, keysym names looked up in
// X11's keysymdef.h.
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringList>

namespace XkbReference {

inline QString readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

inline QString fromCode(const QString &hex)
{
    const uint code = hex.toUInt(nullptr, 16);
    return QString::fromUcs4(&code, 1);
}

inline QHash<QString, QString> keysymCharacters()
{
    QHash<QString, QString> table;
    const QRegularExpression define(R"(#define XK_(\w+)\s+0x[0-9a-f]+\s+/\*\s*U\+([0-9A-F]+))");
    for (auto it = define.globalMatch(readFile("/usr/include/X11/keysymdef.h")); it.hasNext();) {
        const auto m = it.next();
        table.insert(m.captured(1), fromCode(m.captured(2)));
    }
    return table;
}

// A key that types nothing is written as one space in our tables; the
// lam-alef presentation forms as their two letters (their compatibility form).
inline QString character(const QString &keysym)
{
    if (keysym == "VoidSymbol")
        return " ";
    const QRegularExpression code("^(?:U0?|0x100)([0-9A-Fa-f]{4})$");
    const auto m = code.match(keysym);
    if (m.hasMatch())
        return fromCode(m.captured(1)).normalized(QString::NormalizationForm_KC);
    if (keysym.size() == 1)
        return keysym;
    static const QHash<QString, QString> keysyms = keysymCharacters();
    return keysyms.value(keysym);
}

// xkb key name -> [plain, shift] for one variant of symbols/ara.
inline QHash<QString, QStringList> variant(const QString &name)
{
    static const QString file = readFile("/usr/share/X11/xkb/symbols/ara");
    const int start = file.indexOf("xkb_symbols \"" + name + "\"");
    const QString body = start < 0 ? QString() : file.mid(start, file.indexOf("\n};", start) - start);
    const QRegularExpression include(R"x(include\s+"ara\((\w+)\)")x");
    const QRegularExpression key(R"x(key <(\w+)>\s*\{\s*\[([^\]]*)\])x");
    QHash<QString, QStringList> keys;
    for (QString line : body.split('\n')) {
        line = line.section("//", 0, 0);
        if (const auto m = include.match(line); m.hasMatch())
            keys.insert(variant(m.captured(1)));
        if (const auto m = key.match(line); m.hasMatch() && !m.captured(1).startsWith("KP")) {
            const QStringList syms = m.captured(2).split(',');
            keys.insert(m.captured(1), {character(syms.value(0).trimmed()), character(syms.value(1).trimmed())});
        }
    }
    return keys;
}

// xkb's key names "AE01", "AE02", ...
inline QStringList numbered(const char *prefix, int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << QString("%1%2").arg(prefix).arg(i, 2, 10, QChar('0'));
    return names;
}

// Our key identifiers and xkb's key names, row by row.
inline QList<QPair<QString, QString>> keyNames()
{
    const QStringList rows[] = {QStringList{"TLDE"} + numbered("AE", 12), numbered("AD", 12),
                                numbered("AC", 11) + QStringList{"BKSL"}, QStringList{"LSGT"} + numbered("AB", 10)};
    QList<QPair<QString, QString>> names;
    for (int r = 0; r < 4; ++r)
        for (int i = 0; i < rows[r].size(); ++i)
            names.append({QString("R%1_%2").arg(r + 1).arg(i + 1), rows[r][i]});
    return names;
}

} // namespace XkbReference
