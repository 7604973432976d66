#pragma once
// Windows, Macintosh and DOS code pages decoded through glibc's iconv.
//
// A CodePageDecoder turns bytes of one code page into UTF-16. Single-byte
// pages are converted once into a 256-entry table (bytes the page leaves
// undefined map to U+0080..U+00FF, as Windows does, so nothing is lost);
// double-byte pages (932, 936, 949, 950, 1361 and the Macintosh East Asian
// pages) and the other multi-byte ones (UTF-8, EUC, GB18030) go through iconv
// for each chunk. Where glibc has no table for a page, the nearest one it has
// is used (CodePageTables.cpp names each); an unknown page falls back to 1252.
//
// SingleByteEncoder writes plain text back in the page it was read in.
// Cp1254Encoder answers whether a character has a byte in Windows-1254, the
// page the RTF writer uses for \'hh escapes.

#include <QString>
#include <QByteArrayView>

#include <array>
#include <map>
#include <memory>
#include <vector>

namespace kelmora::formats {

// Code page for an RTF \fcharsetN value; 0 when the charset names none
// (ANSI, default, symbol and unknown charsets).
int codePageForCharset(int charset);

// True for the pages whose characters are one or two bytes, told apart by a
// lead byte: 932, 936, 949, 950, 1361 and Macintosh 10001, 10002, 10003, 10008.
bool isDoubleBytePage(int codePage);

// The code page of text in a font declared with \fcharsetN (-1: none given)
// and \cpgN (0: none given), in a document whose page is documentPage. \cpg
// wins; \fcharset0 (ANSI) is the document's page, unless that page is a
// double-byte one: then it means Windows-1252 (Mac Roman for the Macintosh
// pages), as East Asian writers declare Western fonts that way.
int fontCodePage(int charset, int cpg, int documentPage);

class CodePageDecoder {
public:
    explicit CodePageDecoder(int codePage);
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder &) = delete;
    CodePageDecoder &operator=(const CodePageDecoder &) = delete;

    int codePage() const { return m_codePage; }
    bool isDoubleByte() const { return m_doubleByte; }
    // Appends the decoded bytes to out. In a double-byte page, a lead byte
    // followed by a byte that cannot trail it is dropped and the next byte
    // read on its own; a lead byte at the end of bytes, an invalid byte, or a
    // pair the page does not define becomes U+FFFD.
    void decode(QByteArrayView bytes, QString &out) const;
    // True when bytes hold double-byte characters of this (double-byte) page
    // and nothing else besides ASCII: every byte from 0x80 is part of a pair.
    bool readsAsDoubleByte(QByteArrayView bytes) const;
    char16_t byteToChar(unsigned char byte) const { return m_table[byte]; }

private:
    void decodeDoubleByte(QByteArrayView bytes, QString &out) const;
    void convert(QByteArrayView bytes, QString &out) const;

    int m_codePage;
    bool m_doubleByte = false;
    std::array<char16_t, 256> m_table{};
    std::array<bool, 256> m_lead{};  // double-byte pages: bytes that start a pair
    std::array<bool, 256> m_trail{}; // double-byte pages: bytes that may end one
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

// The inverse of a single-byte page's decoder, bytes the page leaves
// undefined included, so that text read in that page is written back byte
// for byte.
class SingleByteEncoder {
public:
    explicit SingleByteEncoder(const CodePageDecoder &decoder);
    // The byte of ch, or -1 when the page has none.
    int byteFor(char16_t ch) const { return m_bytes[ch]; }

private:
    std::vector<qint16> m_bytes; // indexed by UTF-16 unit
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
