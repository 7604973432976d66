#include "QtTextData.h"

#include <QTextList>

namespace kelmora::model::qtdata {

// Qt's public API has no way into a list's paragraph array, so the list is
// Qt's own: a numbered list of n items costs time in n squared to build or
// take apart. Bulleted lists stay cheap, held in pieces (BulletListPiece).
QTextList *newList(QTextDocument *doc)
{
    return new QTextList(doc);
}

} // namespace kelmora::model::qtdata
