#include "practice/runrecord.h"

#include <QDateTime>
#include <QVector>

#include <algorithm>

void RunRecord::begin()
{
    if (id.isEmpty())
        id = newRunId();
}

void RunRecord::clear()
{
    id.clear();
    skipped = 0;
    perCharacter.clear();
    pairs.clear();
}

void RunRecord::hit(const QString &expected, qint64 ms)
{
    Tally &t = perCharacter[expected];
    ++t.hits;
    t.totalMs += std::max<qint64>(ms, 0);
}

void RunRecord::miss(const QString &expected, const QString &typed)
{
    ++perCharacter[expected].errors;
    ++pairs[{expected, typed}];
}

QString RunRecord::keyFigures(int correct, int wrong) const
{
    QString text = QStringLiteral("k1 ") + id + QLatin1Char(' ') + QString::number(correct) + QLatin1Char(' ') +
                   QString::number(wrong) + QLatin1Char(' ') + QString::number(skipped);
    for (auto t = perCharacter.cbegin(); t != perCharacter.cend(); ++t) {
        const qint64 mean = t->hits ? (t->totalMs + t->hits / 2) / t->hits : 0;
        text += QLatin1Char(' ') + escape(t.key()) + QLatin1Char(':') + QString::number(t->hits) +
                QLatin1Char(':') + QString::number(t->errors) + QLatin1Char(':') + QString::number(mean);
    }
    return text;
}

QString RunRecord::confusionFigures(int bytes) const
{
    QVector<QPair<Confusion, int>> sorted;
    for (auto p = pairs.cbegin(); p != pairs.cend(); ++p)
        sorted.append({p.key(), p.value()});
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const QPair<Confusion, int> &a, const QPair<Confusion, int> &b) { return a.second > b.second; });
    QString text = QStringLiteral("c1");
    int used = 2;
    for (const auto &p : sorted) {
        const QString entry = QLatin1Char(' ') + escape(p.first.first) + QLatin1Char('>') + escape(p.first.second) +
                              QLatin1Char(':') + QString::number(p.second);
        used += entry.toUtf8().size();
        if (used > bytes)
            break;
        text += entry;
    }
    return text;
}

QString RunRecord::escape(const QString &text)
{
    QString out;
    for (QChar c : text) {
        const ushort u = c.unicode();
        if (u == '%' || u == ':' || u == '>' || c.isSpace() || c.category() == QChar::Other_Control)
            out += QLatin1Char('%') + QStringLiteral("%1").arg(u, 4, 16, QLatin1Char('0')).toUpper();
        else
            out += c;
    }
    return out;
}

bool RunRecord::unescape(const QString &text, QString &out)
{
    out.clear();
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('%')) {
            out += text[i];
            continue;
        }
        const QString hex = text.mid(i + 1, 4);
        if (hex.size() != 4 || !std::all_of(hex.cbegin(), hex.cend(), [](QChar h) {
                return h.isDigit() || (h.toLower() >= QLatin1Char('a') && h.toLower() <= QLatin1Char('f'));
            }))
            return false;
        const ushort u = hex.toUShort(nullptr, 16);
        out += QChar(u);
        i += 4;
    }
    return true;
}

QString RunRecord::newRunId()
{
    static qint64 lastIssued = 0;
    lastIssued = std::max(lastIssued + 1, QDateTime::currentMSecsSinceEpoch());
    return QString::number(lastIssued, 36);
}
