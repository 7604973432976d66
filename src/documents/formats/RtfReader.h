#pragma once
// Reads RTF bytes into a document. The reader pulls tokens from RtfTokenizer,
// keeps an explicit stack of group states (pushed on "{", popped on "}"),
// routes text and control words by the destination of the current group, and
// hands text runs and paragraph marks to DocumentBuilder.
//
// It reads what can be read: unbalanced braces, truncated data, absurd numbers,
// nesting deeper than MaxDepth and oversized \bin counts end or skip the
// damaged part and are reported, never thrown. Memory stays proportional to
// the input; nothing is quadratic in its size or in the number of runs.

#include "CodePage.h"
#include "DocumentBuilder.h"
#include "DocumentIO.h"
#include "RtfHeaderTables.h"
#include "RtfPicture.h"
#include "RtfState.h"
#include "RtfTokenizer.h"
#include "RtfWords.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <map>
#include <memory>

namespace kelmora::formats {

class RtfReader {
public:
    static constexpr int MaxDepth = 1024;

    explicit RtfReader(QTextDocument &doc);
    ~RtfReader();
    // data must begin with "{\rtf".
    RtfReport read(QByteArrayView data);

private:
    // Tokens and groups (RtfReader.cpp)
    void onText(QByteArrayView text);
    void onHex(unsigned char byte);
    void onGroupStart();
    void onGroupEnd();
    void onWord(const RtfToken &t);
    void onSymbol(char symbol);
    void onBinary(int count);
    void flushBytes();
    void skipCurrentGroup();
    void problem(const QString &text);
    const CodePageDecoder &decoder(int codePage);

    // Destinations (RtfReader.cpp)
    bool startDestination(Kw k);
    bool startListEntry(Kw k);
    void endDestination(const GroupState &closed);
    void wordInHeaderTable(Kw k, const RtfToken &t);
    void wordInPicture(Kw k, const RtfToken &t);
    void textInDestination(QStringView text);
    void finishPicture();

    // Document text and formatting (RtfReaderBody.cpp)
    void bodyWord(Kw k, const RtfToken &t);
    bool documentWord(Kw k, const RtfToken &t);
    bool characterWord(Kw k, const RtfToken &t);
    bool paragraphWord(Kw k, const RtfToken &t);
    bool textWord(Kw k);
    void appendBodyText(QStringView text);
    void appendRun(QStringView text, int formatId);
    void appendObject(int formatId);
    void appendUnicode(int value);
    void flushSurrogate();
    void endParagraph();
    void endCell();
    int formatId(const CharState &state);
    QTextCharFormat makeCharFormat(const CharState &state) const;
    DocumentBuilder::Paragraph paragraph(const ParaState &state) const;
    int bodyCodePage() const;

    GroupState &top() { return m_stack.last(); }
    const GroupState &top() const { return m_stack.last(); }

    DocumentBuilder m_builder;
    RtfTokenizer m_tokens{QByteArrayView()};
    QList<GroupState> m_stack;
    RtfReport m_report;

    int m_docCodePage = 1252;
    int m_defaultFont = -1;
    RtfFontTable m_fonts;
    RtfColorTable m_colours;
    RtfListTable m_lists;
    RtfPicture m_picture;
    bool m_pictureForBody = false;
    std::map<int, std::unique_ptr<CodePageDecoder>> m_decoders;

    QByteArray m_bytes;     // 8-bit text not yet decoded
    QString m_decoded;      // reused decoding buffer
    int m_fallback = 0;     // characters still to skip after \uN
    bool m_ignorable = false; // the last token was \*
    char16_t m_highSurrogate = 0;
    bool m_cellTabPending = false;

    QHash<CharState, int> m_formatIds;
    CharState m_lastChar;
    int m_lastCharId = -1;
};

} // namespace kelmora::formats
