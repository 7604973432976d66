#pragma once
// Windows code pages decoded through glibc's iconv.
//
// A CodePageDecoder turns bytes of one code page into UTF-16. Single-byte
// pages are converted once into a 256-entry table (bytes the page leaves
// undefined map to U+0080..U+00FF, as Windows does, so nothing is lost);
// double-byte pages (932, 936, 949, 950, 1361) and UTF-8 go through iconv for
// each chunk. An unknown or unsupported page falls back to 1252.
//
// Cp1254Encoder answers whether a character has a byte in Windows-1254, the
// page the RTF writer uses for \'hh escapes.

#include <QString>
#include <QByteArrayView>

#include <array>
#include <map>
#include <memory>

namespace kelmora::formats {

// Code page for an RTF \fcharsetN value; 0 means "the document's code page".
int codePageForCharset(int charset);

class CodePageDecoder {
public:
    explicit CodePageDecoder(int codePage);
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder &) = delete;
    CodePageDecoder &operator=(const CodePageDecoder &) = delete;

    int codePage() const { return m_codePage; }
    bool isSingleByte() const { return !m_iconv; }
    // Appends the decoded bytes to out. An incomplete or invalid sequence of a
    // multi-byte page becomes U+FFFD.
    void decode(QByteArrayView bytes, QString &out) const;
    char16_t byteToChar(unsigned char byte) const { return m_table[byte]; }

private:
    void decodeMultiByte(QByteArrayView bytes, QString &out) const;

    int m_codePage;
    std::array<char16_t, 256> m_table{};
    struct Iconv;
    std::unique_ptr<Iconv> m_iconv; // set for multi-byte pages only
};

// The decoders of one read, each made on first use and kept for the rest.
class CodePageDecoders {
public:
    const CodePageDecoder &get(int codePage);

private:
    std::map<int, std::unique_ptr<CodePageDecoder>> m_decoders;
    const CodePageDecoder *m_last = nullptr; // most reads use one page throughout
    int m_lastPage = 0;
};

class Cp1254Encoder {
public:
    Cp1254Encoder();
    // The Windows-1254 byte of ch, or 0 when the page has none (ch >= 0x80 only).
    unsigned char byteFor(char16_t ch) const
    {
        return ch < 0x100 ? m_latin[ch] : extendedByte(ch);
    }

private:
    unsigned char extendedByte(char16_t ch) const;

    std::array<unsigned char, 256> m_latin{};
    std::array<std::pair<char16_t, unsigned char>, 128> m_extended{};
    int m_extendedCount = 0;
};

} // namespace kelmora::formats
