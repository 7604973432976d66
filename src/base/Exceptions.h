#pragma once
// The program's error classes. Every command failure is one of these, thrown
// where it happens with its final, user-visible text (UTF-8), and caught only by
// the handler guard (Guard.h), which shows it in the standard error box.
// Plain C++ on purpose: the FTP client and the document formats use them
// without any widget or Qt dependency.

#include <stdexcept>
#include <string>
#include <utility>

namespace kelmora {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : m_message(std::move(message)) {}
    const char *what() const noexcept override { return m_message.c_str(); }
    const std::string &message() const noexcept { return m_message; }

private:
    std::string m_message;
};

// A text that is not a whole number: "'%s' is not a valid integer value".
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Document streams: reading and writing files.
class EStreamError : public Exception {
public:
    using Exception::Exception;
};
// Cannot open file "%s". %s
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
// Cannot create file "%s". %s
class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
// "Failed to Load Stream"
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
// "Failed to Save Stream"
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// Printing: no default printer, invalid printer, a job still running.
class EPrinter : public Exception {
public:
    using Exception::Exception;
};

// The errors' texts, in one place: the error box shows them as they stand.
namespace errortext {
inline constexpr const char *FailedToLoadStream = "Failed to Load Stream";
inline constexpr const char *FailedToSaveStream = "Failed to Save Stream";
inline constexpr const char *NoDefaultPrinter = "There is no default printer currently selected";
inline constexpr const char *PrinterNotValid = "Printer selected is not valid";
inline constexpr const char *PrintingInProgress = "Printing in progress";
// Cannot open file "<path>". <reason>
inline std::string cannotOpenFile(const std::string &path, const std::string &reason)
{
    return "Cannot open file \"" + path + "\". " + reason;
}
// Cannot create file "<path>". <reason>
inline std::string cannotCreateFile(const std::string &path, const std::string &reason)
{
    return "Cannot create file \"" + path + "\". " + reason;
}
// '<text>' is not a valid integer value
inline std::string notAnInteger(const std::string &text)
{
    return "'" + text + "' is not a valid integer value";
}
} // namespace errortext

} // namespace kelmora
