#include "LocalFile.h"

#include "base/ErrorTexts.h"
#include "base/Exceptions.h"
#include "IdException.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include <utility>

namespace kelmora {

namespace {

std::string ErrorText(int error)
{
    char buffer[256];
    return strerror_r(error, buffer, sizeof buffer);
}

} // namespace

LocalFile::LocalFile(std::string path, bool overwrite) : m_path(std::move(path))
{
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (overwrite ? O_TRUNC : O_EXCL);
    do {
        m_fd = ::open(m_path.c_str(), flags, 0666);
    } while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0) {
        if (errno == EEXIST && !overwrite)
            throw EIdFileAlreadyExists();
        throw EFCreateError(errortext::cannotCreateFile(m_path, ErrorText(errno)));
    }
}

LocalFile::~LocalFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void LocalFile::ThrowWriteError(int error) const
{
    throw EStreamError("Cannot write file \"" + m_path + "\". " + ErrorText(error));
}

void LocalFile::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            ThrowWriteError(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void LocalFile::Close()
{
    const int fd = std::exchange(m_fd, -1);
    if (fd >= 0 && ::close(fd) != 0 && errno != EINTR)
        ThrowWriteError(errno);
}

} // namespace kelmora
