#include "TextDocument.h"

#include "QtTextData.h"

#include <QTextList>

namespace kelmora::model {

TextDocument::TextDocument(QObject *parent) : QTextDocument(parent) {}

QTextObject *TextDocument::createObject(const QTextFormat &format)
{
    if (format.isListFormat())
        return qtdata::newList(this);
    return QTextDocument::createObject(format);
}

} // namespace kelmora::model
