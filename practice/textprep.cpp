#include "practice/textprep.h"

#include "keyboard/keyids.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSet>

namespace PracticeText {

namespace {
const QRegularExpression &referencePattern()
{
    static const QRegularExpression re("&#([0-9]){4};");
    return re;
}

QChar referenceChar(const QStringRef &match)
{
    const ushort code = ushort(match.mid(2, match.size() - 3).toInt());
    return code == 0 ? QChar(QChar::ReplacementCharacter) : QChar(code); // a NUL would cut the text short
}

// Characters that can form part of another reference once decoded.
bool buildsReferences(QChar c)
{
    return c == '&' || c == '#' || c == ';' || c.isDigit();
}

// Texts from the catalogue are a few kilobytes. These bounds only stop
// hostile or broken input from growing the text without end.
const int maxLines = 5000;
int maxLength(int original)
{
    return qMax(original * 4, 1 << 16);
}
}

QString raw(int lesson)
{
    if (lesson < 1 || lesson > Keys::lessonSlots)
        return QString();
    return QCoreApplication::translate("practising", Keys::practiceTextSource(lesson).toUtf8().constData());
}

QString decodeReferences(const QString &text)
{
    // Every distinct reference, in order of appearance, replaced everywhere.
    QStringList order;
    QSet<QString> seen;
    bool chained = false;
    auto it = referencePattern().globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QString whole = m.captured(0);
        if (!seen.contains(whole)) {
            seen.insert(whole);
            order.append(whole);
            chained |= buildsReferences(referenceChar(QStringRef(&whole)));
        }
    }
    if (order.isEmpty())
        return text;
    if (!chained) {
        // No replacement can create a new reference: one pass gives the same text.
        QString result;
        result.reserve(text.size());
        int last = 0;
        auto all = referencePattern().globalMatch(text);
        while (all.hasNext()) {
            const QRegularExpressionMatch m = all.next();
            result += text.midRef(last, m.capturedStart() - last);
            result += referenceChar(m.capturedRef(0));
            last = m.capturedEnd();
        }
        result += text.midRef(last);
        return result;
    }
    QString result = text;
    for (const QString &whole : order)
        result.replace(whole, QString(referenceChar(QStringRef(&whole))));
    return result;
}

QString prepare(QString text, Lines &lines)
{
    text.replace("font-size:14.0pt", " ");
    static const QRegularExpression fontTag("<font[^>]*>");
    text.remove(fontTag);
    text.remove("</font>");
    text.replace("  ", " ");
    lines.kinds.clear();

    static const QRegularExpression linePattern("<line>[^<]*(<)");
    const int limit = maxLength(text.size());
    int from = 0;
    for (int count = 0; count < maxLines; ++count) {
        const QRegularExpressionMatch m = linePattern.match(text, from);
        if (!m.hasMatch())
            break;
        const int p = m.capturedStart(), length = m.capturedLength();
        const QString rawLine = text.mid(p + 6, length - 7);
        const QString decoded = decodeReferences(rawLine);
        QStringList characters;
        int whiteSpace = 0;
        for (const QChar c : decoded) {
            characters.append(QString(c));
            whiteSpace += c.isSpace() ? 1 : 0;
        }
        lines.characters.append(characters);
        if (whiteSpace <= 1) {
            // Decoded characters go back into HTML: "<", ">" and "&" stay
            // escaped, or a drill of those keys would turn into markup.
            QString spaced;
            for (const QChar c : decoded)
                spaced += QString(c).toHtmlEscaped() + ' ';
            if (!rawLine.isEmpty() && text.size() + text.count(rawLine) * (spaced.size() - rawLine.size()) <= limit)
                text.replace(rawLine, spaced);
            lines.kinds.append(Spaced);
        } else {
            lines.kinds.append(AsWritten);
        }
        from = p + 1;
    }
    return text;
}

QString practiceText(int lesson, bool unprocessed, Lines &lines)
{
    const QString text = raw(lesson);
    return unprocessed ? text : prepare(text, lines);
}
}
