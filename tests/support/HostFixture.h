#pragma once
// A host for the file, edit and format commands without a frame: document
// windows are plain top-level widgets, the file dialogs start as the frame's
// do, refreshes are counted, and every prompt is answered by the scripted
// Platform (a prompt the test did not script fails it).

#include "ScriptedPlatform.h"

#include "documents/Childwin.h"
#include "documents/DocumentHost.h"
#include "documents/FileCommands.h"
#include "documents/RichEdit.h"
#include "editing/EditCommands.h"
#include "editing/FormatCommands.h"

#include <QPointer>
#include <QTest>
#include <QWidget>

namespace kelmora::test {

class HostFixture : public DocumentHost {
public:
    HostFixture();
    ~HostFixture() override;

    QWidget *dialogParent() override { return &m_parent; }
    TMDIchild *activeDocument() const override;
    QList<TMDIchild *> documents() const override;
    void adoptDocumentWindow(TMDIchild *child) override;
    QMenu *documentMenu() override { return nullptr; }
    void activateDocument(TMDIchild *child) override { m_active = child; }
    void refresh() override { ++refreshes; }
    FileDialogState &openDialog() override { return open; }
    FileDialogState &saveDialog() override { return save; }

    // New, as the user runs it; returns the new window.
    TMDIchild *newDocument();
    TRichEdit *editor() const { return activeEditor(); }
    QStringList captions() const;
    int count() const { return int(documents().size()); }
    // Runs the pending deletions of closed windows.
    static void settle();

    ScopedPlatform platform;
    FileDialogState open = openDialogSetup();
    FileDialogState save = saveDialogSetup();
    int refreshes = 0;
    FileCommands files{*this};
    EditCommands edit{*this};
    FormatCommands format{*this};

private:
    QWidget m_parent;
    QList<QPointer<TMDIchild>> m_windows;
    QPointer<TMDIchild> m_active;
};

} // namespace kelmora::test
