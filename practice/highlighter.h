#pragma once

#include <QHash>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QTextCharFormat>
#include <QVector>

class QTextEdit;

// Colours the typed characters of a practice text: correct, wrong and the
// current position. Marks are addressed by line (the n-th block that has
// text) and position in that block; a position carries at most one mark.
// They are drawn as the editor's extra selections, which paint over the
// laid-out text: character formats would split the text into runs shaped
// apart, and an Arabic letter would lose its joining to its word.
class Highlighter : public QObject
{
    Q_OBJECT
public:
    enum Kind { Wrong, Current, Correct };

    explicit Highlighter(QTextEdit *editor);

    void addMark(Kind kind, int line, int position);
    void removeMark(int line, int position);
    void clearMarks();
    int count(Kind kind) const;
    // Rebuilds the map from lines to blocks after the document's text changed.
    void indexLines();
    // The document block that shows a line; -1 past the last.
    int blockOf(int line) const { return blockOfLine.value(line, -1); }

private:
    void refresh();
    bool take(int line, int position);

    QPointer<QTextEdit> editor;
    // per line: position -> kind
    QHash<int, QMap<int, int>> marks;
    int counts[3] = {0, 0, 0};
    QTextCharFormat formats[3];
    QVector<int> blockOfLine;
};
