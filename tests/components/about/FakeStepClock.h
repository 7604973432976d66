#pragma once
// A StepClock the test moves by hand. Stepping threads sleep until the test
// advances the clock past their deadline; settle() waits (in real time, with a
// bound) until the given number of threads has run every step that was due
// and sleeps again, so step counts can be compared exactly.

#include "about/SteppingThread.h"

#include <condition_variable>
#include <mutex>
#include <set>

namespace kelmora::test {

class FakeStepClock : public about::StepClock {
public:
    Clock::time_point now() override
    {
        std::lock_guard lock(m_mutex);
        return m_now;
    }

    bool sleepUntil(Clock::time_point deadline, std::stop_token stop) override
    {
        std::unique_lock lock(m_mutex);
        const auto it = m_deadlines.insert(deadline);
        m_changed.notify_all();
        m_changed.wait(lock, stop, [&] { return m_now >= deadline; });
        m_deadlines.erase(it);
        m_changed.notify_all();
        return !stop.stop_requested();
    }

    void advance(std::chrono::milliseconds by)
    {
        std::lock_guard lock(m_mutex);
        m_now += by;
        m_changed.notify_all();
    }

    // True once exactly `sleepers` threads sleep, none of them with a step due.
    bool settle(int sleepers, std::chrono::milliseconds bound = std::chrono::seconds(10))
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, bound, [&] {
            return int(m_deadlines.size()) == sleepers && (m_deadlines.empty() || *m_deadlines.begin() > m_now);
        });
    }

    // Advances in ticks, settling after each, like a real clock running by.
    bool run(std::chrono::milliseconds total, int sleepers, std::chrono::milliseconds tick = std::chrono::milliseconds(10))
    {
        for (auto done = std::chrono::milliseconds(0); done < total; done += tick) {
            advance(tick);
            if (!settle(sleepers))
                return false;
        }
        return true;
    }

private:
    std::mutex m_mutex;
    std::condition_variable_any m_changed;
    Clock::time_point m_now = Clock::time_point() + std::chrono::hours(1);
    std::multiset<Clock::time_point> m_deadlines;
};

// Installs a FakeStepClock for new stepping threads for the life of the object.
class ScopedStepClock {
public:
    ScopedStepClock() : clock(std::make_shared<FakeStepClock>()), m_previous(about::setStepClock(clock)) {}
    ~ScopedStepClock() { about::setStepClock(std::move(m_previous)); }
    FakeStepClock *operator->() const { return clock.get(); }

    std::shared_ptr<FakeStepClock> clock;

private:
    std::shared_ptr<about::StepClock> m_previous;
};

} // namespace kelmora::test
