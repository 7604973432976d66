#include "DocumentIO.h"

#include "base/ErrorTexts.h"
#include "base/Exceptions.h"
#include "FileAccess.h"
#include "OutputSink.h"
#include "formats/rtf/RtfReader.h"
#include "Writers.h"

namespace kelmora::formats {

bool isRtf(QByteArrayView data)
{
    return data.startsWith("{\\rtf");
}

RtfReport readRtf(QTextDocument &doc, QByteArrayView data)
{
    if (!isRtf(data))
        throw EReadError(errortext::FailedToLoadStream);
    return RtfReader(doc).read(data);
}

LoadResult loadFile(QTextDocument &doc, const QString &path, bool plainText)
{
    const QByteArray data = readWholeFile(path);
    LoadResult result;
    if (!plainText && isRtf(data)) {
        result.report = readRtf(doc, data);
        result.rtf = true;
    } else {
        result.plainText = readPlainText(doc, data);
    }
    return result;
}

void saveFile(const QTextDocument &doc, const QString &path, bool plainText, const PlainTextForm &form)
{
    writeFileSafely(path, [&](OutputSink &out) {
        if (plainText)
            writePlainText(doc, form, out);
        else
            writeRtf(doc, out);
    });
}

QByteArray toRtf(const QTextDocument &doc)
{
    QByteArray result;
    OutputSink out(result);
    writeRtf(doc, out);
    return result;
}

} // namespace kelmora::formats
