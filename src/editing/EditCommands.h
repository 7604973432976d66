#pragma once
// EditCommands: undo, select all and delete on a host's active document, and
// the clipboard commands, which find their own target: the focused
// text-editing control of a window (a document's editor or a single-line
// text box, never a drop-down list). Without a target they are disabled.

#include <QString>

class QWidget;

namespace kelmora {

class DocumentHost;

struct ClipboardState {
    bool cut = false, copy = false, paste = false;
};

class EditCommands {
public:
    explicit EditCommands(DocumentHost &host) : m_host(host) {}

    void undo();
    void selectAll();
    // Deletes the selection; this cannot be undone.
    void deleteSelection();

    // What the clipboard commands can do now in window; clipboardHasText is
    // whether the clipboard offers text.
    static ClipboardState clipboardState(const QWidget *window, bool clipboardHasText);
    static void cut(const QWidget *window);
    static void copy(const QWidget *window);
    static void paste(const QWidget *window);

private:
    DocumentHost &m_host;
};

} // namespace kelmora
