#pragma once
// The errors' texts and the one rule for showing them, in one place. The
// exceptions are thrown with these texts (UTF-8); the standard error box and
// the command-line tools show them through errorBoxText. Plain C++, so the
// FTP client uses the same texts without Qt.

#include <string>

namespace kelmora {

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

// The text shown for a message: the message, with a full stop added when its
// last character sorts after "." (a letter, a digit, "/"; not a quote, "!"
// or ","). On UTF-8 the last byte decides: any character beyond ASCII ends
// in a byte above ".", as the character itself sorts after it.
inline std::string errorBoxText(std::string message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        message += '.';
    return message;
}

} // namespace kelmora
