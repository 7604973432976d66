#include "Childwin.h"

#include "base/ui/Guard.h"
#include "base/ui/Platform.h"
#include "base/ui/ScrollBarNames.h"
#include "RichEdit.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMenu>
#include <QVBoxLayout>

namespace kelmora {

TMDIchild::TMDIchild(DocumentWindowHooks hooks, QWidget *parent) : QWidget(parent), m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("MDIchild"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    RichEdit1 = new TRichEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    layout->addWidget(RichEdit1);
    setFocusProxy(RichEdit1);

    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setLineWrapMode(QTextEdit::WidgetWidth);
    // Tab moves the focus; it is never typed into the text.
    RichEdit1->setTabChangesFocus(true);
    RichEdit1->SetHideSelection(true);
    RichEdit1->SetPlainText(false);
    nameScrollBars(RichEdit1);

    RichEdit1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RichEdit1, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        if (m_hooks.contextMenu)
            m_hooks.contextMenu->popup(RichEdit1->viewport()->mapToGlobal(pos));
    });
    RichEdit1->OnMouseDown = [this] { guarded([this] { RichEdit1MouseDown(RichEdit1); }); };
    RichEdit1->OnKeyDown = [this] { guarded([this] { RichEdit1KeyDown(RichEdit1); }); };
    RichEdit1->OnKeyUp = [this] { guarded([this] { RichEdit1KeyUp(RichEdit1); }); };
}

QMessageBox::StandardButton askToSaveChanges(QWidget *parent, const QString &title)
{
    MessageRequest ask;
    ask.text = title + QStringLiteral(" Dosyasındaki Değişiklikleri Kaydetmek İstiyor musunuz?");
    ask.caption = QStringLiteral("Dikkat");
    ask.icon = QMessageBox::Question;
    ask.buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    ask.defaultButton = QMessageBox::Yes;
    return platform().messageBox(parent, ask);
}

void TMDIchild::changeEvent(QEvent *e)
{
    // A screen reader names the editor by its document's title, whichever
    // way the title changes (New, Open, Save As).
    if (e->type() == QEvent::WindowTitleChange)
        RichEdit1->setAccessibleName(windowTitle());
    QWidget::changeEvent(e);
}

void TMDIchild::closeWindow()
{
    if (QMdiSubWindow *sw = subWindow())
        sw->close();
    else
        close();
}

QMdiSubWindow *TMDIchild::subWindow() const
{
    return qobject_cast<QMdiSubWindow *>(parentWidget());
}

bool TMDIchild::SavesToTitle() const
{
    if (m_untitled || m_unread)
        return false;
    const QFileInfo fi(Caption());
    return fi.exists() && !fi.isDir();
}

void TMDIchild::RichEdit1MouseDown(QObject *)
{
    if (m_hooks.refresh)
        m_hooks.refresh();
}

void TMDIchild::RichEdit1KeyDown(QObject *)
{
    if (m_hooks.refresh)
        m_hooks.refresh();
}

void TMDIchild::RichEdit1KeyUp(QObject *)
{
    if (m_hooks.refresh)
        m_hooks.refresh();
}

void TMDIchild::FormClose(QObject *, CloseAction &action)
{
    action = CloseAction::Free;
    if (!RichEdit1->Modified())
        return;
    switch (askToSaveChanges(this, Caption())) {
    case QMessageBox::Yes:
        // Keep the window open unless the save goes through; a failed write
        // throws, which also keeps it open (the error box shows why).
        action = CloseAction::None;
        if (m_hooks.save && m_hooks.save(this))
            action = CloseAction::Free;
        break;
    case QMessageBox::No:
        break;
    default:
        action = CloseAction::None;
        break;
    }
}

void TMDIchild::closeEvent(QCloseEvent *e)
{
    CloseAction action = CloseAction::None;
    const bool ok = guarded([&] { FormClose(this, action); });
    if (ok && action == CloseAction::Free)
        e->accept();
    else
        e->ignore();
}

} // namespace kelmora
