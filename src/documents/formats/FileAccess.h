#pragma once
// Reading a whole file and replacing a file safely, with the program's error
// texts and the system's reasons (strerror) in them.

#include <QByteArray>
#include <QString>

#include <functional>

namespace kelmora::formats {

class OutputSink;

// The whole content of path. Throws EFOpenError when it cannot be opened (or
// is a folder) and EReadError when reading fails.
QByteArray readWholeFile(const QString &path);

// Replaces path with what produce writes, never harming the old file: the
// bytes go to a temporary file in the same folder, which is flushed to disk,
// given the old file's permissions (and owner, when running as root) and
// renamed over the target; then the folder is synced so the new name lasts.
// A file that cannot be replaced so, because its folder may not be written
// (or, in a sticky folder, renamed over) or because it has other hard links,
// is rewritten in place: the new content made in full first, the old content
// kept in memory and written back if any write fails.
// A target that exists but cannot be written, or that carries no write
// permission at all, fails with EFCreateError before anything is written; so
// does a file to be rewritten in place that cannot be read. A failed write
// throws EWriteError; the temporary file is removed on every failure.
void writeFileSafely(const QString &path, const std::function<void(OutputSink &)> &produce);

} // namespace kelmora::formats
