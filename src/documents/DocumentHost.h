#pragma once
// DocumentHost: what the file, edit and format commands need of the window
// that hosts the document windows - the active document, the open windows,
// taking in a window the file commands made, the document menu, the two file
// dialogs' states and the formatting bar's refresh. The main frame
// implements it; tests script it around bare document windows. The commands
// never see the frame itself.

#include "base/ui/Platform.h"

#include <QList>
#include <QString>

class QMenu;
class QWidget;

namespace kelmora {

class TMDIchild;
class TRichEdit;

class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    // Parent of the dialogs and message boxes the commands show.
    virtual QWidget *dialogParent() = 0;
    // The active document window, or nullptr; its editor is the active document.
    virtual TMDIchild *activeDocument() const = 0;
    // The open document windows, in creation order.
    virtual QList<TMDIchild *> documents() const = 0;
    // Takes in a new document window, titled and set up by the file
    // commands: shows and places it, makes it the active one and gives its
    // editor the focus. The host owns it from then on.
    virtual void adoptDocumentWindow(TMDIchild *child) = 0;
    // The menu a right click in a document shows, or nullptr.
    virtual QMenu *documentMenu() = 0;
    virtual void activateDocument(TMDIchild *child) = 0;
    // Mirrors the active document's formatting into the formatting bar.
    virtual void refresh() = 0;
    // The file dialogs' states, one each for the whole run.
    virtual FileDialogState &openDialog() = 0;
    virtual FileDialogState &saveDialog() = 0;

    // The active document's editor, or nullptr.
    TRichEdit *activeEditor() const;
};

} // namespace kelmora
