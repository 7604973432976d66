#include "TextDocument.h"

#include "QtTextData.h"

#include <QTextList>

namespace kelmora::model {

TextDocument::TextDocument(QObject *parent) : QTextDocument(parent) {}

void TextDocument::clear()
{
    m_kept = KeptParts();
    QTextDocument::clear();
}

QTextObject *TextDocument::createObject(const QTextFormat &format)
{
    if (format.isListFormat())
        return qtdata::newList(this);
    return QTextDocument::createObject(format);
}

} // namespace kelmora::model
