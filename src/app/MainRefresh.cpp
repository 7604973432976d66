// The command-state refresh: the 200 ms tick that enables the document
// commands while a document window exists, and durum_kontrol, which mirrors
// the selection's formatting into the formatting bar.

#include "Main.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QMenu>
#include <QToolButton>

namespace kelmora {

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
