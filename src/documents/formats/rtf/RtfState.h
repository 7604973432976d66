#pragma once
// The state an RTF group carries: character and paragraph properties as the
// file states them (indices into the header tables, twips, half-points), the
// destination its text goes to, and the \uc skip count. The reader keeps a
// stack of these, pushed on "{" and popped on "}".

#include <QHashFunctions>
#include <QtGlobal>

namespace kelmora::formats {

enum class Dest : quint8 {
    Normal,            // document text
    Ignore,            // text dropped, nested destinations still read (\object, \shp)
    Field,             // a \field: its instruction and its result
    FieldInstruction,  // \fldinst: the text of the field's instruction
    Skipped,           // a group read no further (\*\generator, unknown words after \*)
    FontTable,
    ColorTable,
    ListTable,
    List,
    ListLevel,
    ListOverrideTable,
    ListOverride,
    Pn,                // old-style numbering properties of the paragraph
    Picture,
    UprChoice,         // a child of \upr: only the \ud alternative is read
    Info,              // \info: the document's information
    InfoField,         // a text, number or date of \info, or an annotation's author
    StyleSheet,        // \stylesheet and its entries
    Story,             // a header, footer, note or annotation: read as a document of its own
    None,              // not a destination (the last value: the number of destinations)
};

enum class VerticalPos : quint8 { Normal, Super, Sub };

// Which text the associated properties (\afN, \afsN) describe: set by \loch,
// \hich, \dbch, \rtlch and \ltrch. Only the East Asian ones (\dbch) are kept.
enum class AssocMode : quint8 { Western, EastAsian, Other };

struct CharState {
    int font = -1;        // \fN, -1: the document's default font (\deffN)
    int halfPoints = 24;  // \fsN
    int colour = 0;       // \cfN
    int highlight = 0;    // \highlightN, \cbN, \chcbpatN; 0 = none
    int link = 0;         // the link of a field's result (RtfLinkTable), 0 = none
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    VerticalPos vertical = VerticalPos::Normal;
    int eastFont = -1;        // \dbch\afN, -1: the same as font
    int eastHalfPoints = 0;   // \dbch\afsN, 0: the same as halfPoints
    AssocMode mode = AssocMode::Western;
    int charStyle = -1;       // \csN, -1: none

    // The properties East Asian characters are shown with.
    CharState eastAsian() const
    {
        CharState s = *this;
        s.font = eastFont >= 0 ? eastFont : font;
        s.halfPoints = eastHalfPoints > 0 ? eastHalfPoints : halfPoints;
        return s.western();
    }
    // The properties other characters are shown with.
    CharState western() const
    {
        CharState s = *this;
        s.eastFont = -1;
        s.eastHalfPoints = 0;
        s.mode = AssocMode::Western;
        return s;
    }
    bool hasEastAsian() const { return eastFont >= 0 || eastHalfPoints > 0; }

    friend bool operator==(const CharState &, const CharState &) = default;
};

inline size_t qHash(const CharState &s, size_t seed = 0)
{
    const int flags = int(s.bold) | int(s.italic) << 1 | int(s.underline) << 2 | int(s.strike) << 3 |
                      int(s.vertical) << 4;
    return qHashMulti(seed, s.font, s.halfPoints, s.colour, s.highlight, flags, s.eastFont, s.eastHalfPoints,
                      int(s.mode), s.link);
}

enum class Align : quint8 { Left, Center, Right, Justify };
enum class PnKind : quint8 { None, Bullet, Other };

struct ParaState {
    Align align = Align::Left;
    int fi = 0; // \fiN, twips
    int li = 0; // \liN
    int ri = 0; // \riN
    int ls = 0; // \lsN, 0 = none
    int ilvl = 0;
    PnKind pn = PnKind::None;
    int style = -1; // \sN, -1: none given
    bool inTable = false; // \intbl
    int itap = 0;         // \itapN: the table nesting depth of the paragraph
};

struct GroupState {
    CharState chr;
    ParaState para;
    Dest dest = Dest::Normal;
    Dest uprParent = Dest::Normal; // the destination a \ud alternative returns to
    bool opensDest = false;        // this group started its destination
    bool nestedTableProps = false; // inside {\*\nesttableprops}: a nested table's row
    bool upr = false;              // this group is an \upr
    quint8 uc = 1;                 // \ucN: fallback characters after \uN
};

} // namespace kelmora::formats
