#include "FileAccess.h"

#include "base/Exceptions.h"
#include "OutputSink.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
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

bool writeAll(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
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

class TempFile {
public:
    TempFile(const QString &path, const QByteArray &target)
    {
        const qsizetype slash = target.lastIndexOf('/');
        m_name = target.left(slash + 1) + '.' + target.mid(slash + 1) + ".XXXXXX";
        m_fd = ::mkostemp(m_name.data(), O_CLOEXEC);
        if (m_fd < 0)
            throw createError(path, errno);
    }
    ~TempFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_renamed)
            ::unlink(m_name.constData());
    }
    int fd() const { return m_fd; }
    void close()
    {
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0)
            throw EWriteError(errortext::FailedToSaveStream);
    }
    void renameTo(const QString &path, const QByteArray &target)
    {
        if (::rename(m_name.constData(), target.constData()) != 0)
            throw createError(path, errno);
        m_renamed = true;
    }

private:
    QByteArray m_name;
    int m_fd = -1;
    bool m_renamed = false;
};

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
    qsizetype used = 0;
    data.resize(S_ISREG(st.st_mode) ? qsizetype(st.st_size) + 1 : qsizetype(1) << 16);
    for (;;) {
        if (used == data.size())
            data.resize(data.size() * 2);
        const ssize_t n = ::read(fd, data.data() + used, size_t(data.size() - used));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            throw EReadError(errortext::FailedToLoadStream);
        }
        if (n == 0)
            break;
        used += n;
    }
    ::close(fd);
    data.resize(used);
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
    TempFile temp(absolute, target);
    if (exists) {
        if (::geteuid() == 0 && ::fchown(temp.fd(), st.st_uid, st.st_gid) != 0) {
            // Keeping the owner is a courtesy; the permissions below matter more.
        }
        ::fchmod(temp.fd(), st.st_mode & 07777);
    } else {
        ::fchmod(temp.fd(), newFileMode());
    }
    {
        OutputSink sink([fd = temp.fd()](const char *data, qsizetype size) { return writeAll(fd, data, size); });
        produce(sink);
        sink.flush();
    }
    if (::fdatasync(temp.fd()) != 0 && errno != EINVAL && errno != EROFS)
        throw EWriteError(errortext::FailedToSaveStream);
    temp.close();
    temp.renameTo(absolute, target);
}

} // namespace kelmora::formats
