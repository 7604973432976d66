#include "FileAccess.h"

#include "base/ErrorTexts.h"
#include "base/Exceptions.h"
#include "OutputSink.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <utility>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelmora::formats {

namespace {

std::string reason(int err)
{
    return std::strerror(err);
}

EFOpenError openError(const QString &path, int err)
{
    return EFOpenError(errortext::cannotOpenFile(path.toStdString(), reason(err)));
}

EFCreateError createError(const QString &path, int err)
{
    return EFCreateError(errortext::cannotCreateFile(path.toStdString(), reason(err)));
}

// Writes all of data at offset, which moves on past what was written.
bool writeAllAt(int fd, const char *data, qsizetype size, off_t &offset)
{
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size_t(size), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
        offset += n;
    }
    return true;
}

// Everything left to read from fd; sizeHint is what fstat said.
bool readAllFrom(int fd, qsizetype sizeHint, QByteArray &data)
{
    qsizetype used = 0;
    data.resize(sizeHint > 0 ? sizeHint + 1 : qsizetype(1) << 16);
    for (;;) {
        if (used == data.size())
            data.resize(data.size() * 2);
        const ssize_t n = ::read(fd, data.data() + used, size_t(data.size() - used));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        used += n;
    }
    data.resize(used);
    return true;
}

bool syncFailed(int rc)
{
    // File systems that cannot sync say so with EINVAL or EROFS.
    return rc != 0 && errno != EINVAL && errno != EROFS;
}

// Fails like opening the file for writing would, without changing it.
void checkWritable(const QString &path, const QByteArray &native, const struct stat &st)
{
    if (S_ISDIR(st.st_mode))
        throw createError(path, EISDIR);
    // A file marked read-only stays read-only, also for root.
    if ((st.st_mode & 0222) == 0)
        throw createError(path, EACCES);
    const int fd = ::open(native.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        throw createError(path, errno);
    ::close(fd);
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A new file beside the target, removed again unless it was renamed over it.
class TempFile {
public:
    explicit TempFile(const QByteArray &target)
    {
        const qsizetype slash = target.lastIndexOf('/');
        m_name = target.left(slash + 1) + '.' + target.mid(slash + 1) + ".XXXXXX";
        m_fd = ::mkostemp(m_name.data(), O_CLOEXEC);
        m_error = m_fd < 0 ? errno : 0;
    }
    ~TempFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (m_error == 0 && !m_renamed)
            ::unlink(m_name.constData());
    }
    TempFile(const TempFile &) = delete;
    TempFile &operator=(const TempFile &) = delete;

    // 0, or why the file could not be created.
    int error() const { return m_error; }
    int fd() const { return m_fd; }
    void close()
    {
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0)
            throw EWriteError(errortext::FailedToSaveStream);
    }
    // 0, or why the rename failed (the temporary file then stays to be removed).
    int renameTo(const QByteArray &target)
    {
        if (::rename(m_name.constData(), target.constData()) != 0)
            return errno;
        m_renamed = true;
        return 0;
    }

private:
    QByteArray m_name;
    int m_fd = -1;
    int m_error = 0;
    bool m_renamed = false;
};

// An existing file rewritten where it is, for when it cannot be replaced by
// a new file: its folder may not be written, or other names (hard links)
// share it. The old content is kept in memory; the new one is written over
// it from the start and the file cut to its length only afterwards, so that
// writing the old content back never needs more room than the file had.
class InPlaceFile {
public:
    InPlaceFile(const QString &path, const QByteArray &target)
    {
        // Without reading the old content it could not be restored: refuse.
        m_fd = ::open(target.constData(), O_RDWR | O_CLOEXEC | O_NOCTTY);
        if (m_fd < 0)
            throw createError(path, errno);
        struct stat st {};
        if (::fstat(m_fd, &st) != 0 || !readAllFrom(m_fd, qsizetype(st.st_size), m_old))
            throw createError(path, errno);
    }
    ~InPlaceFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    InPlaceFile(const InPlaceFile &) = delete;
    InPlaceFile &operator=(const InPlaceFile &) = delete;

    // Throws EWriteError, with the old content back in place, when any step fails.
    void replace(const QByteArray &content)
    {
        reserve(content.size());
        off_t start = 0;
        const bool written = writeAllAt(m_fd, content.constData(), content.size(), start) &&
                             ::ftruncate(m_fd, off_t(content.size())) == 0 && !syncFailed(::fdatasync(m_fd));
        if (!written) {
            restore();
            throw EWriteError(errortext::FailedToSaveStream);
        }
        const int fd = std::exchange(m_fd, -1);
        if (::close(fd) != 0)
            throw EWriteError(errortext::FailedToSaveStream);
    }

private:
    // A full disk or quota fails here, before anything is written.
    void reserve(qsizetype size)
    {
        if (size <= m_old.size() || ::fallocate(m_fd, FALLOC_FL_KEEP_SIZE, 0, off_t(size)) == 0)
            return;
        if (errno == ENOSPC || errno == EDQUOT || errno == EFBIG)
            throw EWriteError(errortext::FailedToSaveStream);
        // Other errors: the file system cannot reserve; the write finds out.
    }
    void restore()
    {
        off_t start = 0;
        if (writeAllAt(m_fd, m_old.constData(), m_old.size(), start) && ::ftruncate(m_fd, off_t(m_old.size())) == 0)
            ::fdatasync(m_fd);
    }

    int m_fd = -1;
    QByteArray m_old;
};

void writeInPlace(const QString &path, const QByteArray &target, const std::function<void(OutputSink &)> &produce)
{
    QByteArray content;
    {
        OutputSink sink(content);
        produce(sink);
        sink.flush();
    }
    InPlaceFile(path, target).replace(content);
}

// Makes the new name survive a power cut.
void syncFolderOf(const QByteArray &target)
{
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash > 0 ? target.left(slash) : QByteArray("/");
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return; // a folder we may not read; the rename itself has happened
    const bool failed = syncFailed(::fsync(fd));
    ::close(fd);
    if (failed)
        throw EWriteError(errortext::FailedToSaveStream);
}

// The reasons a new file cannot take the target's place where the target
// itself may still be written.
bool needsInPlace(int err)
{
    return err == EACCES || err == EPERM || err == EROFS || err == EBUSY;
}

} // namespace

QByteArray readWholeFile(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const QByteArray native = QFile::encodeName(absolute);
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        throw openError(absolute, errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        const int err = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd);
        throw openError(absolute, err);
    }
    QByteArray data;
    const bool read = readAllFrom(fd, S_ISREG(st.st_mode) ? qsizetype(st.st_size) : 0, data);
    ::close(fd);
    if (!read)
        throw EReadError(errortext::FailedToLoadStream);
    return data;
}

void writeFileSafely(const QString &path, const std::function<void(OutputSink &)> &produce)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QByteArray target = QFile::encodeName(absolute);
    struct stat st {};
    const bool exists = ::stat(target.constData(), &st) == 0;
    if (!exists && errno != ENOENT)
        throw createError(absolute, errno);
    if (exists) {
        checkWritable(absolute, target, st);
        // Saving through a link replaces the file it points to, not the link.
        const QString canonical = QFileInfo(absolute).canonicalFilePath();
        if (!canonical.isEmpty())
            target = QFile::encodeName(canonical);
    }
    // Other names of a hard-linked file would keep the old text if a new
    // file took this name.
    if (exists && st.st_nlink > 1) {
        writeInPlace(absolute, target, produce);
        return;
    }
    TempFile temp(target);
    if (temp.error() != 0) {
        if (!exists || !needsInPlace(temp.error()))
            throw createError(absolute, temp.error());
        writeInPlace(absolute, target, produce); // a folder we may not write
        return;
    }
    if (exists) {
        if (::geteuid() == 0 && ::fchown(temp.fd(), st.st_uid, st.st_gid) != 0) {
            // Keeping the owner is a courtesy; the permissions below matter more.
        }
        ::fchmod(temp.fd(), st.st_mode & 07777);
    } else {
        ::fchmod(temp.fd(), newFileMode());
    }
    {
        // A new file, written from its start.
        OutputSink sink([fd = temp.fd(), at = off_t(0)](const char *data, qsizetype size) mutable {
            return writeAllAt(fd, data, size, at);
        });
        produce(sink);
        sink.flush();
    }
    if (syncFailed(::fdatasync(temp.fd())))
        throw EWriteError(errortext::FailedToSaveStream);
    temp.close();
    if (const int err = temp.renameTo(target); err != 0) {
        // A sticky folder lets only the owner replace a file others may write.
        if (!exists || !needsInPlace(err))
            throw createError(absolute, err);
        writeInPlace(absolute, target, produce);
        return;
    }
    syncFolderOf(target);
}

} // namespace kelmora::formats
