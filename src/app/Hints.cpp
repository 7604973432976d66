#include "Hints.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QWidget>

namespace kelmora {

void setHint(QObject *object, const QString &hint)
{
    object->setProperty(kHintProperty, hint);
    if (auto *w = qobject_cast<QWidget *>(object))
        w->setToolTip(shortHint(hint));
}

QString hintOf(const QObject *object)
{
    return object->property(kHintProperty).toString();
}

QString hoverHint(const QWidget *w)
{
    for (; w; w = w->parentWidget()) {
        const QString h = hintOf(w);
        if (!h.isEmpty())
            return longHint(h);
        if (w->isWindow())
            break;
    }
    return QString();
}

HoverHintTracker::HoverHintTracker(QWidget *window, std::function<void(const QString &)> report, QObject *parent)
    : QObject(parent), m_window(window), m_report(std::move(report))
{
}

bool HoverHintTracker::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type t = event->type();
    if (t != QEvent::Enter && t != QEvent::Leave)
        return false;
    auto *w = qobject_cast<QWidget *>(watched);
    if (!w || w->window() != m_window || w == m_window)
        return false;
    // While a menu is open the hint line follows the menu; the mouse leaving
    // the control under it as the menu pops up changes nothing.
    if (QApplication::activePopupWidget())
        return false;
    // Leaving a control puts the mouse over its parent, which gets no Enter.
    m_report(t == QEvent::Enter ? hoverHint(w) : hoverHint(w->parentWidget()));
    return false;
}

MenuHighlightTracker::MenuHighlightTracker(QMenu *menu, std::function<void(const QString &)> report)
    : QObject(menu), m_menu(menu), m_report(std::move(report))
{
    menu->installEventFilter(this);
}

bool MenuHighlightTracker::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_menu)
        return false;
    if (event->type() == QEvent::Hide) {
        m_highlighted = nullptr;
    } else if (event->type() == QEvent::Paint) {
        // A menu repaints whenever its highlight moves.
        QAction *now = m_menu->activeAction();
        if (now && now != m_highlighted)
            m_report(longHint(hintOf(now)));
        m_highlighted = now;
    }
    return false;
}

} // namespace kelmora
