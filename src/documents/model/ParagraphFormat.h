#pragma once
// The paragraph attributes of a selection as the editing surface reports and
// writes them: read from the paragraph holding the selection start (indents
// in whole points, truncated from the twips kept), written to every paragraph
// the selection touches, each write one undoable step.

#include "DocumentModel.h"

#include <QList>
#include <QTextBlock>
#include <QTextCursor>

namespace kelmora::model {

enum class ParaAlignment { Left, Right, Center, Justify };

struct ParagraphLook {
    ParaAlignment alignment = ParaAlignment::Left;
    int first = 0; // whole points
    int left = 0;
    int right = 0;
    Numbering numbering = Numbering::None;
    friend bool operator==(const ParagraphLook &, const ParagraphLook &) = default;
};

ParagraphLook paragraphLook(const QTextCursor &selection);

// The paragraphs from the one holding the selection start to the one holding its end.
QList<QTextBlock> selectedBlocks(const QTextCursor &selection);

void setAlignment(const QTextCursor &selection, ParaAlignment alignment);
enum class Indent { First, Left, Right };
void setIndent(const QTextCursor &selection, Indent which, int points);
// Bullet first raises a left indent below 10 points to 10; none sets it to 0.
void setNumbering(const QTextCursor &selection, Numbering numbering);

} // namespace kelmora::model
