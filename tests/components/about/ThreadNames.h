#pragma once
// The names of this process's threads, as the kernel lists them: a stepping
// thread carries its panel's name while it runs and is gone once joined.

#include <QDir>
#include <QFile>
#include <QStringList>

namespace kelmora::test {

inline QStringList threadNames()
{
    QStringList out;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(tid + QStringLiteral("/comm")));
        if (comm.open(QIODevice::ReadOnly))
            out << QString::fromUtf8(comm.readAll()).trimmed();
    }
    return out;
}

inline int threadsNamed(const QString &name)
{
    return int(threadNames().count(name));
}

} // namespace kelmora::test
