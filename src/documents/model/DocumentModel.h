#pragma once
// How a document's attributes are held in a QTextDocument. The RTF reader and
// writer, the plain-text reader and the editing surface all go through these
// helpers, so a value read from a file is the value the surface reports and
// the value written back.
//
// Units: indents are kept exactly in twips (1/20 pt) in user properties of the
// block format; the layout margins Qt uses are derived from them (Qt's layout
// measures margins in 96-dpi pixels; printing scales them to the printer's
// resolution itself, since Qt does not).
// Font sizes are QTextCharFormat point sizes (twentieths survive exactly).
//
// Paragraph indents are those of the editing surface:
//   first  - indent of the paragraph's first line from the left margin,
//   left   - offset of the other lines relative to the first line,
//   right  - indent from the right margin.
// In RTF terms: \li = first + left, \fi = -left, \ri = right.
//
// Character attributes: face = first entry of fontFamilies(), size =
// fontPointSize(), style = weight/italic/underline/strikeout, colour = the
// foreground brush; no foreground brush (no property, or the empty brush) is
// the automatic colour. A run without a face or size uses the document's
// default font (Arial 12 pt). CharacterFormat.h reads and writes them.
//
// Numbering: a paragraph in a QTextList with style ListDisc is a bullet; any
// other list style is "another numbering"; no list is none.

#include <QFont>
#include <QTextFormat>

class QTextBlock;
class QTextDocument;

namespace kelmora::model {

enum Property {
    FirstIndentTwips = QTextFormat::UserProperty + 0x4b00,
    LeftIndentTwips,
    RightIndentTwips,
};

enum class Numbering { None, Bullet, Other };

struct ParagraphIndents {
    int first = 0; // twips
    int left = 0;  // twips, relative to first
    int right = 0; // twips
    friend bool operator==(const ParagraphIndents &, const ParagraphIndents &) = default;
};

// Layout length (96-dpi pixels) of a twips value.
double twipsToLayout(int twips);

// The editor's font for text that carries no face or size of its own.
QFont defaultEditorFont();
// Gives a fresh document the editor's defaults (font, no document margin
// beyond Qt's, list indentation used for markers).
void prepareDocument(QTextDocument &doc);

ParagraphIndents indents(const QTextBlockFormat &format);
// Stores the twips values and derives Qt's margins; inList tells whether the
// paragraph carries a list marker, which hangs in the first-line offset.
void setIndents(QTextBlockFormat &format, const ParagraphIndents &indents, bool inList);

Numbering numbering(const QTextBlock &block);
// Qt keeps each QTextList's paragraphs in one array and, whenever a paragraph
// joins or leaves, revisits every one of them, so one list of n paragraphs
// costs time in n squared (TextDocument's lists do not where they read Qt's
// private data). Bullets carry no number, so a bulleted list is also held as
// consecutive QTextLists of at most
// this many paragraphs, which looks and reads back the same and keeps a
// selection's bullets cheap to turn off in any document. Numbered lists stay
// whole: their numbers count along one QTextList.
constexpr int BulletListPiece = 16;
// The list format used for a numbering kind (None gives an invalid format).
QTextListFormat listFormat(Numbering kind);

} // namespace kelmora::model
