#pragma once
// The model's two ways into Qt's text data, behind one interface. Built with
// KELMORA_QT_PRIVATE, the *QtPrivate.cpp files read Qt's private list and
// fragment data (faster, but only for the exact Qt version built against);
// without it, the *QtPublic.cpp files use Qt's public API alone. CMake
// compiles one file of each pair; the rest of the model includes only this.

class QTextDocument;
class QTextList;

namespace kelmora::model::qtdata {

// A new list object of doc, for TextDocument::createObject. With Qt's
// private data a list that takes in or gives up a paragraph in constant
// time; else Qt's own QTextList, whose every change visits all its items.
QTextList *newList(QTextDocument *doc);

// Told the character format of each run of text in a walked range.
class FormatVisitor {
public:
    // formatIndex is an index into the document's allFormats(); false ends
    // the walk.
    virtual bool visit(int formatIndex) = 0;

protected:
    ~FormatVisitor() = default;
};

// Walks the text of doc in [start, end) in document order and tells visitor
// the format of every fragment overlapping it, paragraph ends (and a table's
// or frame's start and end) left out, until the visitor says stop.
void walkFormats(const QTextDocument &doc, int start, int end, FormatVisitor &visitor);

} // namespace kelmora::model::qtdata
