#include "FileCommands.h"

#include "Childwin.h"
#include "DocumentHost.h"
#include "Printing.h"
#include "RichEdit.h"

#include <QFileInfo>
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

TRichEdit *DocumentHost::activeEditor() const
{
    TMDIchild *child = activeDocument();
    return child ? child->RichEdit1 : nullptr;
}

FileDialogState openDialogSetup()
{
    FileDialogState s;
    s.mode = FileDialogState::Mode::Open;
    s.title = QStringLiteral("Aç");
    s.filters = {{QStringLiteral("Text Dosyası"), QStringLiteral("*.Txt")},
                 {QStringLiteral("Zengin Metin Dosyası"), QStringLiteral("*.Rtf")}};
    s.defaultExt = QStringLiteral("TXT");
    s.fileMustExist = true;
    return s;
}

FileDialogState saveDialogSetup()
{
    FileDialogState s;
    s.mode = FileDialogState::Mode::Save;
    s.title = QStringLiteral("Kaydet");
    s.filters = {{QStringLiteral("Txt Dosyası"), QStringLiteral("*.Txt")},
                 {QStringLiteral("Zengin Metin Dosyası"), QStringLiteral("*.Rtf")}};
    s.overwritePrompt = true;
    return s;
}

FileCommands::FileCommands(DocumentHost &host) : m_host(host) {}
FileCommands::~FileCommands() = default;

TMDIchild *FileCommands::newWindow(const QString &name, bool untitled)
{
    DocumentWindowHooks hooks;
    hooks.refresh = [this] { m_host.refresh(); };
    hooks.save = [this](TMDIchild *child) { return saveForClose(child); };
    hooks.contextMenu = m_host.documentMenu();
    auto *child = new TMDIchild(std::move(hooks));
    child->SetCaption(name);
    child->SetUntitled(untitled);
    m_host.adoptDocumentWindow(child);
    return child;
}

TMDIchild *FileCommands::openWindow(const QString &name)
{
    TMDIchild *child = newWindow(name, false);
    // The window is open and titled before reading starts; a read error
    // leaves it so, and then it must not write its empty content over the
    // file it could not read: it stays unread until a successful load.
    const QFileInfo file(name);
    if (!file.exists())
        return child;
    child->SetUnread(true);
    if (file.isFile()) {
        child->RichEdit1->LoadFromFile(name);
        child->SetUnread(false);
    }
    return child;
}

void FileCommands::newDocument()
{
    // Not a running counter: after closing ADSIZ1 of two, New gives ADSIZ2 again.
    const QString name = QStringLiteral("ADSIZ") + QString::number(m_host.documents().size() + 1);
    TRichEdit *editor = newWindow(name, true)->RichEdit1;
    editor->Clear();
    editor->Paragraph().SetAlignment(ParaAlignment::Left);
    // The window's own set-up is no edit of the user's: nothing to undo.
    editor->document()->clearUndoRedoStacks();
    editor->SetModified(false);
    m_host.refresh();
}

void FileCommands::open()
{
    FileDialogState &dialog = m_host.openDialog();
    if (!platform().fileDialog(m_host.dialogParent(), dialog))
        return;
    try {
        openWindow(dialog.fileName);
    } catch (...) {
        // The window stays open, titled with the path: the boxes show its
        // formatting, not what they showed before, behind the error box.
        m_host.refresh();
        throw;
    }
    m_host.activeEditor()->SetModified(false);
    // The boxes show the new document's formatting at the caret.
    m_host.refresh();
}

void FileCommands::save()
{
    TMDIchild *child = m_host.activeDocument();
    if (!child)
        return;
    if (child->SavesToTitle()) {
        child->RichEdit1->SaveToFile(child->Caption());
        child->RichEdit1->SetModified(false);
        return;
    }
    saveAs(child);
}

void FileCommands::saveAs()
{
    if (TMDIchild *child = m_host.activeDocument())
        saveAs(child);
}

bool FileCommands::saveAs(TMDIchild *child)
{
    FileDialogState &dialog = m_host.saveDialog();
    if (!chooseSaveName(child))
        return false;
    if (!dialog.fileName.contains(QLatin1Char('.'))) {
        dialog.fileName += dialog.filterIndex == 1 ? QStringLiteral(".TXT") : QStringLiteral(".RTF");
        // The dialog asked about the name as chosen; nothing is replaced
        // without a question, so the extended name is confirmed again.
        if (QFileInfo::exists(dialog.fileName) && !confirmReplace(m_host.dialogParent(), dialog.fileName))
            return false;
    }
    TRichEdit *editor = child->RichEdit1;
    editor->SetPlainText(dialog.filterIndex == 1);
    editor->SaveToFile(dialog.fileName);
    child->SetCaption(dialog.fileName);
    child->SetUntitled(false);
    child->SetUnread(false);
    editor->SetModified(false);
    return true;
}

bool FileCommands::chooseSaveName(TMDIchild *child)
{
    FileDialogState &dialog = m_host.saveDialog();
    const QString chosenLast = dialog.fileName;
    // Writing over a file that was not read takes the dialog's own question.
    if (child->IsUnread())
        dialog.fileName = child->Caption();
    if (platform().fileDialog(m_host.dialogParent(), dialog))
        return true;
    // Cancelled: the next showing starts from the name the user chose last.
    dialog.fileName = chosenLast;
    return false;
}

bool FileCommands::saveForClose(TMDIchild *child)
{
    TRichEdit *editor = child->RichEdit1;
    if (child->SavesToTitle()) {
        editor->SaveToFile(child->Caption());
    } else {
        if (!chooseSaveName(child))
            return false;
        // Exactly the name chosen, in the document's current format. The
        // title stays (the window closes), and so does an unread mark.
        editor->SaveToFile(m_host.saveDialog().fileName);
    }
    editor->SetModified(false);
    return true;
}

bool FileCommands::exitPass()
{
    // Visit every document open now once, from the active one on, in the
    // order the frame cycles through its windows.
    QList<TMDIchild *> order = m_host.documents();
    if (TMDIchild *active = m_host.activeDocument()) {
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
        m_host.activateDocument(child);
        for (;;) {
            const auto answer = askToSaveChanges(m_host.dialogParent(), child->Caption());
            if (answer == QMessageBox::Yes) {
                if (!saveForClose(child))
                    continue; // dialog cancelled: the same question again
                // Its modified flag is clear now, so its own prompt asks nothing.
                child->closeWindow();
                break;
            }
            if (answer == QMessageBox::No)
                break;
            return false; // Cancel: the frame stays open
        }
    }
    return true;
}

void FileCommands::print()
{
    TRichEdit *editor = m_host.activeEditor();
    if (!editor)
        return;
    if (!m_printer)
        m_printer = std::make_unique<Printer>();
    m_printer->print(*editor->document(), QStringLiteral("Mirel Pad"));
}

} // namespace kelmora
