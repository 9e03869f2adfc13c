#pragma once

#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QStringList>

// Debian's Arabic dictionary, asked through the hunspell program: the
// independent judge of whether a word is a real Arabic word.
namespace HunspellCheck {

inline QString program()
{
    const QString hunspell = QStandardPaths::findExecutable(QStringLiteral("hunspell"));
    return QFile::exists(QStringLiteral("/usr/share/hunspell/ar.dic")) ? hunspell : QString();
}

// The distinct words of three letters or more of a text (Arabic letters only).
inline QSet<QString> longWords(const QString &text)
{
    static const QRegularExpression notLetter(QStringLiteral("[^\\x{0621}-\\x{064A}]+"));
    QSet<QString> words;
    for (const QString &w : text.split(notLetter, Qt::SkipEmptyParts))
        if (w.size() >= 3)
            words.insert(w);
    return words;
}

// The words the dictionary does not know (all of them when hunspell fails).
// Loading the dictionary takes most of a second: ask all words in one run.
inline QSet<QString> unknown(const QSet<QString> &words)
{
    QProcess process;
    process.start(program(), {QStringLiteral("-d"), QStringLiteral("ar"), QStringLiteral("-i"), QStringLiteral("utf-8"),
                              QStringLiteral("-l")});
    process.write((QStringList(words.values()).join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return words;
    const QStringList misses = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return QSet<QString>(misses.begin(), misses.end()) & words;
}

// Share of the words the dictionary knows, 0 to 1.
inline double knownShare(const QSet<QString> &words, QSet<QString> *misses = nullptr)
{
    const QSet<QString> notKnown = unknown(words);
    if (misses)
        *misses = notKnown;
    return words.isEmpty() ? 0 : 1.0 - double(notKnown.size()) / words.size();
}

// The texts (by number) whose share of known words is below `least`, each
// said with its share and its unknown words; all words asked in one run.
inline QStringList poorlyKnown(const QMap<int, QSet<QString>> &wordsByText, double least)
{
    QSet<QString> all;
    for (const QSet<QString> &words : wordsByText)
        all += words;
    const QSet<QString> notKnown = unknown(all);
    QStringList poor;
    for (auto it = wordsByText.cbegin(); it != wordsByText.cend(); ++it) {
        const QSet<QString> misses = it.value() & notKnown;
        const double share = it.value().isEmpty() ? 0 : 1.0 - double(misses.size()) / it.value().size();
        if (share < least)
            poor.append(QStringLiteral("%1: %2 % known; unknown: %3")
                            .arg(it.key()).arg(share * 100, 0, 'f', 1).arg(QStringList(misses.values()).join(QLatin1Char(' '))));
    }
    return poor;
}
}
