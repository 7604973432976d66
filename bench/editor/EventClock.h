#pragma once
// EventClock: the application object of the editor benchmark. It times every
// event delivered from the event loop (not those sent from inside another),
// so the longest of them is the longest time the window did not answer, and
// it notes when a watched widget finished its first paint.

#include <QApplication>
#include <QPointer>

namespace kelmora::bench {

double now(); // seconds, steady clock

class EventClock : public QApplication {
public:
    EventClock(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;

    // Starts over: no paint seen, no longest event.
    void watch(QWidget *paintTarget);
    bool painted() const { return m_paintedAt > 0; }
    double paintedAt() const { return m_paintedAt; }
    double longestEvent() const { return m_longest; }
    void resetLongest() { m_longest = 0; }

private:
    int m_depth = 0;
    double m_longest = 0;
    QPointer<QWidget> m_target;
    double m_paintedAt = 0;
};

// Runs the event loop until done() holds or limit seconds pass; false then.
bool spinUntil(const std::function<bool()> &done, double limit);

} // namespace kelmora::bench
