#include "app/loginkey.h"

#include "login/login.h"

QString &LoginKey::keyOr(QString &fallback) const
{
    auto *login = qobject_cast<Login *>(owner.data());
    return login ? login->lastActivityKey : fallback;
}
