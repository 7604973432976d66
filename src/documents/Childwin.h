#pragma once
// TMDIchild: one document window, holding one editing surface, RichEdit1,
// which fills it. Its caption is the document title: the file's full path,
// or an untitled name "ADSIZ<n>". An untitled document stays untitled even
// when a file of that name exists, until it is saved through the dialog. A
// window whose file could not be read keeps that path as its title but never
// writes there until the user chooses a path in the save dialog.
// Closing a modified document asks whether to save it. What the window needs
// besides - the refresh of the formatting bar, the save of the close prompt's
// Yes, the document context menu - the file commands give it at creation.
// A screen reader names the editor by the title, kept in step with it.

#include "base/ui/Platform.h"

#include <QWidget>

#include <functional>

class QCloseEvent;
class QMenu;
class QMdiSubWindow;

namespace kelmora {

class TRichEdit;

enum class CloseAction { None, Free };

// The question of the close prompt and the exit pass: Yes, No or Cancel.
QMessageBox::StandardButton askToSaveChanges(QWidget *parent, const QString &title);

struct DocumentWindowHooks {
    std::function<void()> refresh;                 // mirror the selection into the bar
    std::function<bool(class TMDIchild *)> save;   // the close prompt's Yes; false: cancelled
    QMenu *contextMenu = nullptr;                  // shown on a right click in the editor
};

class TMDIchild : public QWidget {
    Q_OBJECT
public:
    explicit TMDIchild(DocumentWindowHooks hooks, QWidget *parent = nullptr);

    TRichEdit *RichEdit1 = nullptr;

    // The title doubles as the path once the document has one.
    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString &caption) { setWindowTitle(caption); }
    bool IsUntitled() const { return m_untitled; }
    void SetUntitled(bool untitled) { m_untitled = untitled; }
    // Opened on a file that was not read: the title names it, the editor
    // does not hold its content.
    bool IsUnread() const { return m_unread; }
    void SetUnread(bool unread) { m_unread = unread; }
    // True when saving may write to the title without the save dialog: it
    // names an existing file, and the window is neither untitled nor unread.
    bool SavesToTitle() const;
    QMdiSubWindow *subWindow() const;
    // Closes the window as its close box does (the prompt included).
    void closeWindow();

    void FormClose(QObject *sender, CloseAction &action);
    void RichEdit1MouseDown(QObject *sender);
    void RichEdit1KeyDown(QObject *sender);
    void RichEdit1KeyUp(QObject *sender);

protected:
    void changeEvent(QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    DocumentWindowHooks m_hooks;
    bool m_untitled = false;
    bool m_unread = false;
};

} // namespace kelmora
