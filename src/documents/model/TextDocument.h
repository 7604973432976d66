#pragma once
// The document every editor and reader of this program fills.
//
// Qt's QTextList keeps its paragraphs in one array and, whenever a paragraph
// joins or leaves it, tells the layout that every one of its paragraphs
// changed, asking each for its position on the way: a list of n paragraphs
// costs time in n squared to read (10,000 numbered items took 1.7 s, 50,000
// about 40 s). Built with Qt's private headers (KELMORA_QT_PRIVATE), the lists
// of a TextDocument keep the same array and tell the layout the same thing,
// the span from their first paragraph to their last, in one step; without
// them they are Qt's own (QtTextData.h).
//
// It also holds what a file kept beside the text (KeptParts.h): reading a
// file fills it, clearing the document drops it.

#include "KeptParts.h"

#include <QTextDocument>

#include <memory>

namespace kelmora::model {

class TextDocument : public QTextDocument
{
    Q_OBJECT
public:
    explicit TextDocument(QObject *parent = nullptr);

    KeptParts &keptParts() { return m_kept; }
    const KeptParts &keptParts() const { return m_kept; }
    void clear() override;

protected:
    QTextObject *createObject(const QTextFormat &format) override;

private:
    KeptParts m_kept;
};

// What QTextDocument::clone() gives (content, formats, lists, tables,
// pictures, default font, page size, ...), but a TextDocument: its lists cost
// what the editor's do, where Qt's clone makes Qt's own lists and copies
// through a document of Qt's own besides. Pictures are read from doc as long
// as it exists.
std::unique_ptr<TextDocument> copyDocument(const QTextDocument &doc);

} // namespace kelmora::model
