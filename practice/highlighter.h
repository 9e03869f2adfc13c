#pragma once

#include <QHash>
#include <QMap>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <QVector>

// Colours the typed characters of a practice text: correct, wrong and the
// current position. Marks are addressed by line (the n-th block that has
// text) and position in that block; a position carries at most one mark.
class Highlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    enum Kind { Wrong, Current, Correct };

    explicit Highlighter(QTextDocument *document);

    void addMark(Kind kind, int line, int position);
    void removeMark(int line, int position);
    void clearMarks();
    int count(Kind kind) const;
    // Rebuilds the map from lines to blocks after the document's text changed.
    void indexLines();
    // The document block that shows a line; -1 past the last.
    int blockOf(int line) const { return blockOfLine.value(line, -1); }

protected:
    void highlightBlock(const QString &text) override;

private:
    void refresh(int line);
    bool take(int line, int position);

    // per line: position -> kind; kept per line so that a mark change costs
    // the same near the end of a long text as near its start
    QHash<int, QMap<int, int>> marks;
    int counts[3] = {0, 0, 0};
    QTextCharFormat formats[3];
    QVector<int> blockOfLine;
    QHash<int, int> lineOfBlock;
};
