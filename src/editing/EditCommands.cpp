#include "EditCommands.h"

#include "documents/DocumentHost.h"
#include "documents/RichEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

namespace kelmora {

namespace {

struct ClipboardTarget {
    QTextEdit *edit = nullptr;
    QLineEdit *line = nullptr;
    explicit operator bool() const { return edit || line; }
    bool hasSelection() const
    {
        return edit ? edit->textCursor().hasSelection() : line && line->hasSelectedText();
    }
};

ClipboardTarget clipboardTarget(const QWidget *window)
{
    QWidget *focus = QApplication::focusWidget();
    // While one of our popup menus is open (the document menu), the target is
    // the control that had the focus in the window before it opened.
    const bool popup = QApplication::activePopupWidget() != nullptr;
    if (popup)
        focus = window->focusWidget();
    ClipboardTarget t;
    if (!focus || (!popup && !focus->hasFocus()))
        return t;
    if (auto *edit = qobject_cast<QTextEdit *>(focus))
        t.edit = edit;
    else if (auto *line = qobject_cast<QLineEdit *>(focus); line && !qobject_cast<QComboBox *>(line->parentWidget()))
        t.line = line;
    return t;
}

} // namespace

void EditCommands::undo()
{
    if (TRichEdit *editor = m_host.activeEditor())
        editor->undo();
}

void EditCommands::selectAll()
{
    if (TRichEdit *editor = m_host.activeEditor())
        editor->selectAll();
}

void EditCommands::deleteSelection()
{
    if (TRichEdit *editor = m_host.activeEditor())
        editor->ClearSelection();
}

ClipboardState EditCommands::clipboardState(const QWidget *window, bool clipboardHasText)
{
    const ClipboardTarget t = clipboardTarget(window);
    return {t && t.hasSelection(), t && t.hasSelection(), t && clipboardHasText};
}

void EditCommands::cut(const QWidget *window)
{
    const ClipboardTarget t = clipboardTarget(window);
    if (t.hasSelection())
        t.edit ? t.edit->cut() : t.line->cut();
}

void EditCommands::copy(const QWidget *window)
{
    const ClipboardTarget t = clipboardTarget(window);
    if (t.hasSelection())
        t.edit ? t.edit->copy() : t.line->copy();
}

void EditCommands::paste(const QWidget *window)
{
    const ClipboardTarget t = clipboardTarget(window);
    if (t)
        t.edit ? t.edit->paste() : t.line->paste();
}

} // namespace kelmora
