#include "practice/textprep.h"

#include "keyboard/keyids.h"

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace PracticeText {

namespace {
const QRegularExpression &referencePattern()
{
    static const QRegularExpression re(QStringLiteral("&#([0-9]){4};"));
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
    return c == QLatin1Char('&') || c == QLatin1Char('#') || c == QLatin1Char(';') || c.isDigit();
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

namespace {
// What one line shows and expects, given what it holds once earlier drill
// lines have been respaced; a drill line's spacing is recorded in `respaced`.
QString prepareLine(const QString &content, Lines &lines, QHash<QString, QString> &respaced, int room)
{
    const QString decoded = decodeReferences(content);
    QStringList characters;
    int whiteSpace = 0;
    for (const QChar c : decoded) {
        characters.append(QString(c));
        whiteSpace += c.isSpace() ? 1 : 0;
    }
    lines.characters.append(characters);
    if (whiteSpace > 1) {
        lines.kinds.append(AsWritten);
        return content;
    }
    lines.kinds.append(Spaced);
    // Decoded characters go back into HTML: "<", ">" and "&" stay escaped,
    // or a drill of those keys would turn into markup.
    QString spaced;
    for (const QChar c : decoded)
        spaced += QString(c).toHtmlEscaped() + QLatin1Char(' ');
    if (content.isEmpty() || spaced.size() - content.size() > room)
        return content;
    respaced.insert(content, spaced);
    return spaced;
}
}

// One pass over the text: each "<line>" entry ends at the next "<", so a line
// is prepared on its own. A drill line is respaced where it stands and in every
// later line of the same content, which is then found already spaced.
QString prepare(QString text, Lines &lines)
{
    text.replace(QLatin1String("font-size:14.0pt"), QLatin1String(" "));
    static const QRegularExpression fontTag(QStringLiteral("<font[^>]*>"));
    text.remove(fontTag);
    text.remove(QLatin1String("</font>"));
    text.replace(QLatin1String("  "), QLatin1String(" "));
    lines.kinds.clear();

    static const QString tag = QStringLiteral("<line>");
    const int limit = maxLength(text.size());
    QHash<QString, QString> respaced;
    QString result;
    result.reserve(text.size());
    int at = 0;
    for (int count = 0; count < maxLines; ++count) {
        const int start = text.indexOf(tag, at);
        const int end = start < 0 ? -1 : text.indexOf(QLatin1Char('<'), start + tag.size());
        if (end < 0)
            break;
        QString content = text.mid(start + tag.size(), end - start - tag.size());
        // Each earlier respacing reaches the line in turn, as it reached the whole text.
        for (int step = 0; step < maxLines && respaced.contains(content); ++step)
            content = respaced.value(content);
        result += text.midRef(at, start + tag.size() - at);
        const int room = limit - (result.size() + content.size() + (text.size() - end));
        result += prepareLine(content, lines, respaced, room);
        at = end;
    }
    result += text.midRef(at);
    return result;
}

QString practiceText(int lesson, bool unprocessed, Lines &lines)
{
    const QString text = raw(lesson);
    return unprocessed ? text : prepare(text, lines);
}
}
