#pragma once
// East Asian characters (Han, kana, Hangul, CJK symbols and full-width
// forms). RTF gives them fonts and sizes of their own (\dbch\afN\afsN), so
// the reader and the writer both need to tell them from other text.

#include <QChar>

namespace kelmora::formats {

constexpr bool isEastAsian(char32_t c)
{
    return (c >= 0x1100 && c <= 0x11ff) || (c >= 0x2e80 && c <= 0x9fff) || (c >= 0xa960 && c <= 0xa97f) ||
           (c >= 0xac00 && c <= 0xd7af) || (c >= 0xf900 && c <= 0xfaff) || (c >= 0xfe30 && c <= 0xfe4f) ||
           (c >= 0xff00 && c <= 0xffef) || (c >= 0x20000 && c <= 0x3ffff);
}

// The East Asian character starting at text[i] (a surrogate pair counts as one).
inline bool isEastAsianAt(QStringView text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode()))
        return isEastAsian(QChar::surrogateToUcs4(c, text[i + 1].unicode()));
    return isEastAsian(c);
}

} // namespace kelmora::formats
