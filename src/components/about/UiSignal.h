#pragma once
// Wakes the user-interface thread from another thread without touching Qt's
// event queue from there: raise() writes to an eventfd, and a socket notifier
// on the thread that created the object reads it and runs the callback. Any
// number of raises before the callback runs give one call. The other thread
// must stop raising before the object is destroyed.

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace kelmora::about {

class UiSignal : public QObject {
    Q_OBJECT
public:
    explicit UiSignal(std::function<void()> onRaised, QObject *parent = nullptr);
    ~UiSignal() override;

    // Safe from any thread.
    void raise() noexcept;

private:
    void drain();

    std::function<void()> m_onRaised;
    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace kelmora::about
