#include "app/activitykey.h"

#include <QVariant>

QString ActivityKey::value() const
{
    return owner ? owner->property("lastActivityKey").toString() : *fallback;
}

void ActivityKey::set(const QString &key)
{
    if (owner)
        owner->setProperty("lastActivityKey", key);
    else
        *fallback = key;
}
