#include "CodePage.h"

#include "CodePageTables.h"

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

iconv_t openDecoder(int codePage)
{
    return iconv_open(utf16Name(), codepages::iconvName(codePage).constData());
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
    if (codepages::isMultiByte(m_codePage) && cd != iconv_t(-1)) {
        m_iconv = std::make_unique<Iconv>(cd);
        m_doubleByte = codepages::doubleByteLayout(m_codePage, m_lead, m_trail);
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
    codepages::patchTable(m_codePage, m_table);
    if (cd != iconv_t(-1))
        iconv_close(cd);
}

CodePageDecoder::~CodePageDecoder() = default;

void CodePageDecoder::decode(QByteArrayView bytes, QString &out) const
{
    if (m_doubleByte) {
        decodeDoubleByte(bytes, out);
        return;
    }
    if (m_iconv) {
        convert(bytes, out);
        return;
    }
    const qsizetype start = out.size();
    out.resize(start + bytes.size());
    char16_t *dst = reinterpret_cast<char16_t *>(out.data()) + start;
    for (char c : bytes)
        *dst++ = m_table[static_cast<unsigned char>(c)];
}

bool CodePageDecoder::readsAsDoubleByte(QByteArrayView bytes) const
{
    if (!m_doubleByte)
        return false;
    bool pairs = false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80)
            continue;
        if (!m_lead[b] || i + 1 == bytes.size() || !m_trail[static_cast<unsigned char>(bytes[i + 1])])
            return false;
        pairs = true;
        ++i;
    }
    return pairs;
}

void CodePageDecoder::decodeDoubleByte(QByteArrayView bytes, QString &out) const
{
    // Well-formed stretches go to iconv whole; a lead byte that nothing can
    // follow ends one.
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < n) {
        if (!m_lead[p[i]]) {
            ++i;
        } else if (i + 1 < n && m_trail[p[i + 1]]) {
            i += 2;
        } else {
            convert(bytes.sliced(start, i - start), out);
            // Dropped, so that the byte after it is read on its own; at the
            // end it stands for a character cut off.
            if (i + 1 == n)
                out.append(QChar(Replacement));
            start = ++i;
        }
    }
    convert(bytes.sliced(start), out);
}

void CodePageDecoder::convert(QByteArrayView bytes, QString &out) const
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
        if (err == EINVAL) // a sequence cut off at the end
            break;
        // An invalid byte, or a pair the page does not define, is skipped whole.
        const bool pair = m_doubleByte && inLeft >= 2 && m_lead[static_cast<unsigned char>(*in)];
        const size_t skip = pair ? 2 : 1;
        in += skip;
        inLeft -= skip;
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

SingleByteEncoder::SingleByteEncoder(const CodePageDecoder &decoder) : m_bytes(0x10000, -1)
{
    for (int b = 0; b < 0x100; ++b) {
        qint16 &slot = m_bytes[decoder.byteToChar(static_cast<unsigned char>(b))];
        if (slot < 0)
            slot = qint16(b);
    }
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
