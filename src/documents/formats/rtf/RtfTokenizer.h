#pragma once
// Splits RTF bytes into tokens. It is fed bytes (never a file), keeps no
// state beyond its position, and never reads past the end: a truncated control
// word, hex escape or \binN just ends the input. Line breaks in the data are
// dropped, as RTF asks. Numbers are clamped to the int range.

#include <QByteArrayView>

#include <string_view>

namespace kelmora::formats {

// The value of a hexadecimal digit, or -1 for any other character.
inline int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

struct RtfToken {
    enum Kind { End, GroupStart, GroupEnd, Word, Symbol, Hex, Text };
    Kind kind = End;
    std::string_view word;   // Word: the letters
    bool hasParam = false;   // Word: a number followed
    int param = 0;           // Word: the number (clamped)
    char symbol = 0;         // Symbol: the character after the backslash
    unsigned char hex = 0;   // Hex: the byte of \'hh
    QByteArrayView text;     // Text: plain bytes, no braces, backslashes or line breaks
};

class RtfTokenizer {
public:
    explicit RtfTokenizer(QByteArrayView data) : m_data(data) {}

    RtfToken next();
    // Takes up to count raw bytes after \binN (fewer when the data ends).
    QByteArrayView takeBinary(qint64 count);
    // Skips to the end of the group whose opening brace was just read,
    // counting nested groups and stepping over escapes and \binN data.
    // Returns false when the data ends first.
    bool skipGroup();

    bool atEnd() const { return m_pos >= m_data.size(); }
    qsizetype position() const { return m_pos; }
    QByteArrayView data() const { return m_data; }

private:
    RtfToken readBackslash();
    RtfToken readWord();
    bool skipWordInGroup();

    QByteArrayView m_data;
    qsizetype m_pos = 0;
};

} // namespace kelmora::formats
