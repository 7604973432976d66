#include "Main.h"

#include "base/Identity.h"
#include "base/ui/Guard.h"
#include "base/ui/KeyPreview.h"
#include "base/ui/ScrollBarNames.h"
#include "documents/Childwin.h"
#include "documents/Printing.h"
#include "Hints.h"
#include "PaneSwitch.h"
#include "ShortcutFilter.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace kelmora {

TAna *Ana = nullptr;

TAna::TAna(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Ana"));
    resize(593, 441);
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("ClientArea"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    nameScrollBars(m_mdiArea);
    setCentralWidget(m_mdiArea);

    buildDialogs();
    buildActions();
    buildMenus();
    buildStandardBar();
    buildFormattingBar();
    buildStatusBar();
    buildContextMenus();
    buildAboutComponents();

    m_keys = new KeyPreview(this, [this](QWidget *target, QChar &key) { frameKeyPress(target, key); });
    watchBox(ComboBox1, &TAna::ComboBox1Change);
    watchBox(ComboBox2, &TAna::ComboBox2Change);

    m_shortcuts = new ShortcutFilter(this, [this] { updateActions(); }, this);
    for (QAction *item : {FileNewItem, FileOpenItem, FileCloseItem, FileSaveItem, GeriAl1, CutItem, CopyItem,
                          PasteItem, TmnSe1, MetinAra1})
        m_shortcuts->add(item->shortcut(), item);
    qApp->installEventFilter(m_shortcuts);
    installPaneSwitch(this, {ToolBar2, ToolBar1}, [this]() -> QWidget * {
        TMDIchild *child = ActiveMDIChild();
        return child ? child->RichEdit1 : nullptr;
    });
    qApp->installEventFilter(new HoverHintTracker(
        this, [this](const QString &hint) { setApplicationHint(hint); }, this));

    QClipboard *clipboard = QGuiApplication::clipboard();
    const auto readClipboard = [this, clipboard] {
        const QMimeData *mime = clipboard->mimeData();
        m_clipboardHasText = mime && mime->hasText();
    };
    readClipboard();
    connect(clipboard, &QClipboard::dataChanged, this, readClipboard);
    buildRefresh();

    guarded([this] { FormCreate(this); });
}

TAna::~TAna() = default;

void TAna::FormShow(QObject *)
{
    m_caption = identity::frameCaption();
    setWindowTitle(m_caption);
    m_hintHandlerInstalled = true;
    hintgoster(this);
}

void TAna::setApplicationHint(const QString &hint)
{
    if (hint == m_hint)
        return;
    m_hint = hint;
    if (m_hintHandlerInstalled)
        guarded([this] { hintgoster(this); });
}

void TAna::hintgoster(QObject *)
{
    statusPanel0->setText(m_hint);
}

void TAna::araccubuguClick(QObject *) { flipView(araccubugu, aracubugu1, ToolBar2); }
void TAna::bicimcubuguClick(QObject *) { flipView(bicimcubugu, bicimcubugu1, ToolBar1); }
void TAna::durumcubuguClick(QObject *) { flipView(durumcubugu, nullptr, StatusBar1); }
void TAna::aracubugu1Click(QObject *) { flipView(aracubugu1, araccubugu, ToolBar2); }
void TAna::bicimcubugu1Click(QObject *) { flipView(bicimcubugu1, bicimcubugu, ToolBar1); }

void TAna::flipView(QAction *item, QAction *twin, QWidget *bar)
{
    // The item's tick is the flag; its twin in the other menu follows it.
    const bool show = !item->isChecked();
    item->setChecked(show);
    if (twin)
        twin->setChecked(show);
    bar->setVisible(show);
}

void TAna::FileExit1Execute(QObject *)
{
    close();
}

void TAna::WebSitesi1Click(QObject *)
{
    platform().shellOpen(QStringLiteral("IEXPLORE.EXE"), identity::webSiteAddress());
}

// ---- documents -------------------------------------------------------------

TMDIchild *TAna::ActiveMDIChild() const
{
    // currentSubWindow stays set while a modal dialog or another program has
    // the focus; activeSubWindow does not.
    QMdiSubWindow *sw = m_mdiArea->currentSubWindow();
    if (!sw || sw->isHidden())
        return nullptr;
    return qobject_cast<TMDIchild *>(sw->widget());
}

QList<TMDIchild *> TAna::MDIChildren() const
{
    QList<TMDIchild *> out;
    for (QMdiSubWindow *sw : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (sw->isHidden())
            continue; // closed, waiting to be deleted
        if (auto *child = qobject_cast<TMDIchild *>(sw->widget()))
            out.append(child);
    }
    return out;
}

int TAna::MDIChildCount() const
{
    return int(MDIChildren().size());
}

// ---- events ----------------------------------------------------------------

bool TAna::event(QEvent *e)
{
    // The hint line is ours; Qt's own status tips would overwrite it.
    if (e->type() == QEvent::StatusTip)
        return true;
    return QMainWindow::event(e);
}

void TAna::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (!m_shown) {
        m_shown = true;
        guarded([this] { FormShow(this); });
    }
}

void TAna::closeEvent(QCloseEvent *e)
{
    bool mayClose = false;
    guarded([&] { mayClose = FormClose(this); });
    if (mayClose)
        e->accept();
    else
        e->ignore();
}

QMenu *TAna::createPopupMenu()
{
    return nullptr;
}

void TAna::setComboText(QComboBox *box, const QString &text)
{
    m_settingBoxes = true;
    box->setEditText(text);
    m_settingBoxes = false;
}

} // namespace kelmora
