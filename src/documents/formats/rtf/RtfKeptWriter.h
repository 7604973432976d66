#pragma once
// RtfWriter's part for what the document keeps without showing it
// (model/KeptParts.h): the style sheet after the colour table; the
// information group, the document's settings and the first section's words,
// headers and footers before the text; a section break before each paragraph
// that starts a new section; a note's group right after its mark. Stories
// are written with the writer's own blocks and tables, so their fonts,
// colours and lists are the body's.
//
// A note is written once, after the first character that still carries it;
// a note whose mark was deleted is not written at all. A style number is
// written only where the document's style sheet has it.

#include "model/KeptParts.h"

#include <QByteArray>
#include <QList>
#include <QSet>

class QTextBlock;
class QTextCharFormat;
class QTextDocument;
class QTextFormat;
class QTextFragment;

namespace kelmora::formats {

class RtfWriter;

class RtfKeptWriter {
public:
    explicit RtfKeptWriter(RtfWriter &writer) : m_writer(writer) {}

    // The style numbers doc's sheet defines: runs name only those, so this
    // comes before the body's runs are prepared.
    void collectStyleNumbers(const QTextDocument &doc);
    // Gathers every story the document holds into the writer's tables.
    void collect(const QTextDocument &doc);
    void writeStyleSheet();
    void writeDocumentParts();
    // Before a block of the body: \sect and the new section when it starts one.
    void beforeBlock(const QTextBlock &block);
    void writeParagraphStyle(const QTextFormat &format);
    // \csN of a run's character style, or nothing.
    QByteArray characterStyle(const QTextCharFormat &format) const;
    // Writes a fragment that shows a note's number or carries notes, with its
    // notes; false for any other fragment.
    bool writeMarks(const QTextDocument &doc, const QTextFragment &fragment);
    // A note's last paragraph takes no paragraph mark: other programs would
    // read an empty paragraph after it.
    bool endsNote(const QTextBlock &block) const;

private:
    void collectStory(const model::Story &story);
    void collectSection(const model::KeptSection &section);
    void writeSection(const model::KeptSection &section);
    void writeStory(const QTextDocument &story);
    void writeNote(const model::KeptNote &note);
    void writeStyle(const model::KeptStyle &style);
    void writeStyleCharacters(const QTextCharFormat &format);
    void writeStyleParagraph(const QTextBlockFormat &format);
    void writeInfo(const model::KeptInfoEntry &entry);
    void writeWords(const model::KeptWords &words);

    RtfWriter &m_writer;
    const QTextDocument *m_doc = nullptr;
    const model::KeptParts *m_parts = nullptr;
    QSet<std::pair<int, int>> m_styles;    // (kind, number) of the style sheet's entries
    QSet<const QTextDocument *> m_stories; // gathered already
    QList<model::Story> m_pending;         // stories still to gather
    QSet<const model::KeptNote *> m_written;
    const model::KeptSection *m_section = nullptr; // the one the blocks are in
    const QTextDocument *m_note = nullptr;          // the note being written
};

} // namespace kelmora::formats
