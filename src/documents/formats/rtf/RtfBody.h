#pragma once
// The document's own text: the destination of the body, of field results and
// of other groups whose text is shown. It decodes 8-bit text in the code page
// of the run's font (or of its \dbch font, for double-byte text), applies the document, character and paragraph words to
// the group's state, turns paragraph marks into the paragraphs of
// DocumentBuilder and hands paragraphs in tables, cell and row marks and the
// rows' definitions to TableBuilder, and gives every run its character
// format.
//
// It reads the header tables but never fills them; formats made before a
// table changed are not reused after it. What it meets of the kept parts
// (section and document settings, note marks, styles) goes through its
// RtfKeptContext (RtfBodyKept.cpp).

#include "formats/codepages/CodePage.h"
#include "DocumentBuilder.h"
#include "model/Pictures.h"
#include "RtfDestination.h"
#include "RtfFields.h"
#include "RtfHeaderTables.h"
#include "RtfKept.h"
#include "RtfProperties.h"
#include "RtfTableWords.h"
#include "TableBuilder.h"

#include <QHash>
#include <QString>

#include <optional>

class QTextDocument;

namespace kelmora::formats {

class RtfBody final : public RtfDestination {
public:
    RtfBody(QTextDocument &doc, RtfDocumentSettings &settings, const RtfFontTable &fonts,
            const RtfColorTable &colours, const RtfListTable &lists, const RtfLinkTable &links,
            CodePageDecoders &decoders, const TableBuilder::Problem &problem);

    bool begin(GroupState &group, Kw word) override;
    bool joinsBytes() const override { return true; }
    void bytes(GroupState &group, QByteArrayView bytes) override;
    void unicode(GroupState &group, char16_t c) override;
    void symbol(GroupState &group, char symbol) override;
    void word(GroupState &group, Kw word, const RtfToken &token) override;

    // A picture at the current position, shown at sizeTwips; state is the
    // character state around it (a picture in a link's text is linked too).
    void appendPicture(const CharState &state, const model::pictures::Picture &picture, QSize sizeTwips);
    // Appends 8-bit text in state's code page to out, as the body reads it.
    void decode(const CharState &state, QByteArrayView bytes, QString &out);
    // Ends the document; the last paragraph takes the properties in state.
    void finish(const GroupState &state);

    void setKeptContext(RtfKeptContext *context) { m_kept = context; }
    // Attaches a note read just now to its mark: the number a \chftn before
    // it stands for, else the character before it, else a mark of its own;
    // around is the character state the note's group began in.
    void attachNote(const std::shared_ptr<model::KeptNote> &note, const CharState &around);
    // The format runs in state get, their character style included.
    QTextCharFormat charFormat(const CharState &state) const;
    DocumentBuilder::Paragraph paragraph(const ParaState &state) const;

private:
    // Paragraph, cell and row marks and the breaks; false for other words.
    bool structureWord(GroupState &group, Kw word);
    void appendText(const CharState &state, QStringView text);
    void appendRun(QStringView text, int formatId);
    void flushSurrogate(const CharState &state);
    void endParagraph(const GroupState &group);
    void endCell(const GroupState &group, int depth);
    void endRow(const GroupState &group, int depth);
    int formatId(const CharState &state);
    void forgetStaleFormats();
    int fontNumber(int font) const { return font >= 0 ? font : m_settings.defaultFont; }
    int fontCodePage(int font) const;
    const CodePageDecoder &decoderFor(const CharState &state, QByteArrayView bytes);
    QTextCharFormat makeCharFormat(const CharState &state) const;
    // Kept parts: section, document and note words; the paragraph with its
    // style and the section it starts.
    bool keptWord(GroupState &group, Kw word, const RtfToken &token);
    void noteNumber(const CharState &state);
    DocumentBuilder::Paragraph keptParagraph(const ParaState &state);

    DocumentBuilder m_builder;
    TableBuilder m_tables;
    RtfTableWords m_tableWords;
    RtfDocumentSettings &m_settings;
    const RtfFontTable &m_fonts;
    const RtfColorTable &m_colours;
    const RtfListTable &m_lists;
    const RtfLinkTable &m_links;
    CodePageDecoders &m_decoders;

    QString m_decoded;            // reused decoding buffer
    char16_t m_highSurrogate = 0; // the first half of a pair given as two \uN

    // Character formats by state, valid while the tables they were made from
    // stay as they were.
    struct TablesSeen {
        int fonts = -1;
        int colours = -1;
        int defaultFont = -1;
        friend bool operator==(const TablesSeen &, const TablesSeen &) = default;
    };
    QHash<CharState, int> m_formatIds;
    CharState m_lastChar;
    int m_lastCharId = -1;
    TablesSeen m_tablesSeen;

    RtfKeptContext *m_kept = nullptr;
    // A \chftn waiting for its note: its state and where it stood.
    struct PendingNumber {
        CharState state;
        std::pair<qint64, qsizetype> at;
    };
    std::optional<PendingNumber> m_pendingNumber;
};

} // namespace kelmora::formats
