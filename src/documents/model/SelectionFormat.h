#pragma once
// The text attributes of a selection, read the way the editing surface
// reports them: a style member only when every selected character has it;
// face, size and colour of the first selected character. Paragraph ends are
// not characters here: a selection that holds nothing else reports what a
// caret at its start reports, so an empty line or a Shift+Right at a line end
// shows the look of the text there, never a style nobody wrote.
//
// One pass over the selection's fragments gives all four, judging each
// distinct character format once; it stops as soon as no style is common.

#include "CharacterFormat.h"

#include <QTextCursor>

#include <optional>

namespace kelmora::model {

struct SelectionLook {
    QString face;
    int size = 0; // whole points
    FontStyles styles;
    std::optional<QColor> colour; // empty: the automatic colour
    friend bool operator==(const SelectionLook &, const SelectionLook &) = default;
};

// The look of cursor's selection, or with nothing selected, of the text the
// caret would type (the cursor's own character format).
SelectionLook selectionLook(const QTextCursor &cursor);

} // namespace kelmora::model
