// The command state, in one place. Three steps, each with its own trigger:
//   Timer1Timer    the 200 ms tick: the document commands and the formatting
//                  bar are enabled while a document window exists;
//   updateActions  whenever the program is idle, a menu opens or a shortcut
//                  is judged: close, window arrangement and the clipboard
//                  commands follow the active document and the clipboard;
//   durum_kontrol  the host's refresh(), on every key and click in a document
//                  and after the commands that change the look: the
//                  formatting bar mirrors the selection.
// Nothing else in the frame enables a command or sets a button's state.

#include "Main.h"

#include "base/ui/Guard.h"
#include "base/ui/Wiring.h"

#include <QAbstractEventDispatcher>
#include <QButtonGroup>
#include <QComboBox>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

namespace kelmora {

void TAna::buildRefresh()
{
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(200);
    // An error in a tick is shown and the timer goes on.
    wire(this, Timer1, &QTimer::timeout, &TAna::Timer1Timer);
    Timer1->start();

    // The self-enabling actions follow the state whenever the program is idle.
    if (auto *dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { guarded([this] { updateActions(); }); });
    updateActions();
}

void TAna::Timer1Timer(QObject *)
{
    const QList<QWidget *> documentControls{ToolButton18, ToolButton19, ToolButton20, ToolButton22, ToolButton23,
                                            ToolButton24, ToolButton26, ToolButton27, ToolButton2,  ToolButton12,
                                            ToolButton15, ComboBox1,    ComboBox2};
    const QList<QAction *> documentCommands{MetinAra1,    Biim1->menuAction(), Edit1->menuAction(), FileSaveItem,
                                            FileSaveAsItem, yazdir,            Window1->menuAction()};
    if (MDIChildCount() > 0) {
        for (QWidget *w : documentControls)
            w->setEnabled(true);
        for (QAction *a : documentCommands)
            a->setEnabled(true);
        ToolButton17->setEnabled(true);
        const TRichEdit *editor = activeEditor();
        const bool modified = editor && editor->Modified();
        ToolButton17->setEnabled(modified);
        GeriAl1->setEnabled(modified);
    } else {
        for (QWidget *w : documentControls)
            w->setEnabled(false);
        // The bullets button keeps its pressed state.
        for (QToolButton *b : {ToolButton18, ToolButton19, ToolButton20})
            b->setChecked(false);
        // An exclusive group never lets its last checked button go.
        alignmentGroup->setExclusive(false);
        for (QToolButton *b : {ToolButton22, ToolButton23, ToolButton24})
            b->setChecked(false);
        alignmentGroup->setExclusive(true);
        for (QAction *a : documentCommands)
            a->setEnabled(false);
        ToolButton17->setEnabled(false);
    }
}

void TAna::updateActions()
{
    const int count = MDIChildCount();
    FileClose1->setEnabled(ActiveMDIChild() != nullptr);
    for (QAction *a : {WindowCascade1, WindowTileHorizontal1, WindowTileVertical1, WindowMinimizeAll1})
        a->setEnabled(count > 0);
    updateClipboardActions();
}

void TAna::updateClipboardActions()
{
    const ClipboardState can = EditCommands::clipboardState(this, m_clipboardHasText);
    EditCut1->setEnabled(can.cut);
    EditCopy1->setEnabled(can.copy);
    EditPaste1->setEnabled(can.paste);
}

void TAna::refresh()
{
    durum_kontrol(this);
}

void TAna::durum_kontrol(QObject *)
{
    TRichEdit *editor = activeEditor();
    if (!editor)
        return;
    ToolButton18->setChecked(editor->SelAttributes().Style().testFlag(FontStyle::Bold));
    ToolButton19->setChecked(editor->SelAttributes().Style().testFlag(FontStyle::Underline));
    ToolButton20->setChecked(editor->SelAttributes().Style().testFlag(FontStyle::Italic));
    // Setting one alignment button down releases the other two through the
    // group; justified text matches none and leaves the group as it was.
    if (editor->Paragraph().Alignment() == ParaAlignment::Left)
        ToolButton22->setChecked(true);
    if (editor->Paragraph().Alignment() == ParaAlignment::Center)
        ToolButton23->setChecked(true);
    if (editor->Paragraph().Alignment() == ParaAlignment::Right)
        ToolButton24->setChecked(true);
    ToolButton27->setChecked(editor->Paragraph().GetNumbering() != Numbering::None);
    setComboText(ComboBox1, editor->SelAttributes().Name());
    setComboText(ComboBox2, QString::number(editor->SelAttributes().Size()));
}

} // namespace kelmora
