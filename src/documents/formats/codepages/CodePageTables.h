#pragma once
// What the decoders need to know about each code page besides iconv's own
// tables: its iconv name (or the nearest table glibc has), whether it is
// multi-byte, the lead and trail bytes of the double-byte pages, and the
// characters a page has where its nearest table has others.

#include <QByteArray>

#include <array>

namespace kelmora::formats::codepages {

using ByteSet = std::array<bool, 256>;

QByteArray iconvName(int codePage);
bool isMultiByte(int codePage);
// Fills lead and trail for a double-byte page; false for other pages.
bool doubleByteLayout(int codePage, ByteSet &lead, ByteSet &trail);
// Puts the page's own characters into a table decoded with a nearer one.
void patchTable(int codePage, std::array<char16_t, 256> &table);

} // namespace kelmora::formats::codepages
