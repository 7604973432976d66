#include "Hints.h"

#include <QEvent>
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
    // Leaving a control puts the mouse over its parent, which gets no Enter.
    m_report(t == QEvent::Enter ? hoverHint(w) : hoverHint(w->parentWidget()));
    return false;
}

} // namespace kelmora
