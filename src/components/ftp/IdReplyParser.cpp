#include "IdReplyParser.h"

#include "IdException.h"

#include <cctype>

namespace kelmora {

namespace {

bool IsBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlankOrControl(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlankOrControl(text.back()))
        text.remove_suffix(1);
    return text;
}

bool SameCodeIgnoringCase(std::string_view a, std::string_view b)
{
    for (std::size_t i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// Decimal digits only; anything else (or an absurdly long number) reads as 0.
int ParseCode(std::string_view text)
{
    if (text.empty() || text.size() > 9)
        return 0;
    int value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return 0;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

std::string TIdRFCReply::JoinedText() const
{
    std::string joined;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        if (i > 0)
            joined += "\r\n";
        joined += Text[i];
    }
    return joined;
}

void ReplyParser::Feed(std::string_view bytes)
{
    if (m_pos > 0) {
        m_buffer.erase(0, m_pos);
        m_pos = 0;
    }
    m_buffer.append(bytes);
}

void ReplyParser::Clear()
{
    m_buffer.clear();
    m_pos = 0;
    m_lines.clear();
    m_replyBytes = 0;
}

void ReplyParser::Consumed(std::size_t bytes)
{
    m_pos += bytes;
    m_replyBytes += bytes;
    if (m_replyBytes > m_limits.maxReplyBytes)
        throw EIdReplyTooLong();
}

std::optional<std::string> ReplyParser::NextLine()
{
    const std::size_t limit = m_limits.maxLineLength;
    const bool split = m_limits.maxLineAction == TIdMaxLineAction::maSplit && limit > 0;
    const std::size_t lf = m_buffer.find('\n', m_pos);
    if (lf == std::string::npos) {
        // Still no line end: refuse to keep more than one full line (and its CR).
        if (Buffered() <= limit + 1)
            return std::nullopt;
        if (!split)
            throw EIdReadLnMaxLineLengthExceeded();
        std::string piece = m_buffer.substr(m_pos, limit);
        Consumed(limit);
        return piece;
    }
    std::size_t length = lf - m_pos;
    if (length > 0 && m_buffer[lf - 1] == '\r')
        --length;
    if (length > limit) {
        if (!split)
            throw EIdReadLnMaxLineLengthExceeded();
        std::string piece = m_buffer.substr(m_pos, limit);
        Consumed(limit);
        return piece;
    }
    std::string line = m_buffer.substr(m_pos, length);
    Consumed(lf + 1 - m_pos);
    return line;
}

std::optional<TIdRFCReply> ReplyParser::Next()
{
    while (const std::optional<std::string> raw = NextLine()) {
        const std::string_view line = Trim(*raw);
        if (line.empty())
            continue;
        m_lines.emplace_back(line);
        const std::string_view first = m_lines.front();
        if (m_lines.size() == 1) {
            const bool multiLine = first.size() > 3 && first[3] == '-';
            if (!multiLine)
                return Finish();
            continue;
        }
        if (line.size() < 4 || (line[3] == ' ' && SameCodeIgnoringCase(line, first)))
            return Finish();
    }
    return std::nullopt;
}

TIdRFCReply ReplyParser::Finish()
{
    TIdRFCReply reply;
    std::string_view code = Trim(std::string_view(m_lines.front()).substr(0, 4));
    if (!code.empty() && code.back() == '-')
        code.remove_suffix(1);
    reply.TextCode = std::string(code);
    reply.NumericCode = ParseCode(code);
    reply.Text.reserve(m_lines.size());
    for (const std::string &line : m_lines)
        reply.Text.push_back(line.size() > 4 ? line.substr(4) : std::string());
    m_lines.clear();
    m_replyBytes = 0;
    return reply;
}

} // namespace kelmora
