#pragma once
// The document every editor and reader of this program fills.
//
// Qt's QTextList keeps its paragraphs in one array and, whenever a paragraph
// joins or leaves it, tells the layout that every one of its paragraphs
// changed, asking each for its position on the way: a list of n paragraphs
// costs time in n squared to read (10,000 numbered items took 1.7 s, 50,000
// about 40 s). The lists of a TextDocument keep the same array and tell the
// layout the same thing, the span from their first paragraph to their last,
// in one step.
//
// It also holds what a file kept beside the text (KeptParts.h): reading a
// file fills it, clearing the document drops it.

#include "KeptParts.h"

#include <QTextDocument>

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

} // namespace kelmora::model
