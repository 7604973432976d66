#include "QtTextData.h"

#include <QTextBlock>
#include <QTextDocument>

namespace kelmora::model::qtdata {

// Paragraph by paragraph: a paragraph's fragments never include its end (nor
// a table's or frame's start or end, which end paragraphs of their own).
// Paragraph positions are summed rather than asked for, since Qt finds a
// position by a search of its fragment tree; QTextBlock::begin() still
// searches it twice per paragraph, so this walk costs several times the
// private one on a document of many short paragraphs.
void walkFormats(const QTextDocument &doc, int start, int end, FormatVisitor &visitor)
{
    QTextBlock block = doc.findBlock(start);
    for (int blockStart = block.position(); block.isValid() && blockStart < end; block = block.next()) {
        int position = blockStart;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int fragmentStart = position;
            position += fragment.length();
            if (position <= start)
                continue;
            if (fragmentStart >= end || !visitor.visit(fragment.charFormatIndex()))
                return;
        }
        blockStart += block.length();
    }
}

} // namespace kelmora::model::qtdata
