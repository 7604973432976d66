#pragma once
// File helpers for tests that must make a write fail, also when run as root
// (root writes through permission bits, so it takes the immutable flag).

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace kelmora::test {

// Makes path unwritable; returns false when this machine cannot.
bool makeUnwritable(const QString &path);
void makeWritable(const QString &path);
QByteArray readAll(const QString &path);
void writeFile(const QString &path, const QByteArray &bytes);

// A fresh temporary folder that is the working folder while the object lives
// (untitled names are looked up there).
class ScopedWorkFolder {
public:
    ScopedWorkFolder();
    ~ScopedWorkFolder();
    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

} // namespace kelmora::test
