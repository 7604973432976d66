#pragma once
// FileCommands: New, Open, Save, Save As, the close prompt's save, the exit
// pass over the modified documents and printing, on the documents of a
// DocumentHost. They make each document window themselves (its close prompt
// saves through them) and hand it to the host, which only shows and places
// it. The title doubles as the path; the format switch (PlainText)
// decides what every write produces and only the save dialog's filter
// changes it. A window whose file was not read writes only to a path chosen
// in the save dialog. Errors are thrown (the caller's guard shows them).

#include "base/ui/Platform.h"

#include <QString>

#include <memory>

namespace kelmora {

class DocumentHost;
class Printer;
class TMDIchild;

// The frame's two file dialogs as they start: "Aç" (text and rich-text
// filters, default extension TXT, existing files only) and "Kaydet" (asks
// before replacing a file, no default extension).
FileDialogState openDialogSetup();
FileDialogState saveDialogSetup();

class FileCommands {
public:
    explicit FileCommands(DocumentHost &host);
    ~FileCommands();

    // A new document window titled name; a file of that name is loaded into
    // it. A file that exists but was not read leaves the window unread.
    TMDIchild *openWindow(const QString &name);
    void newDocument();
    void open();
    void save();
    void saveAs();
    // The close prompt's Yes: save to the titled file, or through the save
    // dialog under the name exactly as chosen (an unread window always goes
    // through the dialog). False when the dialog was cancelled.
    bool saveForClose(TMDIchild *child);
    // Asks about every modified document once; false when the frame must stay open.
    bool exitPass();
    // The active document on the default printer, as the job "Mirel Pad".
    void print();

private:
    // A new document window titled name, taken in by the host and active.
    TMDIchild *newWindow(const QString &name, bool untitled);
    bool saveAs(TMDIchild *child);
    // Shows the save dialog for child's save; false when it was cancelled.
    // A window whose file was not read opens it on that file's folder and
    // name, so writing there again needs the user's choice (and the
    // dialog's overwrite question).
    bool chooseSaveName(TMDIchild *child);

    DocumentHost &m_host;
    std::unique_ptr<Printer> m_printer;
};

} // namespace kelmora
