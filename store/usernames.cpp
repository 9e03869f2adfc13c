#include "store/usernames.h"

namespace UserNames {

namespace {
bool invisible(QChar c)
{
    const QChar::Category category = c.category();
    return category == QChar::Other_Format || category == QChar::Other_Control ||
           category == QChar::Separator_Line || category == QChar::Separator_Paragraph;
}
}

QString cleaned(const QString &typed)
{
    return typed.trimmed();
}

bool hasInvisible(const QString &name)
{
    for (QChar c : name)
        if (invisible(c))
            return true;
    return false;
}

QString lookAlikeKey(const QString &name)
{
    QString key;
    for (QChar c : name)
        if (!invisible(c))
            key.append(c);
    return key.trimmed().toCaseFolded();
}
}
