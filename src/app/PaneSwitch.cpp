#include "PaneSwitch.h"

#include "base/ui/Guard.h"

#include <QAction>
#include <algorithm>
#include <QApplication>
#include <QFocusFrame>
#include <QMainWindow>
#include <QToolBar>
#include <QToolButton>

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

    // The bars' buttons draw no focus of their own: a frame around the one
    // that has it shows where the keyboard is.
    auto *marker = new QFocusFrame(frame);
    marker->setObjectName(QStringLiteral("BarFocusFrame"));
    QObject::connect(qApp, &QApplication::focusChanged, marker, [marker, bars](QWidget *, QWidget *now) {
        auto *button = qobject_cast<QToolButton *>(now);
        const bool inBars = button && std::any_of(bars.begin(), bars.end(),
                                                  [button](QToolBar *bar) { return bar->isAncestorOf(button); });
        marker->setWidget(inBars ? button : nullptr);
    });
}

} // namespace kelmora
