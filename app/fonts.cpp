#include "app/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace Fonts {
namespace {
struct Substitution {
    const char *family;
    QStringList candidates;
};

QStringList installed(const QStringList &candidates, const QStringList &families)
{
    QStringList found;
    for (const QString &c : candidates)
        if (families.contains(c, Qt::CaseInsensitive))
            found.append(c);
    return found;
}
}

void registerSubstitutions()
{
    const QStringList sans{"Noto Sans Arabic", "Noto Naskh Arabic", "DejaVu Sans", "Amiri", "KacstOne"};
    const QStringList mono{"DejaVu Sans Mono", "Noto Naskh Arabic", "Noto Sans Arabic", "DejaVu Sans"};
    const QStringList naskh{"Noto Naskh Arabic", "Amiri", "Noto Sans Arabic", "DejaVu Sans"};
    const Substitution table[] = {
        {"Arial", sans}, {"Verdana", sans}, {"Courier", mono}, {"Baghdad", naskh}};
    const QStringList arabicFamilies = QFontDatabase().families(QFontDatabase::Arabic);
    for (const Substitution &s : table) {
        if (arabicFamilies.contains(s.family, Qt::CaseInsensitive))
            continue; // the real font is there and has Arabic glyphs
        const QStringList found = installed(s.candidates, arabicFamilies);
        if (!found.isEmpty())
            QFont::insertSubstitutions(s.family, found);
    }
}
}
