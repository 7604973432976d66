#pragma once
// Builds a document's content through one QTextCursor inside one edit block,
// with undo recording off. Text is gathered a paragraph at a time and inserted
// as whole runs (one insertText per run of equal formatting, one insertBlock
// per paragraph), never character by character.
//
// Contract: the constructor empties the document; finish() inserts the last
// paragraph (unless it is empty and follows a paragraph mark, which is how
// writers end a file), closes the edit block, clears the undo stack and the
// modified flag. Destroying a builder without finish() still closes the
// block, so an exception leaves a consistent (partial) document.

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
    void endParagraph(const Paragraph &paragraph);
    bool paragraphEmpty() const { return m_text.isEmpty(); }
    // Where the next text goes: paragraphs ended so far, length of this one.
    std::pair<qint64, qsizetype> position() const { return {m_ended, m_text.size()}; }
    const QTextCharFormat &charFormat(int formatId) const { return m_formats.at(formatId); }
    // Gives the current paragraph's last character (a surrogate pair whole)
    // the format retag makes of its own; false when the paragraph is empty.
    bool retagLastCharacter(const std::function<int(int formatId)> &retag);
    void finish(const Paragraph &lastParagraph);

private:
    struct Run {
        qsizetype length;
        int formatId;
    };
    void emitParagraph(const Paragraph &paragraph);
    QTextBlockFormat blockFormat(const Paragraph &paragraph, int listIndex);

    QTextDocument &m_doc;
    QTextCursor m_cursor;
    bool m_undoWasEnabled;
    bool m_finished = false;
    bool m_firstParagraph = true;
    qint64 m_ended = 0;
    QList<QTextCharFormat> m_formats;
    QString m_text;
    QList<Run> m_runs;
    // The list the previous paragraph belonged to, continued by the next one
    // of the same kind (a bulleted one up to model::BulletListPiece paragraphs).
    QTextList *m_list = nullptr;
    int m_listLength = 0;
    model::Numbering m_listKind = model::Numbering::None;
    Paragraph m_lastKey;
    int m_lastListIndex = -1;
    QTextBlockFormat m_lastFormat;
};

} // namespace kelmora::formats
