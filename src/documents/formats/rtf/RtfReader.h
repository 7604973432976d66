#pragma once
// Reads RTF bytes into a document. The reader pulls tokens from RtfTokenizer,
// keeps an explicit stack of group states (pushed on "{", popped on "}"),
// and hands each group's text and control words to the handler of the
// group's destination (RtfDestination), found through one table. What all
// destinations share stays here: groups, \uN with its fallback text, \ucN,
// \binN, and \* before a destination nobody knows.
//
// Headers, footers and notes are read by readers of their own into documents
// of their own (RtfStoryReader), sharing this file's tables (RtfFileTables).
//
// It reads what can be read: unbalanced braces, truncated data, absurd numbers,
// nesting deeper than MaxDepth and oversized \bin counts end or skip the
// damaged part and are reported, never thrown. Memory stays proportional to
// the input; nothing is quadratic in its size or in the number of runs.

#include "formats/codepages/CodePage.h"
#include "formats/DocumentIO.h"
#include "RtfBody.h"
#include "RtfDestinations.h"
#include "RtfFields.h"
#include "RtfHeaderTables.h"
#include "RtfInfo.h"
#include "RtfKept.h"
#include "RtfProperties.h"
#include "RtfState.h"
#include "RtfStories.h"
#include "RtfStyleSheet.h"
#include "RtfTokenizer.h"

#include <QByteArray>
#include <QList>

#include <array>
#include <memory>

namespace kelmora::formats {

// The tables of one file, shared by the readers of its body and its stories.
struct RtfFileTables {
    RtfDocumentSettings settings;
    RtfFontTable fonts;
    RtfColorTable colours;
    RtfListTable lists;
    CodePageDecoders decoders;
    RtfLinkTable links;
    RtfKeptFile kept;
};

class RtfReader final : private RtfGroupControl {
public:
    static constexpr int MaxDepth = 1024;

    explicit RtfReader(QTextDocument &doc);
    // data must begin with "{\rtf".
    RtfReport read(QByteArrayView data);
    // Reads a story's group into doc: content is the group's bytes after the
    // word that opened it, start the group's state there.
    static RtfReport readStory(QTextDocument &doc, RtfFileTables &tables, RtfKeptContext &context,
                               QByteArrayView content, const GroupState &start);

private:
    RtfReader(QTextDocument &doc, RtfFileTables *tables, RtfKeptContext *context);
    // Reads tokens until the data ends (true) or the outermost group closes.
    bool readTokens();
    void onText(QByteArrayView text);
    void onHex(unsigned char byte);
    void onGroupStart();
    void onGroupEnd();
    void onWord(const RtfToken &t);
    void onSymbol(char symbol, bool firstInGroup);
    void onBinary(int count);
    void onUnicode(int value);
    void flushBytes();
    void skipGroup() override;
    // Skips the rest of the group; false when the data ended inside it.
    bool dropGroup();
    QByteArrayView takeGroup() override;
    void problem(const QString &text) override;

    GroupState &top() { return m_stack.last(); }
    RtfDestination &destination() { return *m_destinations[size_t(top().dest)]; }

    QTextDocument &m_doc;
    std::unique_ptr<RtfFileTables> m_ownTables; // the body's reader holds the file's
    RtfFileTables &m_tables;
    RtfKeptContext m_ownContext;
    RtfKeptContext &m_context;
    RtfDocumentSettings &m_settings = m_tables.settings;
    RtfFontTable &m_fonts = m_tables.fonts;
    RtfColorTable &m_colours = m_tables.colours;
    RtfListTable &m_lists = m_tables.lists;
    CodePageDecoders &m_decoders = m_tables.decoders;
    RtfLinkTable &m_links = m_tables.links;

    RtfBody m_body;
    RtfIgnoredText m_ignored{m_settings};
    RtfSkippedGroup m_skipped{*this};
    RtfFontTableReader m_fontTable{m_fonts, m_settings, m_decoders};
    RtfColorTableReader m_colourTable{m_colours};
    RtfListTableReader m_listTables{m_lists};
    RtfFieldReader m_fields{m_links, m_settings, m_body, *this};
    RtfPictureReader m_picture{m_body, *this};
    RtfPnReader m_pn;
    RtfUprReader m_upr{*this};
    RtfInfoReader m_info{*this, m_settings, m_decoders, m_context};
    RtfStyleSheetReader m_styleSheet{*this, m_settings, m_decoders, m_context, m_body};
    RtfStoryReader m_stories{*this, m_tables, m_context, m_body};
    // The handler of each destination, indexed by Dest.
    std::array<RtfDestination *, size_t(Dest::None)> m_destinations{};

    RtfTokenizer m_tokens{QByteArrayView()};
    QList<GroupState> m_stack;
    RtfReport m_report;

    QByteArray m_bytes;       // 8-bit text gathered for a destination that joins it
    int m_fallback = 0;       // characters still to skip after \uN
    bool m_ignorable = false;   // the last token was a \* right after "{"
    bool m_groupOpened = false; // the last token opened a group
};

} // namespace kelmora::formats
