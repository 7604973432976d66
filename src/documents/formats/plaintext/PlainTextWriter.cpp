// Writing plain text: in the encoding and with the byte order mark and line
// ending the file was read with, where its characters allow.

#include "formats/codepages/CodePage.h"
#include "formats/DocumentIO.h"
#include "formats/OutputSink.h"
#include "formats/Writers.h"

#include <QStringEncoder>
#include <QTextBlock>
#include <QTextDocument>

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
    bool first = true;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (!first)
            out.put(newline);
        first = false;
        const QString text = block.text();
        for (QChar c : text) {
            const int byte = page.byteFor(c.unicode());
            if (byte >= 0)
                out.put(char(byte));
            else if (c == QChar::LineSeparator)
                out.put(newline);
        }
    }
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
    bool first = true;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (!first)
            out.put(newline);
        // A text starting with U+FEFF gets a mark before it too, so that
        // reading drops that mark, not the text's own.
        else if (byteOrderMark || startsWithBomCharacter(text))
            out.put("\xef\xbb\xbf");
        first = false;
        encodeParagraph(text, newline, utf8, out);
    }
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
