#include "practice/highlighter.h"

#include <QTextDocument>

Highlighter::Highlighter(QTextDocument *document) : QSyntaxHighlighter(document)
{
    const QColor text[] = {Qt::white, Qt::magenta, QColor(Qt::gray)};
    const QColor background[] = {Qt::red, Qt::yellow, Qt::green};
    for (int kind = 0; kind < 3; ++kind) {
        formats[kind].setFontWeight(75);
        formats[kind].setForeground(text[kind]);
        formats[kind].setBackground(background[kind]);
    }
    indexLines();
}

void Highlighter::indexLines()
{
    blockOfLine.clear();
    lineOfBlock.clear();
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        if (!block.text().isEmpty()) {
            lineOfBlock.insert(block.blockNumber(), blockOfLine.size());
            blockOfLine.append(block.blockNumber());
        }
}

bool Highlighter::take(int line, int position)
{
    auto found = marks.find(line);
    if (found == marks.end())
        return false;
    auto mark = found->find(position);
    if (mark == found->end())
        return false;
    --counts[*mark];
    found->erase(mark);
    return true;
}

void Highlighter::addMark(Kind kind, int line, int position)
{
    take(line, position);
    marks[line].insert(position, kind);
    ++counts[kind];
    refresh(line);
}

void Highlighter::removeMark(int line, int position)
{
    if (take(line, position))
        refresh(line);
}

void Highlighter::clearMarks()
{
    marks.clear();
    counts[Wrong] = counts[Current] = counts[Correct] = 0;
    rehighlight();
}

int Highlighter::count(Kind kind) const
{
    return counts[kind];
}

// Only the block of the changed line is highlighted again: the result is
// the same as highlighting the whole document, at a cost that does not grow
// with the length of the text.
void Highlighter::refresh(int line)
{
    if (line >= 0 && line < blockOfLine.size())
        rehighlightBlock(document()->findBlockByNumber(blockOfLine[line]));
}

void Highlighter::highlightBlock(const QString &text)
{
    if (text.isEmpty())
        return;
    const int line = lineOfBlock.value(currentBlock().blockNumber(), -1);
    if (line < 0)
        return;
    const QMap<int, int> lineMarks = marks.value(line);
    for (auto mark = lineMarks.cbegin(); mark != lineMarks.cend(); ++mark)
        setFormat(mark.key(), 1, formats[mark.value()]);
}
