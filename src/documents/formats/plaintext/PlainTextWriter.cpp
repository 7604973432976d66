// Writing plain text: in the encoding and with the byte order mark and line
// ending the file was read with, where its characters allow.

#include "formats/codepages/CodePage.h"
#include "formats/DocumentIO.h"
#include "formats/OutputSink.h"
#include "formats/Writers.h"

#include "model/TableFormat.h"

#include <QStringEncoder>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>

namespace kelmora::formats {

namespace {

QByteArrayView lineEndingBytes(LineEnding ending)
{
    switch (ending) {
    case LineEnding::LF: return "\n";
    case LineEnding::CR: return "\r";
    case LineEnding::CRLF: break;
    }
    return "\r\n";
}

// Characters that are not written as themselves: a line break inside a
// paragraph (written as the line ending), pictures and frame marks (dropped).
bool isSpecial(char16_t c)
{
    return c == QChar::LineSeparator || c == QChar::ObjectReplacementCharacter || c == 0xfdd0 || c == 0xfdd1;
}

// Encodes span as UTF-8 straight into out's buffer, in pieces that fit it.
void encodeSpan(QStringView span, QStringEncoder &utf8, OutputSink &out)
{
    // UTF-8 takes at most three bytes per UTF-16 unit.
    constexpr qsizetype Piece = OutputSink::MaxClaim / 3;
    while (!span.isEmpty()) {
        qsizetype n = qMin(span.size(), Piece);
        if (n < span.size() && QChar::isHighSurrogate(span[n - 1].unicode()))
            --n; // keep a surrogate pair together
        char *o = out.claim(OutputSink::MaxClaim);
        out.commit(utf8.appendToBuffer(o, span.first(n)));
        span = span.sliced(n);
    }
}

void encodeParagraph(QStringView text, QByteArrayView newline, QStringEncoder &utf8, OutputSink &out)
{
    const char16_t *data = reinterpret_cast<const char16_t *>(text.data());
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (data[i] < QChar::LineSeparator || !isSpecial(data[i]))
            continue;
        encodeSpan(text.sliced(start, i - start), utf8, out);
        if (data[i] == QChar::LineSeparator)
            out.put(newline);
        start = i + 1;
    }
    encodeSpan(text.sliced(start), utf8, out);
}

// What comes before a paragraph's text: nothing (the first), a line ending,
// or a tab (a table cell after the first of its row).
enum class Before { Nothing, Line, Tab };

// Calls write(text, before) for every paragraph in document order; a table
// row is its cells, one after the other, a cell covered by the one above
// an empty one. Paragraphs Qt keeps before tables and unused filler cells
// are not the document's (model/TableFormat.h).
template <class Write>
void walk(QTextFrame::iterator it, Before &before, const Write &write);

template <class Write>
void walkTable(const QTextTable &table, Before &before, const Write &write)
{
    for (int r = 0; r < table.rows(); ++r) {
        bool firstCell = true;
        for (int c = 0; c < table.columns(); ++c) {
            const QTextTableCell cell = table.cellAt(r, c);
            if (cell.column() != c)
                continue;
            if (model::isFiller(cell.format().toTableCellFormat()) && cell.firstPosition() == cell.lastPosition())
                continue;
            if (!firstCell)
                before = Before::Tab;
            firstCell = false;
            if (cell.row() != r) {
                write(QString(), before);
                before = Before::Line;
                continue;
            }
            walk(cell.begin(), before, write);
        }
    }
}

template <class Write>
void walk(QTextFrame::iterator it, Before &before, const Write &write)
{
    bool afterTable = false;
    bool first = true;
    while (!it.atEnd()) {
        QTextFrame::iterator next = it;
        ++next;
        const auto *table = qobject_cast<const QTextTable *>(it.currentFrame());
        if (table) {
            walkTable(*table, before, write);
        } else if (const QTextFrame *frame = it.currentFrame()) {
            walk(frame->begin(), before, write);
        } else {
            const QTextBlock block = it.currentBlock();
            const bool beforeTable = !next.atEnd() && qobject_cast<const QTextTable *>(next.currentFrame());
            if (!(model::isStructural(block) && beforeTable && (first || afterTable))) {
                write(block.text(), before);
                before = Before::Line;
            }
        }
        afterTable = table != nullptr;
        first = false;
        it = next;
    }
}

template <class Write>
void forEachParagraph(const QTextDocument &doc, const Write &write)
{
    Before before = Before::Nothing;
    walk(doc.rootFrame()->begin(), before, write);
}

// True when every character written as itself has a byte in the page.
bool fitsPage(const QTextDocument &doc, const SingleByteEncoder &page)
{
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        for (QChar c : text) {
            if (page.byteFor(c.unicode()) < 0 && !isSpecial(c.unicode()))
                return false;
        }
    }
    return true;
}

void writeInPage(const QTextDocument &doc, const SingleByteEncoder &page, QByteArrayView newline, OutputSink &out)
{
    forEachParagraph(doc, [&](const QString &text, Before before) {
        if (before != Before::Nothing)
            before == Before::Tab ? out.put('\t') : out.put(newline);
        for (QChar c : text) {
            const int byte = page.byteFor(c.unicode());
            if (byte >= 0)
                out.put(char(byte));
            else if (c == QChar::LineSeparator)
                out.put(newline);
        }
    });
}

// True when the text written for the first paragraph starts with U+FEFF,
// which a reader would take for a byte order mark.
bool startsWithBomCharacter(QStringView firstParagraph)
{
    for (QChar c : firstParagraph) {
        if (c.unicode() == 0xfeff)
            return true;
        if (!isSpecial(c.unicode()) || c == QChar::LineSeparator)
            return false;
    }
    return false;
}

void writeUtf8(const QTextDocument &doc, bool byteOrderMark, QByteArrayView newline, OutputSink &out)
{
    // Block by block: Qt hands out a block's text faster than the whole text.
    QStringEncoder utf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    forEachParagraph(doc, [&](const QString &text, Before before) {
        if (before == Before::Tab)
            out.put('\t');
        else if (before == Before::Line)
            out.put(newline);
        // A text starting with U+FEFF gets a mark before it too, so that
        // reading drops that mark, not the text's own.
        else if (byteOrderMark || startsWithBomCharacter(text))
            out.put("\xef\xbb\xbf");
        encodeParagraph(text, newline, utf8, out);
    });
}

} // namespace

void writePlainText(const QTextDocument &doc, const PlainTextForm &form, OutputSink &out)
{
    const QByteArrayView newline = lineEndingBytes(form.lineEnding);
    if (form.encoding == TextEncoding::Windows1254) {
        // Kept for the tools that read these files; text they cannot hold
        // goes to UTF-8 rather than being lost.
        const SingleByteEncoder page{CodePageDecoder(1254)};
        if (fitsPage(doc, page)) {
            writeInPage(doc, page, newline, out);
            return;
        }
    }
    writeUtf8(doc, form.byteOrderMark, newline, out);
}

QByteArray toPlainText(const QTextDocument &doc, const PlainTextForm &form)
{
    QByteArray result;
    OutputSink out(result);
    writePlainText(doc, form, out);
    out.flush();
    return result;
}

QByteArray toPlainText(const QTextDocument &doc, LineEnding lineEnding)
{
    PlainTextForm form;
    form.lineEnding = lineEnding;
    return toPlainText(doc, form);
}

} // namespace kelmora::formats
