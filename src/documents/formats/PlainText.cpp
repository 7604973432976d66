// Plain text: UTF-8 when the bytes are valid UTF-8, else Windows-1254; LF, CR
// and CR LF end paragraphs; written back as UTF-8 with one chosen line ending.

#include "DocumentIO.h"

#include "CodePage.h"
#include "OutputSink.h"
#include "Writers.h"

#include <QStringConverter>
#include <QTextCursor>
#include <QTextDocument>

namespace kelmora::formats {

namespace {

LineEnding firstLineEnding(QByteArrayView data)
{
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (data[i] == '\n')
            return LineEnding::LF;
        if (data[i] == '\r')
            return (i + 1 < data.size() && data[i + 1] == '\n') ? LineEnding::CRLF : LineEnding::CR;
    }
    return LineEnding::CRLF;
}

QString decodePlainText(QByteArrayView data)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(data);
    if (!utf8.hasError())
        return text; // the decoder drops a leading BOM
    text.clear();
    CodePageDecoder(1254).decode(data, text);
    return text;
}

QByteArrayView lineEndingBytes(LineEnding ending)
{
    switch (ending) {
    case LineEnding::LF: return "\n";
    case LineEnding::CR: return "\r";
    case LineEnding::CRLF: break;
    }
    return "\r\n";
}

bool isBreak(char16_t c)
{
    return c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

// Characters that only structure the document: pictures and frame marks.
bool isDropped(char16_t c)
{
    return c == QChar::ObjectReplacementCharacter || c == 0xfdd0 || c == 0xfdd1;
}

} // namespace

LineEnding readPlainText(QTextDocument &doc, QByteArrayView data)
{
    const QString text = decodePlainText(data);
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    doc.clear();
    {
        // One insertion: Qt splits it into paragraphs at LF, CR and CR LF.
        QTextCursor cursor(&doc);
        cursor.beginEditBlock();
        cursor.insertText(text);
        cursor.endEditBlock();
    }
    doc.setUndoRedoEnabled(undo);
    doc.setModified(false);
    return firstLineEnding(data);
}

void writePlainText(const QTextDocument &doc, LineEnding lineEnding, OutputSink &out)
{
    const QString text = doc.toRawText();
    const QByteArrayView newline = lineEndingBytes(lineEnding);
    QStringEncoder utf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    QByteArray chunk;
    const char16_t *data = reinterpret_cast<const char16_t *>(text.constData());
    const qsizetype size = text.size();
    qsizetype start = 0;
    // Encodes data[start, end) in slices, so the buffer stays small for any size.
    const auto encode = [&](qsizetype end) {
        constexpr qsizetype Slice = 1 << 15;
        qsizetype from = start;
        while (from < end) {
            qsizetype to = qMin(end, from + Slice);
            if (to < end && QChar::isHighSurrogate(data[to - 1]))
                ++to; // never split a surrogate pair
            const QStringView part(data + from, to - from);
            chunk.resize(utf8.requiredSpace(part.size()));
            const char *last = utf8.appendToBuffer(chunk.data(), part);
            out.put(QByteArrayView(chunk.constData(), last - chunk.constData()));
            from = to;
        }
    };
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = data[i];
        if (c < 0x2028 || (!isBreak(c) && !isDropped(c)))
            continue;
        encode(i);
        if (isBreak(c))
            out.put(newline);
        start = i + 1;
    }
    encode(size);
}

QByteArray toPlainText(const QTextDocument &doc, LineEnding lineEnding)
{
    QByteArray result;
    OutputSink out(result);
    writePlainText(doc, lineEnding, out);
    out.flush();
    return result;
}

} // namespace kelmora::formats
