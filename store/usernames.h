#pragma once

#include <QString>

// Rules for the names of new accounts. Stored names are never rewritten;
// these only decide what a new name may be.
namespace UserNames {

// The name as it will be stored: blanks around it removed.
QString cleaned(const QString &typed);

// True when the name holds a character that shows nothing or only steers the
// writing direction (zero-width characters, bidi marks, embeddings and
// isolates, other format characters, control characters), so two names that
// read the same could differ.
bool hasInvisible(const QString &name);

// What a name reads as: trimmed, invisible characters dropped, case folded.
// Two names with the same key look alike in a list (and "Sara" and "SARA"
// would send the wrong password to the wrong account).
QString lookAlikeKey(const QString &name);
}
