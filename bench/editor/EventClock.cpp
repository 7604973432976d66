#include "EventClock.h"

#include <QEvent>
#include <QWidget>

#include <chrono>

namespace kelmora::bench {

double now()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

EventClock::EventClock(int &argc, char **argv) : QApplication(argc, argv) {}

bool EventClock::notify(QObject *receiver, QEvent *event)
{
    const bool outer = m_depth == 0;
    const bool paint = event->type() == QEvent::Paint && m_target && receiver == m_target && !painted();
    const double start = outer ? now() : 0;
    ++m_depth;
    const bool result = QApplication::notify(receiver, event);
    --m_depth;
    if (paint)
        m_paintedAt = now();
    if (outer)
        m_longest = std::max(m_longest, now() - start);
    return result;
}

void EventClock::watch(QWidget *paintTarget)
{
    m_target = paintTarget;
    m_paintedAt = 0;
    m_longest = 0;
}

bool spinUntil(const std::function<bool()> &done, double limit)
{
    const double end = now() + limit;
    while (!done()) {
        if (now() > end)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

} // namespace kelmora::bench
