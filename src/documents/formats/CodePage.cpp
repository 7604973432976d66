#include "CodePage.h"

#include <QSysInfo>

#include <cerrno>
#include <iconv.h>

namespace kelmora::formats {

namespace {

constexpr char16_t Replacement = 0xFFFD;

const char *utf16Name()
{
    return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
}

bool isMultiByte(int codePage)
{
    switch (codePage) {
    case 932: case 936: case 949: case 950: case 1361:
    case 20932: case 51932: case 51949: case 54936: case 65001:
        return true;
    default:
        return false;
    }
}

QByteArray iconvName(int codePage)
{
    switch (codePage) {
    case 10000: return "MACINTOSH";
    case 10007: return "MAC-CYRILLIC";
    case 1361: return "JOHAB";
    case 20127: return "ASCII";
    case 20866: return "KOI8-R";
    case 21866: return "KOI8-U";
    case 20932: case 51932: return "EUC-JP";
    case 51949: return "EUC-KR";
    case 54936: return "GB18030";
    case 65001: return "UTF-8";
    case 28605: return "ISO-8859-15";
    default:
        break;
    }
    if (codePage >= 28591 && codePage <= 28599)
        return "ISO-8859-" + QByteArray::number(codePage - 28590);
    return "CP" + QByteArray::number(codePage);
}

iconv_t openDecoder(int codePage)
{
    return iconv_open(utf16Name(), iconvName(codePage).constData());
}

// One byte of a single-byte page; false when the page does not define it.
bool decodeByte(iconv_t cd, unsigned char byte, char16_t &result)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char in[1] = {static_cast<char>(byte)};
    char16_t out[4] = {};
    char *inPtr = in;
    char *outPtr = reinterpret_cast<char *>(out);
    size_t inLeft = 1;
    size_t outLeft = sizeof out;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1))
        return false;
    // Pages with combining sequences (1258) hold a base letter back until flushed.
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    if (sizeof out - outLeft != sizeof(char16_t))
        return false;
    result = out[0];
    return true;
}

} // namespace

int codePageForCharset(int charset)
{
    switch (charset) {
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return 0; // ANSI, default, symbol and unknown: the document's page
    }
}

struct CodePageDecoder::Iconv {
    explicit Iconv(iconv_t handle) : cd(handle) {}
    ~Iconv() { iconv_close(cd); }
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;
    iconv_t cd;
};

CodePageDecoder::CodePageDecoder(int codePage) : m_codePage(codePage)
{
    iconv_t cd = openDecoder(codePage);
    if (cd == iconv_t(-1)) {
        m_codePage = 1252;
        cd = openDecoder(1252);
    }
    if (isMultiByte(m_codePage) && cd != iconv_t(-1)) {
        m_iconv = std::make_unique<Iconv>(cd);
        for (int b = 0; b < 0x80; ++b)
            m_table[b] = char16_t(b);
        return;
    }
    for (int b = 0; b < 256; ++b) {
        char16_t ch = char16_t(b);
        if (cd == iconv_t(-1) || !decodeByte(cd, static_cast<unsigned char>(b), ch))
            ch = char16_t(b);
        m_table[b] = ch;
    }
    if (cd != iconv_t(-1))
        iconv_close(cd);
}

CodePageDecoder::~CodePageDecoder() = default;

void CodePageDecoder::decode(QByteArrayView bytes, QString &out) const
{
    if (m_iconv) {
        decodeMultiByte(bytes, out);
        return;
    }
    const qsizetype start = out.size();
    out.resize(start + bytes.size());
    char16_t *dst = reinterpret_cast<char16_t *>(out.data()) + start;
    for (char c : bytes)
        *dst++ = m_table[static_cast<unsigned char>(c)];
}

void CodePageDecoder::decodeMultiByte(QByteArrayView bytes, QString &out) const
{
    iconv_t cd = m_iconv->cd;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char *in = const_cast<char *>(bytes.data());
    size_t inLeft = size_t(bytes.size());
    while (inLeft > 0) {
        // No page here yields more UTF-16 units than it consumes bytes.
        const qsizetype start = out.size();
        const size_t room = inLeft + 2;
        out.resize(start + qsizetype(room));
        char16_t *base = reinterpret_cast<char16_t *>(out.data()) + start;
        char *outPtr = reinterpret_cast<char *>(base);
        size_t outLeft = room * sizeof(char16_t);
        const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        const int err = errno;
        out.resize(start + (reinterpret_cast<char16_t *>(outPtr) - base));
        if (rc != size_t(-1) || err == E2BIG)
            continue;
        out.append(QChar(Replacement));
        if (err == EINVAL) // a lead byte without its trail byte at the end
            break;
        ++in; // an invalid byte: skip it and go on
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
}

const CodePageDecoder &CodePageDecoders::get(int codePage)
{
    if (m_last && m_lastPage == codePage)
        return *m_last;
    std::unique_ptr<CodePageDecoder> &d = m_decoders[codePage];
    if (!d)
        d = std::make_unique<CodePageDecoder>(codePage);
    m_last = d.get();
    m_lastPage = codePage;
    return *d;
}

Cp1254Encoder::Cp1254Encoder()
{
    for (int b = 0; b < 0x80; ++b)
        m_latin[b] = static_cast<unsigned char>(b);
    iconv_t cd = openDecoder(1254);
    if (cd == iconv_t(-1))
        return;
    for (int b = 0x80; b < 0x100; ++b) {
        char16_t ch = 0;
        if (!decodeByte(cd, static_cast<unsigned char>(b), ch))
            continue;
        if (ch < 0x100)
            m_latin[ch] = static_cast<unsigned char>(b);
        else
            m_extended[m_extendedCount++] = {ch, static_cast<unsigned char>(b)};
    }
    iconv_close(cd);
}

unsigned char Cp1254Encoder::extendedByte(char16_t ch) const
{
    for (int i = 0; i < m_extendedCount; ++i) {
        if (m_extended[i].first == ch)
            return m_extended[i].second;
    }
    return 0;
}

} // namespace kelmora::formats
