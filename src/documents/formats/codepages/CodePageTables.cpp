#include "CodePageTables.h"

#include "CodePage.h"


namespace kelmora::formats {

namespace {

struct Range {
    unsigned char first;
    unsigned char last;
};

using Ranges = std::array<Range, 3>;
constexpr Range NoRange{0xff, 0x00};

struct DoubleByte {
    int codePage;
    Ranges lead;
    Ranges trail;
};

constexpr Ranges ShiftJisLead{{{0x81, 0x9f}, {0xe0, 0xfc}, NoRange}};
constexpr Ranges ShiftJisTrail{{{0x40, 0x7e}, {0x80, 0xfc}, NoRange}};
constexpr Ranges GbkLead{{{0x81, 0xfe}, NoRange, NoRange}};
constexpr Ranges GbkTrail{{{0x40, 0x7e}, {0x80, 0xfe}, NoRange}};
constexpr Ranges HangulLead{{{0x81, 0xfe}, NoRange, NoRange}};
constexpr Ranges HangulTrail{{{0x41, 0x5a}, {0x61, 0x7a}, {0x81, 0xfe}}};
constexpr Ranges Big5Lead{{{0x81, 0xfe}, NoRange, NoRange}};
constexpr Ranges Big5Trail{{{0x40, 0x7e}, {0xa1, 0xfe}, NoRange}};

// Shift_JIS, GBK, Unified Hangul, Big5 and Johab, and the Macintosh pages
// read with them (see iconvName).
constexpr DoubleByte DoubleBytePages[] = {
    {932, ShiftJisLead, ShiftJisTrail},
    {10001, ShiftJisLead, ShiftJisTrail},
    {936, GbkLead, GbkTrail},
    {10008, GbkLead, GbkTrail},
    {949, HangulLead, HangulTrail},
    {10003, HangulLead, HangulTrail},
    {950, Big5Lead, Big5Trail},
    {10002, Big5Lead, Big5Trail},
    {1361, {{{0x84, 0xd3}, {0xd8, 0xde}, {0xe0, 0xf9}}}, {{{0x31, 0x7e}, {0x81, 0xfe}, NoRange}}},
};

const DoubleByte *doubleByte(int codePage)
{
    for (const DoubleByte &d : DoubleBytePages) {
        if (d.codePage == codePage)
            return &d;
    }
    return nullptr;
}

void mark(codepages::ByteSet &set, const Ranges &ranges)
{
    for (const Range &r : ranges) {
        for (int b = r.first; b <= r.last; ++b)
            set[size_t(b)] = true;
    }
}

struct Patch {
    int codePage;
    unsigned char byte;
    char16_t ch;
};

// Mac Turkish is Mac Roman with the six Turkish letters at 0xDA..0xDF and
// 0xF5 (Mac Roman's dotless i) left to Apple's private character.
// glibc's Mac Icelandic has the Croatian D with stroke for Eth, and other
// characters where Apple's table has the Icelandic letters and the dashes.
const Patch Patches[] = {
    {10081, 0xda, u'Ğ'}, {10081, 0xdb, u'ğ'}, {10081, 0xdc, u'İ'}, {10081, 0xdd, u'ı'},
    {10081, 0xde, u'Ş'}, {10081, 0xdf, u'ş'}, {10081, 0xf5, u'\uf8a0'},
    {10079, 0xa0, u'Ý'}, {10079, 0xdc, u'Ð'}, {10079, 0xdd, u'ð'}, {10079, 0xe0, u'ý'},
    {10079, 0xd0, u'–'}, {10079, 0xd1, u'—'}, {10079, 0xd7, u'◊'}, {10079, 0xdb, u'€'},
    {10079, 0xf6, u'ˆ'}, {10079, 0xf7, u'˜'},
};

} // namespace

int codePageForCharset(int charset)
{
    switch (charset) {
    case 77: return 10000;  // Mac Roman
    case 78: return 10001;  // Mac Japanese
    case 79: return 10003;  // Mac Korean
    case 80: return 10008;  // Mac Simplified Chinese
    case 81: return 10002;  // Mac Traditional Chinese
    case 83: return 10005;  // Mac Hebrew
    case 84: return 10004;  // Mac Arabic
    case 85: return 10006;  // Mac Greek
    case 86: return 10081;  // Mac Turkish
    case 87: return 10021;  // Mac Thai
    case 88: return 10029;  // Mac Central European
    case 89: return 10007;  // Mac Cyrillic
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
    default: return 0; // ANSI, default, symbol and unknown
    }
}

bool isDoubleBytePage(int codePage)
{
    return doubleByte(codePage) != nullptr;
}

int fontCodePage(int charset, int cpg, int documentPage)
{
    if (cpg > 0)
        return cpg;
    if (charset == 0 && isDoubleBytePage(documentPage))
        return documentPage >= 10000 ? 10000 : 1252;
    const int page = charset > 0 ? codePageForCharset(charset) : 0;
    return page > 0 ? page : documentPage;
}

namespace codepages {

QByteArray iconvName(int codePage)
{
    switch (codePage) {
    case 10000: return "MACINTOSH";
    case 10001: return "CP932";       // Mac Japanese: Shift_JIS; glibc has no Mac variant
    case 10002: return "CP950";       // Mac Traditional Chinese: Big5, likewise
    case 10003: return "CP949";       // Mac Korean: KS X 1001 in EUC form, which 949 contains
    case 10004: return "ISO-8859-6";  // Mac Arabic: no table; its letters sit where 8859-6 has them
    case 10005: return "ISO-8859-8";  // Mac Hebrew: no table; its letters sit where 8859-8 has them
    case 10006: return "CP1253";      // Mac Greek: no table; Windows Greek keeps the text Greek
    case 10007: return "MAC-CYRILLIC";
    case 10008: return "CP936";       // Mac Simplified Chinese: GB 2312, which 936 contains
    case 10010: return "MACINTOSH";   // Mac Romanian: no table; Mac Roman differs in a few letters
    case 10017: return "MAC-UK";      // Mac Ukrainian
    case 10021: return "CP874";       // Mac Thai: no table; its letters sit where TIS-620 has them
    case 10029: return "MAC-CENTRALEUROPE";
    case 10079: return "MAC-IS";      // Mac Icelandic, patched (Patches)
    case 10081: return "MACINTOSH";   // Mac Turkish: no table; Mac Roman, patched (Patches)
    case 10082: return "MACINTOSH";   // Mac Croatian: no table; Mac Roman differs in a few letters
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
    // The Windows and DOS pages (437, 850, 852, 857, ...) by their numbers.
    return "CP" + QByteArray::number(codePage);
}

bool isMultiByte(int codePage)
{
    switch (codePage) {
    case 20932: case 51932: case 51949: case 54936: case 65001:
        return true;
    default:
        return isDoubleBytePage(codePage);
    }
}

bool doubleByteLayout(int codePage, ByteSet &lead, ByteSet &trail)
{
    const DoubleByte *d = doubleByte(codePage);
    if (!d)
        return false;
    mark(lead, d->lead);
    mark(trail, d->trail);
    return true;
}

void patchTable(int codePage, std::array<char16_t, 256> &table)
{
    for (const Patch &p : Patches) {
        if (p.codePage == codePage)
            table[p.byte] = p.ch;
    }
}

} // namespace codepages

} // namespace kelmora::formats
