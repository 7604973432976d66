#pragma once
// The local file a download writes into.

#include <string>
#include <string_view>

namespace kelmora {

// Creates (or, with `overwrite`, truncates) `path` on construction and closes it
// on destruction; what was written stays. Errors carry the system's text:
// EFCreateError when the file cannot be created, EIdFileAlreadyExists when it
// exists and may not be overwritten, EStreamError when a write or the final
// close fails (e.g. a full disk).
class LocalFile {
public:
    LocalFile(std::string path, bool overwrite);
    ~LocalFile();
    LocalFile(const LocalFile &) = delete;
    LocalFile &operator=(const LocalFile &) = delete;

    void Write(std::string_view bytes);
    void Close(); // reports a failing close; the destructor closes silently

private:
    [[noreturn]] void ThrowWriteError(int error) const;

    std::string m_path;
    int m_fd = -1;
};

} // namespace kelmora
