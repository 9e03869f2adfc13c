#include "app/slotsbyname.h"

#include <QMetaMethod>
#include <QObject>

namespace SlotsByName {
namespace {
// The signal of `sender` called `name` whose arguments suit `slot`.
int matchingSignal(const QObject *sender, const QByteArray &name, const QMetaMethod &slot)
{
    const QMetaObject *meta = sender->metaObject();
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod signal = meta->method(i);
        if (signal.methodType() == QMetaMethod::Signal && signal.name() == name &&
            QMetaObject::checkConnectArgs(signal, slot))
            return i;
    }
    return -1;
}
}

void connect(QObject *owner)
{
    QObjectList objects = owner->findChildren<QObject *>();
    objects.prepend(owner);
    const QMetaObject *meta = owner->metaObject();
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod slot = meta->method(i);
        const QByteArray name = slot.name();
        if (slot.methodType() != QMetaMethod::Slot || !name.startsWith("on_"))
            continue;
        for (QObject *object : objects) {
            const QByteArray prefix = "on_" + object->objectName().toLatin1() + "_";
            if (object->objectName().isEmpty() || !name.startsWith(prefix))
                continue;
            const int signal = matchingSignal(object, name.mid(prefix.size()), slot);
            if (signal >= 0) {
                QMetaObject::connect(object, signal, owner, i);
                break;
            }
        }
    }
}
}
