#include "Main.h"

#include "documents/Childwin.h"
#include "base/Guard.h"
#include "base/Wiring.h"
#include "Hints.h"
#include "base/Identity.h"
#include "base/KeyPreview.h"
#include "base/ScrollBarNames.h"
#include "documents/Printing.h"
#include "PaneSwitch.h"
#include "ShortcutFilter.h"
#include "WindowArrange.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
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

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(200);
    // An error in a tick is shown and the timer goes on.
    wire(this, Timer1, &QTimer::timeout, &TAna::Timer1Timer);
    Timer1->start();

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
    // The self-enabling actions follow the state whenever the program is idle.
    if (auto *dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { guarded([this] { updateActions(); }); });
    updateActions();

    guarded([this] { FormCreate(this); });
}

TAna::~TAna() = default;

void TAna::FormCreate(QObject *)
{
    QStringList faces;
    for (const QString &family : QFontDatabase::families()) {
        // Families offered by several foundries come as "Name [Foundry]";
        // the list shows each family once, by its name.
        const qsizetype bracket = family.indexOf(QStringLiteral(" ["));
        faces.append(bracket > 0 ? family.left(bracket) : family);
    }
    faces.append(QStringLiteral("Default"));
    faces.removeDuplicates();
    std::stable_sort(faces.begin(), faces.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    m_settingBoxes = true;
    ComboBox1->clear();
    ComboBox1->addItems(faces);
    ComboBox1->setCurrentIndex(0);
    ComboBox2->setCurrentIndex(4);
    m_settingBoxes = false;
}

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

// ---- window arrangement ----------------------------------------------------

namespace {

QList<QMdiSubWindow *> tileableWindows(QMdiArea *area)
{
    QList<QMdiSubWindow *> out;
    const QList<QMdiSubWindow *> stack = area->subWindowList(QMdiArea::StackingOrder);
    for (auto it = stack.crbegin(); it != stack.crend(); ++it) { // topmost first
        if (!(*it)->isHidden() && !(*it)->isMinimized())
            out.append(*it);
    }
    return out;
}

void tile(QMdiArea *area, TileDirection direction)
{
    const QList<QMdiSubWindow *> windows = tileableWindows(area);
    QRect rect = area->viewport()->rect();
    // Leave the row of minimized windows at the bottom visible.
    for (QMdiSubWindow *sw : area->subWindowList()) {
        if (!sw->isHidden() && sw->isMinimized()) {
            rect.setBottom(rect.bottom() - sw->height());
            break;
        }
    }
    const QList<QRect> rects = tileRects(rect, int(windows.size()), direction);
    for (int i = 0; i < windows.size(); ++i) {
        if (windows[i]->isMaximized())
            windows[i]->showNormal();
        windows[i]->setGeometry(rects[i]);
    }
}

} // namespace

void TAna::WindowCascade1Execute(QObject *)
{
    for (QMdiSubWindow *sw : m_mdiArea->subWindowList()) {
        if (sw->isMaximized())
            sw->showNormal();
    }
    m_mdiArea->cascadeSubWindows();
}

void TAna::WindowTileHorizontal1Execute(QObject *)
{
    tile(m_mdiArea, TileDirection::OneAboveOther);
}

void TAna::WindowTileVertical1Execute(QObject *)
{
    tile(m_mdiArea, TileDirection::SideBySide);
}

void TAna::WindowMinimizeAll1Execute(QObject *)
{
    const QList<QMdiSubWindow *> windows = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        if (!(*it)->isHidden())
            (*it)->showMinimized();
    }
}

void TAna::FileClose1Execute(QObject *)
{
    if (QMdiSubWindow *sw = m_mdiArea->currentSubWindow())
        sw->close();
}

void TAna::fillWindowList()
{
    for (QAction *a : std::as_const(m_windowListActions)) {
        Window1->removeAction(a);
        delete a;
    }
    m_windowListActions.clear();
    const QList<TMDIchild *> children = MDIChildren();
    if (children.isEmpty())
        return;
    m_windowListActions.append(Window1->addSeparator());
    TMDIchild *active = ActiveMDIChild();
    for (TMDIchild *child : children) {
        QString caption = child->windowTitle();
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *a = Window1->addAction(caption);
        a->setCheckable(true);
        a->setChecked(child == active);
        QMdiSubWindow *sw = child->subWindow();
        connect(a, &QAction::triggered, this, [this, sw] { m_mdiArea->setActiveSubWindow(sw); });
        m_windowListActions.append(a);
    }
}

void TAna::updateActions()
{
    const int count = MDIChildCount();
    FileClose1->setEnabled(ActiveMDIChild() != nullptr);
    for (QAction *a : {WindowCascade1, WindowTileHorizontal1, WindowTileVertical1, WindowMinimizeAll1})
        a->setEnabled(count > 0);
    updateClipboardActions();
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
