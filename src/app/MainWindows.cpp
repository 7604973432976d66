// The frame's Window menu: cascade, tile one above the other or side by side,
// minimize all, close the active window, and the list of open windows.

#include "documents/Childwin.h"
#include "Main.h"
#include "WindowArrange.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace kelmora {

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

} // namespace kelmora
