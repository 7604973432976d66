#pragma once
// The timer thread of a scrolling panel: it sleeps until the next multiple of
// the interval and runs one step there, off the user-interface thread, until
// the step says it is done or the owner stops it. Deadlines are counted from
// the start, so the pace stays one step per interval however long a step
// takes; after a stall of more than an interval the schedule starts afresh
// rather than catching up in a burst.
//
// Time comes from a StepClock, so tests can drive the steps with a clock of
// their own and count them.

#include <chrono>
#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <thread>

namespace kelmora::about {

class StepClock {
public:
    using Clock = std::chrono::steady_clock;
    virtual ~StepClock() = default;
    virtual Clock::time_point now() = 0;
    // Blocks until deadline, or until stop is requested; false in that case.
    virtual bool sleepUntil(Clock::time_point deadline, std::stop_token stop) = 0;
};

// The clock new stepping threads use: the steady clock until a test installs
// another. Installing returns the previous one (nullptr stands for the steady
// clock). Only the user-interface thread installs or reads it.
std::shared_ptr<StepClock> stepClock();
std::shared_ptr<StepClock> setStepClock(std::shared_ptr<StepClock> clock);

class SteppingThread {
public:
    // Starts the thread, named name (at most 15 characters show), which calls
    // step() every interval until step() returns false or stop() is called.
    // step() runs on the new thread and must not wait for the caller's thread.
    SteppingThread(std::chrono::milliseconds interval, std::function<bool()> step, std::string name,
                   std::shared_ptr<StepClock> clock = stepClock());
    // Stops and joins: no step runs after the destructor returns.
    ~SteppingThread();

    SteppingThread(const SteppingThread &) = delete;
    SteppingThread &operator=(const SteppingThread &) = delete;

    // Requests the stop and waits for a running step to end; idempotent.
    void stop();

private:
    void run(std::stop_token stop);

    std::chrono::milliseconds m_interval;
    std::function<bool()> m_step;
    std::string m_name;
    std::shared_ptr<StepClock> m_clock;
    std::jthread m_thread; // last: started once the members above are set
};

} // namespace kelmora::about
