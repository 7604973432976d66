#pragma once
// The program's error classes. Every command failure is one of these, thrown
// where it happens with its final, user-visible text (UTF-8, from
// ErrorTexts.h), and caught only by the handler guard (ui/Guard.h), which
// shows it in the standard error box.
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

} // namespace kelmora
