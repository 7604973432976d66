#include "DocumentBuilder.h"

#include "model/TableFormat.h"

#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>

#include <utility>

namespace kelmora::formats {

DocumentBuilder::DocumentBuilder(QTextDocument &doc)
    : m_doc(doc), m_undoWasEnabled(doc.isUndoRedoEnabled())
{
    // Turning undo off drops the old undo stack and keeps the load out of it.
    m_doc.setUndoRedoEnabled(false);
    m_doc.clear();
    m_cursor = QTextCursor(&m_doc);
    m_cursor.beginEditBlock();
}

DocumentBuilder::~DocumentBuilder()
{
    if (!m_finished) {
        m_cursor.endEditBlock();
        m_doc.setUndoRedoEnabled(m_undoWasEnabled);
    }
}

int DocumentBuilder::addCharFormat(const QTextCharFormat &format)
{
    m_formats.append(format);
    return int(m_formats.size() - 1);
}

int DocumentBuilder::addPicture(const model::pictures::Picture &picture, QSize sizeTwips, const QTextCharFormat &link)
{
    QTextImageFormat format = model::pictures::addPicture(m_doc, picture, sizeTwips);
    format.merge(link);
    return addCharFormat(format);
}

void DocumentBuilder::appendText(QStringView text, int formatId)
{
    if (text.isEmpty())
        return;
    QList<Run> &runs = m_content.runs;
    if (!runs.isEmpty() && runs.last().formatId == formatId)
        runs.last().length += text.size();
    else
        runs.append(Run{text.size(), formatId});
    m_content.text.append(text);
}

void DocumentBuilder::endParagraph(const Paragraph &paragraph)
{
    insertParagraph(m_content, paragraph);
    // Keeps the buffers for the next paragraph.
    m_content.text.resize(0);
    m_content.runs.resize(0);
    ++m_ended;
}

DocumentBuilder::Content DocumentBuilder::takeParagraph()
{
    ++m_ended;
    return std::exchange(m_content, Content());
}

QTextTable *DocumentBuilder::insertTable(int rows, int columns, const QTextTableFormat &format, bool joint)
{
    // Qt keeps a paragraph before a table: where the file has none, the
    // empty one the insertion point is in is marked as Qt's.
    if (m_unclaimed)
        m_cursor.setBlockFormat(model::structuralFormat(joint));
    m_unclaimed = false;
    m_emptyDocument = false;
    m_list = nullptr;
    return m_cursor.insertTable(rows, columns, format);
}

void DocumentBuilder::enterCell(const QTextTableCell &cell)
{
    m_cursor.setPosition(cell.firstPosition());
    m_unclaimed = true;
}

void DocumentBuilder::leaveTable(const QTextTable &table)
{
    m_cursor.setPosition(table.lastPosition() + 1);
    m_unclaimed = true;
}

bool DocumentBuilder::retagLastCharacter(const std::function<int(int)> &retag)
{
    if (m_content.runs.isEmpty())
        return false;
    const qsizetype size = m_content.text.size();
    const qsizetype length = size > 1 && QChar::isLowSurrogate(m_content.text.at(size - 1).unicode()) &&
                                     QChar::isHighSurrogate(m_content.text.at(size - 2).unicode())
                                 ? 2
                                 : 1;
    Run &last = m_content.runs.last();
    const int id = retag(last.formatId);
    if (last.length > length) {
        last.length -= length;
        m_content.runs.append(Run{length, id});
    } else {
        last.formatId = id;
    }
    return true;
}

void DocumentBuilder::finish(const Paragraph &lastParagraph)
{
    if (m_finished)
        return;
    if (m_emptyDocument || !m_content.text.isEmpty())
        endParagraph(lastParagraph);
    m_cursor.endEditBlock();
    m_doc.setUndoRedoEnabled(m_undoWasEnabled);
    m_doc.setModified(false);
    m_finished = true;
}

void DocumentBuilder::insertParagraph(const Content &content, const Paragraph &paragraph)
{
    QTextList *list = nullptr;
    bool newList = false;
    if (paragraph.numbering != model::Numbering::None) {
        const bool full = paragraph.numbering == model::Numbering::Bullet && m_listLength >= model::BulletListPiece;
        if (m_list && m_listKind == paragraph.numbering && !full)
            list = m_list;
        else
            newList = true;
    }
    const QTextBlockFormat format = blockFormat(paragraph, list ? list->objectIndex() : -1);
    if (m_unclaimed)
        m_cursor.setBlockFormat(format);
    else
        m_cursor.insertBlock(format);
    m_unclaimed = false;
    m_emptyDocument = false;
    if (newList) {
        m_list = m_cursor.createList(model::listFormat(paragraph.numbering));
        m_listKind = paragraph.numbering;
        m_listLength = 1;
    } else if (list) {
        ++m_listLength;
    } else {
        m_list = nullptr;
    }
    qsizetype pos = 0;
    for (const Run &run : content.runs) {
        m_cursor.insertText(QString::fromRawData(content.text.constData() + pos, run.length),
                            m_formats.at(run.formatId));
        pos += run.length;
    }
}

QTextBlockFormat DocumentBuilder::blockFormat(const Paragraph &paragraph, int listIndex)
{
    // Consecutive paragraphs mostly share their format: reusing the same
    // object spares Qt hashing a new one.
    if (m_haveLastKey && paragraph == m_lastKey && listIndex == m_lastListIndex)
        return m_lastFormat;
    QTextBlockFormat format;
    format.setAlignment(paragraph.alignment);
    model::setIndents(format, paragraph.indents, paragraph.numbering != model::Numbering::None);
    if (listIndex >= 0)
        format.setObjectIndex(listIndex);
    m_haveLastKey = true;
    if (paragraph.style >= 0)
        format.setProperty(model::ParagraphStyleProperty, paragraph.style);
    if (paragraph.section)
        model::setSectionStart(format, paragraph.section);
    m_lastKey = paragraph;
    m_lastListIndex = listIndex;
    m_lastFormat = format;
    return format;
}

} // namespace kelmora::formats
