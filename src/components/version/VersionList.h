#pragma once
// The version list and the comparison of versions, as plain functions on the
// list's bytes (no widgets, no files). The list is 8-bit text: lines that end
// in CR LF, a lone CR or a lone LF, each looked at up to its first 4096 bytes.
// A product's lines are those holding the first three bytes of its code; the
// version such a line gives is the four bytes after its first comma.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

namespace kelmora::version {

inline constexpr qsizetype MaxLineLength = 4096;

// The lines of `list`, each cut to its first MaxLineLength bytes. A last line
// without an ending counts; an ending at the very end starts no further line.
QList<QByteArray> versionListLines(QByteArrayView list);

// Whether `line` holds the first three bytes of `productCode` (all of it when
// shorter) anywhere, case-sensitively. An empty code matches no line.
bool isProductLine(QByteArrayView line, QByteArrayView productCode);

// The four bytes after the line's first comma (fewer where the line ends
// sooner); without a comma, the line's first four bytes.
QByteArray versionOfLine(QByteArrayView line);

// Compares byte by byte as unsigned values; the first differing byte decides,
// and where one is the beginning of the other the longer is greater.
// Negative, zero or positive like strcmp. Versions are compared as text:
// "9.99" is greater than "10.0".
int compareVersions(QByteArrayView a, QByteArrayView b);

// The version in use as the check compares it: the setting without its first
// character (the prefix letter of "s1.06").
QString versionInUse(const QString &progVers);

struct VersionVerdict {
    QByteArray found;  // the version the deciding line gives
    bool updateNeeded; // found is greater than the version in use
};

// Looks at every line of the product in turn (`lines` as versionListLines
// gives them); the last one decides. Nothing when no line belongs to it.
std::optional<VersionVerdict> checkVersionList(const QList<QByteArray> &lines, QByteArrayView productCode,
                                               QByteArrayView inUse);

// The list's and the settings' 8-bit text is Windows-1254 (the Turkish
// Windows code page); characters it lacks become the substitute byte 0x1A.
QByteArray toListText(const QString &text);
QString fromListText(QByteArrayView bytes);

} // namespace kelmora::version
