// The frame as the host of the document windows, and its file, print, edit
// and formatting handlers: each passes on to the command class of its layer.

#include "Main.h"

#include "documents/Childwin.h"
#include "editing/metinara.h"
#include "editing/prgf_ayari.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolButton>

namespace kelmora {

// ---- the host ----------------------------------------------------------------

void TAna::adoptDocumentWindow(TMDIchild *child)
{
    const int index = MDIChildCount() % 8;
    QMdiSubWindow *sw = m_mdiArea->addSubWindow(child);
    sw->setAttribute(Qt::WA_DeleteOnClose);
    // Each new window steps down and to the right of the last, as a cascade,
    // and stays inside the client area.
    const QSize area = m_mdiArea->viewport()->size();
    if (area.width() > 200 && area.height() > 150) {
        const int offset = qMin(24 * index, qMin(area.width(), area.height()) / 4);
        sw->setGeometry(offset, offset, area.width() * 3 / 4, area.height() * 3 / 4);
    }
    sw->show();
    m_mdiArea->setActiveSubWindow(sw);
    child->RichEdit1->setFocus();
}

void TAna::activateDocument(TMDIchild *child)
{
    m_mdiArea->setActiveSubWindow(child->subWindow());
}

// ---- files and printing -----------------------------------------------------

void TAna::pencere_ac(const QString &name) { m_files.openWindow(name); }
void TAna::FileNew1Execute(QObject *) { m_files.newDocument(); }
void TAna::FileOpen1Execute(QObject *) { m_files.open(); }
void TAna::FileSaveItemClick(QObject *) { m_files.save(); }
void TAna::ToolButton2Click(QObject *sender) { FileSaveItemClick(sender); }
void TAna::FileSaveAsItemClick(QObject *) { m_files.saveAs(); }
bool TAna::FormClose(QObject *) { return m_files.exitPass(); }
void TAna::yazdirClick(QObject *) { m_files.print(); }
void TAna::ToolButton12Click(QObject *sender) { yazdirClick(sender); }

// ---- edit commands ----------------------------------------------------------

void TAna::GeriAl1Click(QObject *) { m_edit.undo(); }
void TAna::ToolButton17Click(QObject *sender) { GeriAl1Click(sender); }
void TAna::GeriAl2Click(QObject *sender) { GeriAl1Click(sender); }
void TAna::TmnSe1Click(QObject *) { m_edit.selectAll(); }
void TAna::TmnSe2Click(QObject *sender) { TmnSe1Click(sender); }
void TAna::Sil1Click(QObject *) { m_edit.deleteSelection(); }
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

void TAna::Paragraf2Click(QObject *sender) { Paragraf1Click(sender); }

void TAna::Paragraf1Click(QObject *)
{
    if (paragraf_ayari)
        paragraf_ayari->exec();
    refresh();
}

// Each clipboard action updates itself first and runs only when then enabled.
void TAna::EditCut1Execute(QObject *)
{
    updateClipboardActions();
    if (EditCut1->isEnabled())
        EditCommands::cut(this);
}

void TAna::EditCopy1Execute(QObject *)
{
    updateClipboardActions();
    if (EditCopy1->isEnabled())
        EditCommands::copy(this);
}

void TAna::EditPaste1Execute(QObject *)
{
    updateClipboardActions();
    if (EditPaste1->isEnabled())
        EditCommands::paste(this);
}

// ---- formatting commands ----------------------------------------------------

void TAna::toggleStyle(FontStyle member, QToolButton *button)
{
    if (const std::optional<bool> on = m_format.toggleStyle(member))
        button->setChecked(*on);
}

void TAna::ToolButton18Click(QObject *) { toggleStyle(FontStyle::Bold, ToolButton18); }
void TAna::ToolButton19Click(QObject *) { toggleStyle(FontStyle::Underline, ToolButton19); }
void TAna::ToolButton20Click(QObject *) { toggleStyle(FontStyle::Italic, ToolButton20); }
void TAna::ToolButton22Click(QObject *) { m_format.align(ParaAlignment::Left); }
void TAna::ToolButton23Click(QObject *) { m_format.align(ParaAlignment::Center); }
void TAna::ToolButton24Click(QObject *) { m_format.align(ParaAlignment::Right); }
void TAna::ToolButton26Click(QObject *) { m_format.textColour(renkColor); }
void TAna::ToolButton28Click(QObject *sender) { Maddemi1Click(sender); }
void TAna::ComboBox1Change(QObject *) { m_format.setFace(ComboBox1->currentText()); }
void TAna::ComboBox2Change(QObject *) { m_format.setSize(ComboBox2->currentText()); }
void TAna::ComboBox2KeyPress(QObject *, QChar &key) { m_format.sizeKeyPress(key, ComboBox2->currentText()); }

void TAna::YazTipi1Click(QObject *)
{
    m_format.fontDialog(ComboBox1->currentText(), ComboBox2->currentText(), FontDialog1Font);
}

void TAna::Maddemi1Click(QObject *)
{
    if (const std::optional<bool> on = m_format.toggleBullet()) {
        ToolButton27->setChecked(*on);
        Maddemi1->setChecked(*on);
    }
}

} // namespace kelmora
