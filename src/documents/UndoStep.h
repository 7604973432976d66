#pragma once
// UndoStep: what a command changes in an editor while one lives is one step
// of the editor's undo history, so one undo takes the whole command back, be
// it one write or four. Steps nest (the outermost counts) and end also when
// the command throws. A command opens its step after any dialog it shows:
// while a step is open the editor holds back laying out the changes.

#include <QTextCursor>
#include <QTextEdit>

namespace kelmora {

class UndoStep {
public:
    explicit UndoStep(QTextEdit *editor) : m_cursor(editor->textCursor()) { m_cursor.beginEditBlock(); }
    ~UndoStep() { m_cursor.endEditBlock(); }
    UndoStep(const UndoStep &) = delete;
    UndoStep &operator=(const UndoStep &) = delete;

private:
    QTextCursor m_cursor;
};

} // namespace kelmora
