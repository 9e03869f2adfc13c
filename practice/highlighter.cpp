#include "practice/highlighter.h"

#include <algorithm>

#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

Highlighter::Highlighter(QTextEdit *textEdit) : QObject(textEdit), editor(textEdit)
{
    // Colours only: the marked letters keep the weight of the rest of their word.
    const QColor text[] = {Qt::white, Qt::magenta, QColor(Qt::gray)};
    const QColor background[] = {Qt::red, Qt::yellow, Qt::green};
    for (int kind = 0; kind < 3; ++kind) {
        formats[kind].setForeground(text[kind]);
        formats[kind].setBackground(background[kind]);
    }
    indexLines();
    // Scrolling or a new size brings other lines into view.
    connect(editor->verticalScrollBar(), &QScrollBar::valueChanged, this, &Highlighter::refresh);
    connect(editor->verticalScrollBar(), &QScrollBar::rangeChanged, this, &Highlighter::refresh);
}

void Highlighter::indexLines()
{
    blockOfLine.clear();
    if (!editor)
        return;
    for (QTextBlock block = editor->document()->begin(); block.isValid(); block = block.next())
        if (!block.text().isEmpty())
            blockOfLine.append(block.blockNumber());
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
    refresh();
}

void Highlighter::removeMark(int line, int position)
{
    if (take(line, position))
        refresh();
}

void Highlighter::clearMarks()
{
    marks.clear();
    counts[Wrong] = counts[Current] = counts[Correct] = 0;
    refresh();
}

int Highlighter::count(Kind kind) const
{
    return counts[kind];
}

// One selection of one character per mark, for the lines in view only: the
// cost of a change stays that of a screenful on texts of any length.
void Highlighter::refresh()
{
    if (!editor)
        return;
    const QRect view = editor->viewport()->rect();
    const int firstBlock = editor->cursorForPosition(view.topLeft()).blockNumber();
    const int lastBlock = editor->cursorForPosition(view.bottomRight()).blockNumber();
    const auto first = std::lower_bound(blockOfLine.cbegin(), blockOfLine.cend(), firstBlock);
    const auto end = std::upper_bound(first, blockOfLine.cend(), lastBlock);
    QList<QTextEdit::ExtraSelection> selections;
    const QTextDocument *document = editor->document();
    for (auto at = first; at != end; ++at) {
        const auto line = marks.constFind(int(at - blockOfLine.cbegin()));
        if (line == marks.cend())
            continue;
        const QTextBlock block = document->findBlockByNumber(*at);
        for (auto mark = line->cbegin(); mark != line->cend(); ++mark) {
            if (mark.key() < 0 || mark.key() >= block.length() - 1)
                continue;
            QTextCursor cursor(block);
            cursor.setPosition(block.position() + mark.key());
            cursor.setPosition(block.position() + mark.key() + 1, QTextCursor::KeepAnchor);
            selections.append({cursor, formats[mark.value()]});
        }
    }
    editor->setExtraSelections(selections);
}
