#pragma once
// The control words that only set properties, as free functions over the
// state they change: the document's settings (code page, default font), a
// group's character properties and its paragraph properties. Each returns
// false for a word that is not one of its own, so the reader can try the
// next; none of them looks at anything but its arguments.

#include "RtfState.h"
#include "RtfTokenizer.h"
#include "RtfWords.h"

#include <QStringView>

namespace kelmora::formats {

struct RtfDocumentSettings {
    int codePage = 1252;  // \ansi, \mac, \pc, \pca, \ansicpgN
    int defaultFont = -1; // \deffN; -1 when the file names none
};

// \ansi, \mac, \pc, \pca, \ansicpgN (N > 0) and \deffN.
bool applyDocumentWord(RtfDocumentSettings &settings, Kw word, const RtfToken &token);

// \plain, face, size, style, colours, super- and subscript, the character
// style (\csN), and the associated East Asian face and size (\dbch\afN,
// \dbch\afsN).
bool applyCharacterWord(CharState &state, Kw word, const RtfToken &token);

// \pard, the paragraph style (\sN), alignment, indents (clamped to 22
// inches), list membership and the old-style numbering levels. Paragraph and cell marks are not properties.
bool applyParagraphWord(ParaState &state, Kw word, const RtfToken &token);

// The text a special-character word stands for (\tab, \line, \emdash, ...),
// or an empty view for any other word.
QStringView specialCharacter(Kw word);

} // namespace kelmora::formats
