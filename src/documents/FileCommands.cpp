// The frame's file commands: New, Open, Save, Save As, the close prompt's
// save and the exit pass. The title doubles as the path; the format switch
// (PlainText) decides what every write produces and only the save dialog's
// filter changes it.

#include "Childwin.h"
#include "Main.h"
#include "Platform.h"
#include "RichEdit.h"

#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace kelmora {

namespace {

// Asks before a name that got an extension appended replaces a file.
bool confirmReplace(QWidget *parent, const QString &path)
{
    MessageRequest ask;
    ask.text = path + QStringLiteral(" zaten var.\nDeğiştirmek istiyor musunuz?");
    ask.caption = QStringLiteral("Kaydet");
    ask.icon = QMessageBox::Warning;
    ask.buttons = QMessageBox::Yes | QMessageBox::No;
    ask.defaultButton = QMessageBox::No;
    return platform().messageBox(parent, ask) == QMessageBox::Yes;
}

} // namespace

TMDIchild *TAna::openDocumentWindow(const QString &name, bool untitled)
{
    const int index = MDIChildCount() % 8;
    auto *child = new TMDIchild;
    child->SetCaption(name);
    child->SetUntitled(untitled);
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
    // The window is open and titled before reading starts; a read error
    // leaves it so.
    if (!untitled && QFileInfo(name).isFile())
        child->RichEdit1->LoadFromFile(name);
    return child;
}

void TAna::pencere_ac(const QString &name)
{
    openDocumentWindow(name, false);
}

void TAna::FileNew1Execute(QObject *)
{
    // Not a running counter: after closing ADSIZ1 of two, New gives ADSIZ2 again.
    const QString name = QStringLiteral("ADSIZ") + QString::number(MDIChildCount() + 1);
    openDocumentWindow(name, true);
    TRichEdit *editor = activeEditor();
    editor->Clear();
    editor->Paragraph().SetAlignment(ParaAlignment::Left);
    editor->SetModified(false);
    durum_kontrol(this);
}

void TAna::FileOpen1Execute(QObject *)
{
    if (!platform().fileDialog(this, Open1))
        return;
    pencere_ac(Open1.fileName);
    activeEditor()->SetModified(false);
    // The boxes show the new document's formatting at the caret.
    durum_kontrol(this);
}

void TAna::FileSaveItemClick(QObject *)
{
    TMDIchild *child = ActiveMDIChild();
    if (!child)
        return;
    if (child->TitleNamesExistingFile()) {
        child->RichEdit1->SaveToFile(child->Caption());
        child->RichEdit1->SetModified(false);
        return;
    }
    saveAs(child);
}

void TAna::ToolButton2Click(QObject *sender)
{
    FileSaveItemClick(sender);
}

void TAna::FileSaveAsItemClick(QObject *)
{
    if (TMDIchild *child = ActiveMDIChild())
        saveAs(child);
}

bool TAna::saveAs(TMDIchild *child)
{
    if (!platform().fileDialog(this, save1))
        return false;
    if (!save1.fileName.contains(QLatin1Char('.'))) {
        save1.fileName += save1.filterIndex == 1 ? QStringLiteral(".TXT") : QStringLiteral(".RTF");
        // The dialog asked about the name as chosen; nothing is replaced
        // without a question, so the extended name is confirmed again.
        if (QFileInfo::exists(save1.fileName) && !confirmReplace(this, save1.fileName))
            return false;
    }
    TRichEdit *editor = child->RichEdit1;
    editor->SetPlainText(save1.filterIndex == 1);
    editor->SaveToFile(save1.fileName);
    child->SetCaption(save1.fileName);
    child->SetUntitled(false);
    editor->SetModified(false);
    return true;
}

bool TAna::saveForClose(TMDIchild *child)
{
    TRichEdit *editor = child->RichEdit1;
    if (child->TitleNamesExistingFile()) {
        editor->SaveToFile(child->Caption());
    } else {
        if (!platform().fileDialog(this, save1))
            return false;
        // Exactly the name chosen, in the document's current format.
        editor->SaveToFile(save1.fileName);
    }
    editor->SetModified(false);
    return true;
}

bool TAna::FormClose(QObject *)
{
    // Visit every document open now once, from the active one on, in the
    // order the frame cycles through its windows.
    QList<TMDIchild *> order = MDIChildren();
    if (TMDIchild *active = ActiveMDIChild()) {
        const qsizetype at = order.indexOf(active);
        if (at > 0)
            std::rotate(order.begin(), order.begin() + at, order.end());
    }
    QList<QPointer<TMDIchild>> visits;
    for (TMDIchild *c : order)
        visits.append(c);

    for (const QPointer<TMDIchild> &child : visits) {
        if (!child || !child->RichEdit1->Modified())
            continue;
        m_mdiArea->setActiveSubWindow(child->subWindow());
        MessageRequest ask;
        ask.text = child->Caption() + QStringLiteral(" Dosyasındaki Değişiklikleri Kaydetmek İstiyor musunuz?");
        ask.caption = QStringLiteral("Dikkat");
        ask.icon = QMessageBox::Question;
        ask.buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        ask.defaultButton = QMessageBox::Yes;
        for (;;) {
            const auto answer = platform().messageBox(this, ask);
            if (answer == QMessageBox::Yes) {
                if (!saveForClose(child))
                    continue; // dialog cancelled: the same question again
                // Its modified flag is clear now, so its own prompt asks nothing.
                child->subWindow()->close();
                break;
            }
            if (answer == QMessageBox::No)
                break;
            return false; // Cancel: the frame stays open
        }
    }
    return true;
}

} // namespace kelmora
