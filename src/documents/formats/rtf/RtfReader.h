#pragma once
// Reads RTF bytes into a document. The reader pulls tokens from RtfTokenizer,
// keeps an explicit stack of group states (pushed on "{", popped on "}"),
// and hands each group's text and control words to the handler of the
// group's destination (RtfDestination), found through one table. What all
// destinations share stays here: groups, \uN with its fallback text, \ucN,
// \binN, and \* before a destination nobody knows.
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
#include "RtfProperties.h"
#include "RtfState.h"
#include "RtfTokenizer.h"

#include <QByteArray>
#include <QList>

#include <array>

namespace kelmora::formats {

class RtfReader final : private RtfGroupControl {
public:
    static constexpr int MaxDepth = 1024;

    explicit RtfReader(QTextDocument &doc);
    // data must begin with "{\rtf".
    RtfReport read(QByteArrayView data);

private:
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
    void problem(const QString &text) override;

    GroupState &top() { return m_stack.last(); }
    RtfDestination &destination() { return *m_destinations[size_t(top().dest)]; }

    RtfDocumentSettings m_settings;
    RtfFontTable m_fonts;
    RtfColorTable m_colours;
    RtfListTable m_lists;
    CodePageDecoders m_decoders;
    RtfLinkTable m_links;

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
