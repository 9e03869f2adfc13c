#pragma once

#include <QString>

// Lowercase hex MD5 of the Latin-1 bytes of the text. A text with any
// character outside Latin-1 is hashed from its UTF-8 bytes instead, so Arabic
// passwords and names never collapse to runs of "?".
QString passwordHash(const QString &text);
