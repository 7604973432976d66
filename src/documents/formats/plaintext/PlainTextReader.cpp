// Reading plain text: UTF-8 when the bytes are valid UTF-8, else
// Windows-1254; LF, CR and CR LF end paragraphs.

#include "formats/DocumentIO.h"

#include "formats/codepages/CodePage.h"

#include <QTextCursor>
#include <QTextDocument>

#include <cstring>

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

bool isContinuation(unsigned char b)
{
    return (b & 0xc0) == 0x80;
}

// The length of the valid UTF-8 sequence at p (lead byte b already read as
// p[-1]), or 0 when it is not valid: no overlong forms, no surrogates,
// nothing above U+10FFFF.
int sequenceLength(unsigned char b, const unsigned char *p, const unsigned char *end)
{
    const qsizetype left = end - p;
    if (b >= 0xc2 && b <= 0xdf)
        return left >= 1 && isContinuation(p[0]) ? 2 : 0;
    if (b >= 0xe0 && b <= 0xef) {
        if (left < 2 || !isContinuation(p[0]) || !isContinuation(p[1]))
            return 0;
        if ((b == 0xe0 && p[0] < 0xa0) || (b == 0xed && p[0] > 0x9f))
            return 0;
        return 3;
    }
    if (b >= 0xf0 && b <= 0xf4) {
        if (left < 3 || !isContinuation(p[0]) || !isContinuation(p[1]) || !isContinuation(p[2]))
            return 0;
        if ((b == 0xf0 && p[0] < 0x90) || (b == 0xf4 && p[0] > 0x8f))
            return 0;
        return 4;
    }
    return 0;
}

// Decodes data as UTF-8 into text in one pass (Qt's validator and decoder
// take two and are slower on text with many non-ASCII letters). Returns
// false at the first invalid sequence.
bool decodeUtf8(QByteArrayView data, QString &text)
{
    text.resize(data.size());
    char16_t *o = reinterpret_cast<char16_t *>(text.data());
    const auto *p = reinterpret_cast<const unsigned char *>(data.data());
    const unsigned char *const end = p + data.size();
    while (p < end) {
        while (end - p >= 8) {
            quint64 bytes;
            std::memcpy(&bytes, p, sizeof bytes);
            if (bytes & 0x8080808080808080ULL)
                break;
            for (int i = 0; i < 8; ++i)
                o[i] = p[i];
            o += 8;
            p += 8;
        }
        if (p == end)
            break;
        const unsigned char b = *p++;
        if (b < 0x80) {
            *o++ = b;
            continue;
        }
        switch (sequenceLength(b, p, end)) {
        case 2:
            *o++ = char16_t((b & 0x1f) << 6 | (p[0] & 0x3f));
            p += 1;
            break;
        case 3:
            *o++ = char16_t((b & 0x0f) << 12 | (p[0] & 0x3f) << 6 | (p[1] & 0x3f));
            p += 2;
            break;
        case 4: {
            const char32_t u = char32_t(b & 0x07) << 18 | char32_t(p[0] & 0x3f) << 12 |
                               char32_t(p[1] & 0x3f) << 6 | char32_t(p[2] & 0x3f);
            *o++ = QChar::highSurrogate(u);
            *o++ = QChar::lowSurrogate(u);
            p += 3;
            break;
        }
        default:
            return false;
        }
    }
    text.truncate(o - reinterpret_cast<char16_t *>(text.data()));
    return true;
}

// The text of data and the encoding it was found in.
QString decodePlainText(QByteArrayView data, PlainTextForm &form)
{
    const bool bom = data.startsWith("\xef\xbb\xbf");
    QString text;
    if (decodeUtf8(bom ? data.sliced(3) : data, text)) {
        form.byteOrderMark = bom; // the byte order mark is not text
        return text;
    }
    // Not UTF-8: the whole file is Windows-1254.
    form.encoding = TextEncoding::Windows1254;
    text.clear();
    CodePageDecoder(1254).decode(data, text);
    return text;
}

} // namespace

PlainTextForm readPlainText(QTextDocument &doc, QByteArrayView data)
{
    PlainTextForm form;
    const QString text = decodePlainText(data, form);
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
    form.lineEnding = firstLineEnding(data);
    return form;
}

} // namespace kelmora::formats
