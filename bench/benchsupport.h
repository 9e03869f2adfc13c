#pragma once

#include "app/fonts.h"
#include "app/resources.h"
#include "app/translate.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QTranslator>
#include <algorithm>
#include <vector>

// Shared set-up and statistics of the benchmark programs.
namespace Bench {

inline void initApplication()
{
    QCoreApplication::setOrganizationName("Velmonde");
    QCoreApplication::setApplicationName("Harfora");
    Resources::registerAll();
    Fonts::registerSubstitutions();
    translate::loadCatalogues(QDir(":/tr/lang/"));
    translate::applyLanguage("AR_ar_AR");
}

template <typename T> T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? T() : values[values.size() / 2];
}

// Serves chosen catalogue texts on top of the active catalogue.
class TextOverride : public QTranslator
{
public:
    TextOverride(const char *contextName, const QString &sourceText, const QString &translation)
        : context(contextName), source(sourceText), text(translation)
    {
        QCoreApplication::installTranslator(this);
    }
    QString translate(const char *c, const char *s, const char * = nullptr, int = -1) const override
    {
        return context == c && source == QString::fromUtf8(s) ? text : QString();
    }
    bool isEmpty() const override { return false; }

private:
    QByteArray context;
    QString source, text;
};

// A practice text of `characters` characters in lines of words.
inline QString practiceHtml(int characters)
{
    const QString line = QString::fromUtf8("سبب شيب يبس بيت كتب سمك");
    QString html = "<html><body>";
    int written = 0;
    while (written < characters) {
        QString refs;
        for (QChar c : line)
            refs += QString("&#%1;").arg(c.unicode(), 4, 10, QChar('0'));
        html += "<p align=\"right\"><font face=\"Arial\"><span style=\"font-size:14.0pt\"><line>" + refs +
                "</span></font></p>\n";
        written += line.size();
    }
    return html + "</body></html>";
}

// Drill lines (no spaces, shown spaced out), each different: every one is
// respaced, so a preparation that rescans the text per line shows here.
inline QString drillHtml(int characters)
{
    const QString letters = QString::fromUtf8("سبيتكمنلشق");
    QString html = "<html><body>";
    for (int written = 0, n = 0; written < characters; written += 12, ++n) {
        QString refs;
        for (int i = 0, v = n; i < 12; ++i, v /= 3)
            refs += QString("&#%1;").arg(letters[(v + i) % letters.size()].unicode(), 4, 10, QChar('0'));
        html += "<p align=\"right\"><line>" + refs + "</p>\n";
    }
    return html + "</body></html>";
}
}
