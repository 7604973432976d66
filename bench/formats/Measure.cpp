#include "Measure.h"

#include <QFile>

#include <algorithm>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace kelmora::bench {

namespace {

double now()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

ProcessRun runProcess(const QString &program, const QStringList &args)
{
    QList<QByteArray> storage{QFile::encodeName(program)};
    for (const QString &a : args)
        storage.append(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &s : storage)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    ProcessRun run;
    const double start = now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || ::wait4(pid, &status, 0, &usage) < 0)
        return run;
    run.seconds = now() - start;
    run.peakMiB = usage.ru_maxrss / 1024.0;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

ProcessRun medianRun(int runs, const QString &program, const QStringList &args)
{
    QList<double> times;
    ProcessRun result;
    for (int i = 0; i < runs; ++i) {
        const ProcessRun r = runProcess(program, args);
        if (r.exitCode != 0)
            return r;
        times.append(r.seconds);
        result.peakMiB = std::max(result.peakMiB, r.peakMiB);
    }
    result.seconds = median(times);
    result.exitCode = 0;
    return result;
}

double medianSeconds(int runs, const std::function<void()> &body, const std::function<void()> &prepare)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        const double start = now();
        body();
        times.append(now() - start);
    }
    return median(times);
}

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace kelmora::bench
