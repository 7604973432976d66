#include "ParagraphFormat.h"

#include <QTextDocument>
#include <QTextList>

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
    const QTextBlock last = doc->findBlock(selection.selectionEnd());
    for (QTextBlock b = doc->findBlock(selection.selectionStart()); b.isValid(); b = b.next()) {
        out.append(b);
        if (b == last)
            break;
    }
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
        // Qt revisits every member of a list each time one joins it.
        const qsizetype piece = n == Numbering::Bullet ? BulletListPiece : blocks.size();
        for (qsizetype first = 0; first < blocks.size(); first += piece) {
            QTextCursor sel(doc);
            sel.setPosition(blocks.at(first).position());
            sel.setPosition(blocks.at(qMin(first + piece, blocks.size()) - 1).position(), QTextCursor::KeepAnchor);
            sel.createList(listFormat(n));
        }
        // The marker now hangs in the first-line offset: lay the indents out again.
        changeIndents(doc, blocks, [](ParagraphIndents &) {});
    }
    c.endEditBlock();
}

} // namespace kelmora::model
