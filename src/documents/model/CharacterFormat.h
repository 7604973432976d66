#pragma once
// The rules for one run's character attributes as the editing surface reports
// and writes them: the face (the first family, else the document's default,
// at most 31 characters), the size in whole points (truncated from the
// twentieths the format keeps), the style set and the colour, which is
// automatic when the run has no foreground brush of its own. The surface, the
// RTF writer and kelmora-doc all read faces through faceName(), so the face
// box, a dump and a re-save show the same name.

#include <QColor>
#include <QFlags>
#include <QString>
#include <QTextCharFormat>

#include <optional>

class QTextDocument;

namespace kelmora::model {

enum class FontStyle { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };
Q_DECLARE_FLAGS(FontStyles, FontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(FontStyles)

inline constexpr FontStyles AllStyles{0xf};
inline constexpr qsizetype MaxFaceLength = 31;

// A face name as the surface keeps it: cut to MaxFaceLength characters.
QString cutFace(const QString &name);
// The face a run shows: its first family, else the document's default, cut.
QString faceName(const QTextCharFormat &format, const QTextDocument &doc);
// The run's size in whole points, truncated; the document's default without one.
int wholePoints(const QTextCharFormat &format, const QTextDocument &doc);
FontStyles stylesOf(const QTextCharFormat &format);
// The run's own colour, or nothing for the automatic colour (no brush at all,
// or the empty brush a write of the automatic colour leaves).
std::optional<QColor> colourOf(const QTextCharFormat &format);

// Formats to merge into a selection. Each carries only its own attributes;
// the style write carries all four members.
QTextCharFormat faceFormat(const QString &name);
QTextCharFormat sizeFormat(int points); // Qt lays out no size below 1 point
QTextCharFormat styleFormat(FontStyles styles);
// An empty colour writes the automatic colour: a merge cannot remove the
// foreground property, so it is set to the empty brush, which Qt draws in the
// palette's text colour, the writer leaves without \cf and the dump reads as
// "auto".
QTextCharFormat colourFormat(const std::optional<QColor> &colour);

} // namespace kelmora::model
