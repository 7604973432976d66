#pragma once
// Timing for the benchmarks: whole processes (wall time and peak resident
// memory from wait4) and pieces of code run in this process.

#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>

namespace kelmora::bench {

struct ProcessRun {
    double seconds = 0;
    double peakMiB = 0;
    int exitCode = -1;
};

// Runs program with args, stdout and stderr to /dev/null, and waits for it.
ProcessRun runProcess(const QString &program, const QStringList &args);

// The median of runs of the process (peak memory: the largest seen).
ProcessRun medianRun(int runs, const QString &program, const QStringList &args);

// The median time of runs of body; prepare runs before each, untimed.
double medianSeconds(int runs, const std::function<void()> &body, const std::function<void()> &prepare = {});

double median(QList<double> values);

} // namespace kelmora::bench
