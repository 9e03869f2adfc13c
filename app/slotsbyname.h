#pragma once

class QObject;

// Connects every slot named on_<objectName>_<signal> of `owner` to that
// signal of the child (or the owner itself) with that object name, like
// QMetaObject::connectSlotsByName. A slot whose object does not exist in
// this window stays unconnected without a warning: the lesson viewer keeps
// slots for a CTRL button that only the key-selection dialog has.
namespace SlotsByName {
void connect(QObject *owner);
}
