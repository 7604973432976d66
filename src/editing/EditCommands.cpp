// The edit commands: undo, select all, delete on the active document, and
// the three clipboard actions, which find their own target: the focused
// text-editing control (a document's editor or a single-line text box, never
// a drop-down list). Without a target they are disabled.

#include "Guard.h"
#include "Main.h"
#include "RichEdit.h"
#include "metinara.h"
#include "prgf_ayari.h"

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

ClipboardTarget clipboardTarget(const QWidget *frame)
{
    QWidget *focus = QApplication::focusWidget();
    // While one of our popup menus is open (the document menu), the target is
    // the control that had the focus in the frame before it opened.
    const bool popup = QApplication::activePopupWidget() != nullptr;
    if (popup)
        focus = frame->focusWidget();
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

void TAna::updateClipboardActions()
{
    const ClipboardTarget t = clipboardTarget(this);
    EditCut1->setEnabled(t && t.hasSelection());
    EditCopy1->setEnabled(t && t.hasSelection());
    EditPaste1->setEnabled(t && m_clipboardHasText);
}

void TAna::connectClipboardActions()
{
    // Each action updates itself first and runs only when then enabled.
    connect(EditCut1, &QAction::triggered, this, guard([this] {
                updateClipboardActions();
                const ClipboardTarget t = clipboardTarget(this);
                if (EditCut1->isEnabled())
                    t.edit ? t.edit->cut() : t.line->cut();
            }));
    connect(EditCopy1, &QAction::triggered, this, guard([this] {
                updateClipboardActions();
                const ClipboardTarget t = clipboardTarget(this);
                if (EditCopy1->isEnabled())
                    t.edit ? t.edit->copy() : t.line->copy();
            }));
    connect(EditPaste1, &QAction::triggered, this, guard([this] {
                updateClipboardActions();
                const ClipboardTarget t = clipboardTarget(this);
                if (EditPaste1->isEnabled())
                    t.edit ? t.edit->paste() : t.line->paste();
            }));
}

void TAna::GeriAl1Click(QObject *)
{
    if (TRichEdit *editor = activeEditor())
        editor->Undo();
}

void TAna::ToolButton17Click(QObject *sender) { GeriAl1Click(sender); }
void TAna::GeriAl2Click(QObject *sender) { GeriAl1Click(sender); }

void TAna::TmnSe1Click(QObject *)
{
    if (TRichEdit *editor = activeEditor())
        editor->SelectAll();
}

void TAna::TmnSe2Click(QObject *sender) { TmnSe1Click(sender); }

void TAna::Sil1Click(QObject *)
{
    if (TRichEdit *editor = activeEditor())
        editor->ClearSelection();
}

void TAna::Sil2Click(QObject *sender) { Sil1Click(sender); }

void TAna::MetinAra1Click(QObject *)
{
    if (metin_ara)
        metin_ara->exec();
}

void TAna::ToolButton15Click(QObject *)
{
    if (metin_ara)
        metin_ara->exec();
}

void TAna::Paragraf1Click(QObject *)
{
    if (paragraf_ayari)
        paragraf_ayari->exec();
    durum_kontrol(this);
}

void TAna::Paragraf2Click(QObject *sender) { Paragraf1Click(sender); }

} // namespace kelmora
