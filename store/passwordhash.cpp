#include "store/passwordhash.h"

#include <QCryptographicHash>

static bool isLatin1(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

QString passwordHash(const QString &text)
{
    const QByteArray bytes = isLatin1(text) ? text.toLatin1() : text.toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
}
