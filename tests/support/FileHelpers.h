#pragma once
// File helpers for tests that must make a write fail, also when run as root
// (root writes through permission bits, so it takes the immutable flag).

#include <QByteArray>
#include <QFile>
#include <QString>

namespace kelmora::test {

// Makes path unwritable; returns false when this machine cannot.
bool makeUnwritable(const QString &path);
void makeWritable(const QString &path);
QByteArray readAll(const QString &path);
void writeFile(const QString &path, const QByteArray &bytes);

} // namespace kelmora::test
