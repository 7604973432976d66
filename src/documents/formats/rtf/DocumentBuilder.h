#pragma once
// Builds a document's content through one QTextCursor inside one edit block,
// with undo recording off. Text is gathered a paragraph at a time and inserted
// as whole runs (one insertText per run of equal formatting, one insertBlock
// per paragraph), never character by character.
//
// Contract: the constructor empties the document; finish() inserts the last
// paragraph (unless it is empty and follows a paragraph mark or a table,
// which is how writers end a file), closes the edit block, clears the undo
// stack and the modified flag. Destroying a builder without finish() still
// closes the block, so an exception leaves a consistent (partial) document.
//
// Tables (TableBuilder) go in at the insertion point too: a paragraph taken
// out with takeParagraph() is inserted later by insertParagraph(), inside
// the cell enterCell() moved to. The whole load is one edit block: Qt then
// looks for the document's frames once, not at every table.

#include "model/DocumentModel.h"
#include "model/KeptParts.h"
#include "model/Pictures.h"

#include <QList>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>

#include <functional>

class QTextDocument;
class QTextList;
class QTextTable;
class QTextTableCell;
class QTextTableFormat;

namespace kelmora::formats {

class DocumentBuilder {
public:
    struct Paragraph {
        Qt::Alignment alignment = Qt::AlignLeft;
        model::ParagraphIndents indents;
        model::Numbering numbering = model::Numbering::None;
        int style = -1;         // the paragraph style's number, -1: none
        model::SectionHandle section; // the section this paragraph starts, if any
        friend bool operator==(const Paragraph &, const Paragraph &) = default;
    };

    struct Run {
        qsizetype length;
        int formatId;
    };
    // A paragraph's text and its runs of equal formatting.
    struct Content {
        QString text;
        QList<Run> runs;
    };

    explicit DocumentBuilder(QTextDocument &doc);
    ~DocumentBuilder();
    DocumentBuilder(const DocumentBuilder &) = delete;
    DocumentBuilder &operator=(const DocumentBuilder &) = delete;

    // Registers a character format; appendText refers to it by the returned id.
    int addCharFormat(const QTextCharFormat &format);
    // Registers a picture shown at sizeTwips, carrying the link properties of
    // link; insert it with appendText(QChar::ObjectReplacementCharacter, id).
    int addPicture(const model::pictures::Picture &picture, QSize sizeTwips, const QTextCharFormat &link);

    void appendText(QStringView text, int formatId);
    // Inserts the text gathered since the last paragraph end as a paragraph.
    void endParagraph(const Paragraph &paragraph);
    bool paragraphEmpty() const { return m_content.text.isEmpty(); }
    // The text gathered since the last paragraph end, to be inserted later.
    Content takeParagraph();
    void insertParagraph(const Content &content, const Paragraph &paragraph);
    // A table at the insertion point, which then is in no cell until
    // enterCell(); joint marks it as continuing the table just before.
    QTextTable *insertTable(int rows, int columns, const QTextTableFormat &format, bool joint);
    // Moves the insertion point to the start of the (empty) cell.
    void enterCell(const QTextTableCell &cell);
    // Moves the insertion point to the paragraph after the table.
    void leaveTable(const QTextTable &table);
    // Where the next text goes: paragraphs ended so far, length of this one.
    std::pair<qint64, qsizetype> position() const { return {m_ended, m_content.text.size()}; }
    const QTextCharFormat &charFormat(int formatId) const { return m_formats.at(formatId); }
    // Gives the current paragraph's last character (a surrogate pair whole)
    // the format retag makes of its own; false when the paragraph is empty.
    bool retagLastCharacter(const std::function<int(int formatId)> &retag);
    void finish(const Paragraph &lastParagraph);

private:
    QTextBlockFormat blockFormat(const Paragraph &paragraph, int listIndex);

    QTextDocument &m_doc;
    QTextCursor m_cursor;
    bool m_undoWasEnabled;
    bool m_finished = false;
    // The insertion point is in an empty paragraph nothing was put in yet:
    // the document's first, a cell's first, or the one after a table.
    bool m_unclaimed = true;
    bool m_emptyDocument = true; // nothing inserted yet
    qint64 m_ended = 0;
    QList<QTextCharFormat> m_formats;
    Content m_content;
    // The list the previous paragraph belonged to, continued by the next one
    // of the same kind (a bulleted one up to model::BulletListPiece paragraphs).
    QTextList *m_list = nullptr;
    int m_listLength = 0;
    model::Numbering m_listKind = model::Numbering::None;
    bool m_haveLastKey = false;
    Paragraph m_lastKey;
    int m_lastListIndex = -1;
    QTextBlockFormat m_lastFormat;
};

} // namespace kelmora::formats
