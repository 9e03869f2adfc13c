#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Turns a practice text from the catalogue into the HTML the practice window
// shows and, for every line to type, the characters expected and its kind.
namespace PracticeText {

enum LineKind { AsWritten = 0, Spaced = 1 };

struct Lines {
    QList<QStringList> characters; // one entry per line, one text per character
    QList<int> kinds;              // AsWritten or Spaced, parallel to characters
};

// The catalogue text of practice lesson 1-33 ("" for other numbers).
QString raw(int lesson);
// Replaces every four-digit decimal character reference by its character.
QString decodeReferences(const QString &text);
// Cleans the markup and respaces drill lines; appends to lines.characters and
// replaces lines.kinds.
QString prepare(QString text, Lines &lines);
// raw(lesson), prepared unless `unprocessed`.
QString practiceText(int lesson, bool unprocessed, Lines &lines);
}
