#include "DocumentModel.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextListFormat>

namespace kelmora::model {

double twipsToLayout(int twips)
{
    // 1 pt = 20 twips = 96/72 layout pixels.
    return twips / 15.0;
}

QFont defaultEditorFont()
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(12);
    return f;
}

void prepareDocument(QTextDocument &doc)
{
    doc.setDefaultFont(defaultEditorFont());
    doc.setIndentWidth(0);
}

ParagraphIndents indents(const QTextBlockFormat &format)
{
    ParagraphIndents p;
    p.first = format.intProperty(FirstIndentTwips);
    p.left = format.intProperty(LeftIndentTwips);
    p.right = format.intProperty(RightIndentTwips);
    return p;
}

void setIndents(QTextBlockFormat &format, const ParagraphIndents &p, bool inList)
{
    format.setProperty(FirstIndentTwips, p.first);
    format.setProperty(LeftIndentTwips, p.left);
    format.setProperty(RightIndentTwips, p.right);
    // Qt: leftMargin applies to every line, textIndent to the first only.
    const int allLines = p.first + p.left; // RTF \li
    format.setLeftMargin(twipsToLayout(allLines));
    format.setRightMargin(twipsToLayout(p.right));
    if (inList && p.left > 0) {
        // The marker sits in the hanging part: text of every line starts at
        // first + left, Qt draws the marker just before it.
        format.setTextIndent(0);
    } else {
        format.setTextIndent(twipsToLayout(-p.left));
    }
}

Numbering numbering(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    if (!list)
        return Numbering::None;
    return list->format().style() == QTextListFormat::ListDisc ? Numbering::Bullet : Numbering::Other;
}

QTextListFormat listFormat(Numbering kind)
{
    QTextListFormat f;
    switch (kind) {
    case Numbering::None:
        return QTextListFormat();
    case Numbering::Bullet:
        f.setStyle(QTextListFormat::ListDisc);
        break;
    case Numbering::Other:
        f.setStyle(QTextListFormat::ListDecimal);
        break;
    }
    f.setIndent(0);
    return f;
}

} // namespace kelmora::model
