#include "SteppingThread.h"

#include <condition_variable>
#include <mutex>

#include <pthread.h>

namespace kelmora::about {

namespace {

class SteadyStepClock : public StepClock {
public:
    Clock::time_point now() override { return Clock::now(); }

    bool sleepUntil(Clock::time_point deadline, std::stop_token stop) override
    {
        std::unique_lock lock(m_mutex);
        // Nothing but the stop request or the deadline wakes a sleeper.
        m_wake.wait_until(lock, stop, deadline, [] { return false; });
        return !stop.stop_requested();
    }

private:
    std::mutex m_mutex;
    std::condition_variable_any m_wake;
};

std::shared_ptr<StepClock> &installed()
{
    static std::shared_ptr<StepClock> clock;
    return clock;
}

} // namespace

std::shared_ptr<StepClock> stepClock()
{
    auto &clock = installed();
    if (!clock)
        clock = std::make_shared<SteadyStepClock>();
    return clock;
}

std::shared_ptr<StepClock> setStepClock(std::shared_ptr<StepClock> clock)
{
    auto previous = std::move(installed());
    installed() = std::move(clock);
    return previous;
}

SteppingThread::SteppingThread(std::chrono::milliseconds interval, std::function<bool()> step, std::string name,
                               std::shared_ptr<StepClock> clock)
    : m_interval(interval.count() > 0 ? interval : std::chrono::milliseconds(1)),
      m_step(std::move(step)),
      m_name(std::move(name)),
      m_clock(std::move(clock)),
      m_thread([this](std::stop_token stop) { run(stop); })
{
}

SteppingThread::~SteppingThread()
{
    stop();
}

void SteppingThread::stop()
{
    m_thread.request_stop();
    if (m_thread.joinable())
        m_thread.join();
}

void SteppingThread::run(std::stop_token stop)
{
    // The kernel keeps 15 characters of a thread's name.
    pthread_setname_np(pthread_self(), m_name.substr(0, 15).c_str());
    auto next = m_clock->now() + m_interval;
    while (m_clock->sleepUntil(next, stop)) {
        if (!m_step())
            return;
        next += m_interval;
        const auto now = m_clock->now();
        if (now >= next)
            next = now + m_interval;
    }
}

} // namespace kelmora::about
