#include "PaneSwitch.h"

#include "base/Guard.h"

#include <QAction>
#include <algorithm>
#include <QApplication>
#include <QMainWindow>
#include <QToolBar>

namespace kelmora {

QWidget *firstBarControl(const QList<QToolBar *> &bars)
{
    for (QToolBar *bar : bars) {
        if (bar->isHidden())
            continue;
        for (QAction *a : bar->actions()) {
            QWidget *w = bar->widgetForAction(a);
            if (w && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
                return w;
        }
    }
    return nullptr;
}

void installPaneSwitch(QMainWindow *frame, const QList<QToolBar *> &bars, std::function<QWidget *()> document)
{
    auto *paneSwitch = new QAction(frame);
    paneSwitch->setObjectName(QStringLiteral("PaneSwitch"));
    paneSwitch->setShortcut(QKeySequence(Qt::Key_F6));
    paneSwitch->setShortcutContext(Qt::WindowShortcut);
    frame->addAction(paneSwitch);
    QObject::connect(paneSwitch, &QAction::triggered, frame, guard([bars, document = std::move(document)] {
        QWidget *focus = QApplication::focusWidget();
        const bool inBars = focus && std::any_of(bars.begin(), bars.end(),
                                                 [focus](QToolBar *bar) { return bar->isAncestorOf(focus); });
        QWidget *target = inBars ? document() : firstBarControl(bars);
        if (target)
            target->setFocus(Qt::ShortcutFocusReason);
    }));
}

} // namespace kelmora
