#include "RtfTokenizer.h"

#include <limits>

namespace kelmora::formats {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isTextByte(char c)
{
    return c != '\\' && c != '{' && c != '}' && c != '\r' && c != '\n';
}

} // namespace

RtfToken RtfTokenizer::next()
{
    const qsizetype size = m_data.size();
    const char *d = m_data.data();
    while (m_pos < size && (d[m_pos] == '\r' || d[m_pos] == '\n'))
        ++m_pos;
    RtfToken t;
    if (m_pos >= size)
        return t;
    switch (d[m_pos]) {
    case '{':
        ++m_pos;
        t.kind = RtfToken::GroupStart;
        return t;
    case '}':
        ++m_pos;
        t.kind = RtfToken::GroupEnd;
        return t;
    case '\\':
        ++m_pos;
        return readBackslash();
    default:
        break;
    }
    const qsizetype start = m_pos;
    while (m_pos < size && isTextByte(d[m_pos]))
        ++m_pos;
    t.kind = RtfToken::Text;
    t.text = m_data.sliced(start, m_pos - start);
    return t;
}

RtfToken RtfTokenizer::readBackslash()
{
    RtfToken t;
    if (m_pos >= m_data.size())
        return t; // a lone backslash at the very end
    const char c = m_data[m_pos];
    if (isLetter(c))
        return readWord();
    ++m_pos;
    if (c == '\'') {
        if (m_pos + 2 > m_data.size()) {
            m_pos = m_data.size();
            return t;
        }
        const int hi = hexDigitValue(m_data[m_pos]);
        const int lo = hexDigitValue(m_data[m_pos + 1]);
        if (hi < 0 || lo < 0) {
            t.kind = RtfToken::Symbol; // a malformed escape: ignored by the reader
            t.symbol = '\'';
            return t;
        }
        m_pos += 2;
        t.kind = RtfToken::Hex;
        t.hex = static_cast<unsigned char>(hi * 16 + lo);
        return t;
    }
    if (c == '\\' || c == '{' || c == '}') {
        t.kind = RtfToken::Text;
        t.text = m_data.sliced(m_pos - 1, 1);
        return t;
    }
    t.kind = RtfToken::Symbol;
    // A backslash before a line break is a paragraph mark.
    t.symbol = (c == '\r' || c == '\n') ? '\n' : c;
    return t;
}

RtfToken RtfTokenizer::readWord()
{
    const qsizetype size = m_data.size();
    const char *d = m_data.data();
    const qsizetype start = m_pos;
    while (m_pos < size && isLetter(d[m_pos]))
        ++m_pos;
    RtfToken t;
    t.kind = RtfToken::Word;
    t.word = std::string_view(d + start, size_t(m_pos - start));
    bool negative = false;
    if (m_pos + 1 < size && d[m_pos] == '-' && isDigit(d[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < size && isDigit(d[m_pos])) {
        long long value = 0;
        while (m_pos < size && isDigit(d[m_pos])) {
            if (value <= std::numeric_limits<int>::max())
                value = value * 10 + (d[m_pos] - '0');
            ++m_pos;
        }
        if (negative)
            value = -value;
        constexpr long long lo = std::numeric_limits<int>::min();
        constexpr long long hi = std::numeric_limits<int>::max();
        t.hasParam = true;
        t.param = int(value < lo ? lo : (value > hi ? hi : value));
    }
    if (m_pos < size && d[m_pos] == ' ')
        ++m_pos;
    return t;
}

QByteArrayView RtfTokenizer::takeBinary(qint64 count)
{
    const qsizetype available = m_data.size() - m_pos;
    const qsizetype n = count < 0 ? 0 : (count > available ? available : qsizetype(count));
    const QByteArrayView bytes = m_data.sliced(m_pos, n);
    m_pos += n;
    return bytes;
}

bool RtfTokenizer::skipGroup()
{
    const qsizetype size = m_data.size();
    const char *d = m_data.data();
    qsizetype depth = 1;
    while (m_pos < size) {
        const char c = d[m_pos++];
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth == 0)
                return true;
        } else if (c == '\\' && m_pos < size) {
            if (isLetter(d[m_pos])) {
                if (!skipWordInGroup())
                    return false;
            } else {
                ++m_pos; // an escaped brace or backslash does not count
            }
        }
    }
    return false;
}

bool RtfTokenizer::skipWordInGroup()
{
    const RtfToken t = readWord();
    if (t.word == "bin" && t.hasParam)
        takeBinary(t.param);
    return m_pos < m_data.size();
}

} // namespace kelmora::formats
