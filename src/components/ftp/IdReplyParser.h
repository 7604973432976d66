#pragma once
// FTP reply parsing without I/O: bytes go in as they arrive, whole replies come
// out. Used by the control connection and by the reply fuzzer.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

// What happens to a line longer than the limit: an error (the default), or the
// line is cut into pieces of the limit's length.
enum class TIdMaxLineAction { maException, maSplit };

// One server reply: NumericCode is 0 when the code is not a number; TextCode is
// the code as sent ("220"); Text holds each line from its fifth character on.
struct TIdRFCReply {
    int NumericCode = 0;
    std::string TextCode;
    std::vector<std::string> Text;

    // The lines joined with CR LF: the message of a reply error.
    std::string JoinedText() const;
};

// Splits the control stream into lines (LF ends a line, a CR before it goes,
// blanks and control characters around it are trimmed, empty lines skipped)
// and lines into replies (a first line "ddd-" opens a multi-line reply that the
// line "ddd " or any line shorter than four characters closes).
// Bounds: a line over maxLineLength throws EIdReadLnMaxLineLengthExceeded (or is
// split); more than maxReplyBytes consumed for one reply throws EIdReplyTooLong.
// Memory stays below about maxLineLength + maxReplyBytes + one fed chunk.
class ReplyParser {
public:
    struct Limits {
        std::size_t maxLineLength = 16384;
        TIdMaxLineAction maxLineAction = TIdMaxLineAction::maException;
        std::size_t maxReplyBytes = 1024 * 1024;
    };

    void SetLimits(const Limits &limits) { m_limits = limits; }
    void Feed(std::string_view bytes);
    // The next complete reply, or nothing until more bytes are fed.
    std::optional<TIdRFCReply> Next();
    void Clear();
    std::size_t Buffered() const { return m_buffer.size() - m_pos; }

private:
    std::optional<std::string> NextLine();
    void Consumed(std::size_t bytes);
    TIdRFCReply Finish();

    Limits m_limits;
    std::string m_buffer;
    std::size_t m_pos = 0;
    std::vector<std::string> m_lines; // the reply in progress, trimmed
    std::size_t m_replyBytes = 0;
};

} // namespace kelmora
