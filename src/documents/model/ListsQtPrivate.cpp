#include "QtTextData.h"

#include <QTextList>

#include <algorithm>

// The list's paragraph array and the document's change range are Qt's private
// data; the package depends on the exact Qt version these headers belong to.
#include <private/qtextdocument_p.h>
#include <private/qtextobject_p.h>

namespace kelmora::model::qtdata {

namespace {

// Qt's own list keeps its paragraphs in one array and, whenever one joins or
// leaves, tells the layout that each of them changed, asking each for its
// position on the way: n squared for a list of n. This one keeps the same
// array and tells the layout the same thing, the span from its first
// paragraph to its last, in one step.
class LinearList final : public QTextList
{
public:
    explicit LinearList(QTextDocument *doc) : QTextList(doc) {}

protected:
    void blockInserted(const QTextBlock &block) override
    {
        QList<QTextBlock> &blocks = data().blocks;
        // Paragraphs mostly join at the end (reading a file, Enter on the
        // last item): one comparison instead of a search.
        if (blocks.isEmpty() || blocks.constLast() < block)
            blocks.append(block);
        else
            blocks.insert(std::lower_bound(blocks.begin(), blocks.end(), block), block);
        markDirty();
    }

    void blockRemoved(const QTextBlock &block) override
    {
        QList<QTextBlock> &blocks = data().blocks;
        if (!blocks.isEmpty() && blocks.constLast() == block)
            blocks.removeLast();
        else
            blocks.removeOne(block);
        // An empty list goes, as Qt's own do; undo makes it anew.
        if (blocks.isEmpty()) {
            data().pieceTable->deleteObject(this);
            return;
        }
        markDirty();
    }

private:
    QTextBlockGroupPrivate &data() { return *static_cast<QTextBlockGroupPrivate *>(d_ptr.data()); }

    // Every number from the first item to the last may have changed; the
    // document keeps one changed range, so one call covers them all.
    void markDirty()
    {
        QTextBlockGroupPrivate &d = data();
        if (d.blocks.isEmpty())
            return;
        const QTextBlock &first = d.blocks.constFirst();
        const QTextBlock &last = d.blocks.constLast();
        const int from = first.position();
        d.pieceTable->documentChange(from, last.position() + last.length() - from);
    }
};

} // namespace

QTextList *newList(QTextDocument *doc)
{
    return new LinearList(doc);
}

} // namespace kelmora::model::qtdata
