#include "ParagraphFormat.h"

#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <algorithm>

namespace kelmora::model {

namespace {

ParaAlignment alignmentOf(Qt::Alignment a)
{
    a &= Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignJustify)
        return ParaAlignment::Justify;
    if (a & Qt::AlignHCenter)
        return ParaAlignment::Center;
    if (a & (Qt::AlignRight | Qt::AlignTrailing))
        return ParaAlignment::Right;
    return ParaAlignment::Left;
}

Qt::Alignment qtAlignment(ParaAlignment a)
{
    switch (a) {
    case ParaAlignment::Right: return Qt::AlignRight;
    case ParaAlignment::Center: return Qt::AlignHCenter;
    case ParaAlignment::Justify: return Qt::AlignJustify;
    case ParaAlignment::Left: break;
    }
    return Qt::AlignLeft;
}

// Applies change(indents) to every block as one undoable step.
template <class F>
void changeIndents(QTextDocument *doc, const QList<QTextBlock> &blocks, F change)
{
    QTextCursor c(doc);
    c.beginEditBlock();
    for (const QTextBlock &b : blocks) {
        QTextBlockFormat f = b.blockFormat();
        ParagraphIndents p = indents(f);
        change(p);
        setIndents(f, p, b.textList() != nullptr);
        c.setPosition(b.position());
        c.setBlockFormat(f);
    }
    c.endEditBlock();
}

void appendBlocks(QList<QTextBlock> &out, const QTextDocument &doc, int from, int to)
{
    const QTextBlock last = doc.findBlock(to);
    for (QTextBlock b = doc.findBlock(from); b.isValid(); b = b.next()) {
        out.append(b);
        if (b == last)
            break;
    }
}

// The paragraphs of a selection of table cells: those of each selected cell.
QList<QTextBlock> blocksOfCells(const QTextCursor &selection)
{
    QList<QTextBlock> out;
    int firstRow = 0, rows = 0, firstColumn = 0, columns = 0;
    selection.selectedTableCells(&firstRow, &rows, &firstColumn, &columns);
    QTextCursor start(selection.document());
    start.setPosition(selection.selectionStart());
    const QTextTable *table = start.currentTable();
    if (!table)
        return out;
    QList<int> seen; // cells spanning several selected places count once
    for (int r = firstRow; r < firstRow + rows; ++r) {
        for (int c = firstColumn; c < firstColumn + columns; ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            if (!cell.isValid() || seen.contains(cell.firstPosition()))
                continue;
            seen.append(cell.firstPosition());
            appendBlocks(out, *selection.document(), cell.firstPosition(), cell.lastPosition());
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

// What holds a paragraph: the cell it is in (its first position), or -1
// outside tables; with the innermost frame, that tells containers apart.
std::pair<const QTextFrame *, int> containerOf(const QTextBlock &block)
{
    QTextCursor c(block);
    const QTextTable *table = c.currentTable();
    const int cell = table ? table->cellAt(block.position()).firstPosition() : -1;
    return {c.currentFrame(), cell};
}

} // namespace

ParagraphLook paragraphLook(const QTextCursor &selection)
{
    const QTextDocument *doc = selection.document();
    if (!doc)
        return {};
    const QTextBlock block = doc->findBlock(selection.selectionStart());
    const ParagraphIndents in = indents(block.blockFormat());
    return {alignmentOf(block.blockFormat().alignment()), in.first / 20, in.left / 20, in.right / 20,
            numbering(block)};
}

QList<QTextBlock> selectedBlocks(const QTextCursor &selection)
{
    QList<QTextBlock> out;
    const QTextDocument *doc = selection.document();
    if (!doc)
        return out;
    if (selection.hasComplexSelection())
        return blocksOfCells(selection);
    appendBlocks(out, *doc, selection.selectionStart(), selection.selectionEnd());
    return out;
}

void setAlignment(const QTextCursor &selection, ParaAlignment alignment)
{
    QTextBlockFormat f;
    f.setAlignment(qtAlignment(alignment));
    QTextCursor c = selection;
    c.mergeBlockFormat(f);
}

void setIndent(const QTextCursor &selection, Indent which, int points)
{
    changeIndents(selection.document(), selectedBlocks(selection), [which, points](ParagraphIndents &p) {
        (which == Indent::First ? p.first : which == Indent::Left ? p.left : p.right) = points * 20;
    });
}

void setNumbering(const QTextCursor &selection, Numbering n)
{
    QTextDocument *doc = selection.document();
    if (!doc)
        return;
    const QList<QTextBlock> blocks = selectedBlocks(selection);
    QTextCursor c(doc);
    c.beginEditBlock();
    for (const QTextBlock &b : blocks) {
        if (QTextList *list = b.textList())
            list->remove(b);
    }
    changeIndents(doc, blocks, [n](ParagraphIndents &p) {
        if (n == Numbering::None)
            p.left = 0;
        else if (p.left < 200)
            p.left = 200;
    });
    if (n != Numbering::None && !blocks.isEmpty()) {
        // In pieces, as the readers hold bulleted lists (BulletListPiece):
        // Qt revisits every member of a list each time one joins it. A
        // piece stays in one cell (or outside tables): a selection from one
        // cell to another would be one of whole cells.
        const qsizetype piece = n == Numbering::Bullet ? BulletListPiece : blocks.size();
        qsizetype first = 0;
        auto container = containerOf(blocks.first());
        for (qsizetype i = 1; i <= blocks.size(); ++i) {
            const bool end = i == blocks.size();
            const auto here = end ? container : containerOf(blocks.at(i));
            const bool apart = !end && (here != container || blocks.at(i - 1).next() != blocks.at(i));
            if (!end && !apart && i - first < piece)
                continue;
            QTextCursor sel(doc);
            sel.setPosition(blocks.at(first).position());
            sel.setPosition(blocks.at(i - 1).position(), QTextCursor::KeepAnchor);
            sel.createList(listFormat(n));
            first = i;
            container = here;
        }
        // The marker now hangs in the first-line offset: lay the indents out again.
        changeIndents(doc, blocks, [](ParagraphIndents &) {});
    }
    c.endEditBlock();
}

} // namespace kelmora::model
