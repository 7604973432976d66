#pragma once
// The control words kept as the file wrote them (model::KeptWord): settings
// of the document, of a section and of a style entry whose numbers refer to
// no table, the numbers and date parts of \info, and the words that mark
// notes. Words that refer to the font, colour, list or revision tables are
// not among them: those are read into formats or dropped. keptWord() is a
// binary search in a sorted table, checked for order at compile time.

#include <QtGlobal>

#include <string_view>

namespace kelmora::formats {

enum class KeptWordKind : quint8 {
    None,
    Document,    // page setup, note numbering and placement, tabs, view
    Section,     // a section's page setup, columns, break, page numbers
    SectionReset,  // \sectd
    Style,       // spacing, keeping, outline level, based-on and next style, ...
    InfoNumber,  // {\nofpages3}, {\version1}
    DatePart,    // \yr \mo \dy \hr \min \sec of an \info date
    NoteNumber,  // \chftn: the number of the note that follows
    Annotation,  // \chatn: the mark of the annotation that follows
    Endnote,     // \ftnalt: this note is an endnote
};

KeptWordKind keptWord(std::string_view word);

} // namespace kelmora::formats
