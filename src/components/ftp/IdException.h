#pragma once
// Errors of the FTP client. Each is thrown once, where the failure happens,
// with its final text; callers catch EIdException (or kelmora::Exception) and
// never need to rewrite a message. File-system failures of a download are not
// here: they are kelmora::EFCreateError / kelmora::EStreamError (Exceptions.h).

#include "base/Exceptions.h"

#include <string>
#include <utility>

namespace kelmora {

class EIdException : public Exception {
public:
    using Exception::Exception;
};

// A reply whose code is outside the accepted set; the text is the reply's text.
class EIdProtocolReplyError : public EIdException {
public:
    EIdProtocolReplyError(int code, std::string text)
        : EIdException(std::move(text)), m_code(code) {}
    int ErrorCode() const noexcept { return m_code; }

private:
    int m_code;
};

// A failed socket call: "Socket Error # %d\r\n%s" (number, description).
class EIdSocketError : public EIdException {
public:
    EIdSocketError(int error, const std::string &description)
        : EIdException("Socket Error # " + std::to_string(error) + "\r\n" + description) {}
};

class EIdConnClosedGracefully : public EIdException {
public:
    EIdConnClosedGracefully() : EIdException("Connection Closed Gracefully.") {}
};

class EIdReadLnMaxLineLengthExceeded : public EIdException {
public:
    EIdReadLnMaxLineLengthExceeded() : EIdException("Max line length exceeded.") {}
};

// A multi-line reply that goes on past the reply size limit.
class EIdReplyTooLong : public EIdException {
public:
    EIdReplyTooLong() : EIdException("Reply too long.") {}
};

class EIdCouldNotBindSocket : public EIdException {
public:
    EIdCouldNotBindSocket()
        : EIdException("Could not bind socket. Address and port are already in use.") {}
};

class EIdInvalidSocket : public EIdException {
public:
    EIdInvalidSocket() : EIdException("Cannot allocate socket.") {}
};

class EIdAlreadyConnected : public EIdException {
public:
    EIdAlreadyConnected() : EIdException("Already connected.") {}
};

class EIdNotConnected : public EIdException {
public:
    EIdNotConnected() : EIdException("Not connected.") {}
};

// A command argument with CR or LF, refused before anything is sent.
class EIdLineBreakInCommand : public EIdException {
public:
    EIdLineBreakInCommand() : EIdException("Line break in command argument.") {}
};

// A requested feature this client does not implement (passive mode, resume, proxies).
class EIdNotSupported : public EIdException {
public:
    using EIdException::EIdException;
};

// Get without permission to overwrite, on an existing local file.
class EIdFileAlreadyExists : public EIdException {
public:
    EIdFileAlreadyExists() : EIdException("Destination file already exists.") {}
};

// Bounded waits: each one that runs out is an error of the operation in progress.
class EIdResolveTimeout : public EIdException {
public:
    EIdResolveTimeout() : EIdException("Host name lookup timed out.") {}
};

class EIdConnectTimeout : public EIdException {
public:
    EIdConnectTimeout() : EIdException("Connect timed out.") {}
};

class EIdReadTimeout : public EIdException {
public:
    EIdReadTimeout() : EIdException("Read timed out.") {}
};

class EIdWriteTimeout : public EIdException {
public:
    EIdWriteTimeout() : EIdException("Write timed out.") {}
};

class EIdAcceptTimeout : public EIdException {
public:
    EIdAcceptTimeout() : EIdException("Accept timed out.") {}
};

// A retrieval that ran past TIdFTP::TransferTimeout, or anything that ran past
// a wait limit its caller set over a whole exchange (TIdTCPConnection::SetWaitLimit).
class EIdTransferTimeout : public EIdException {
public:
    EIdTransferTimeout() : EIdException("Transfer timed out.") {}
};

// A retrieval that brought more than TIdFTP::MaxTransferSize bytes.
class EIdTransferTooLarge : public EIdException {
public:
    EIdTransferTooLarge() : EIdException("Transfer exceeds the size limit.") {}
};

} // namespace kelmora
