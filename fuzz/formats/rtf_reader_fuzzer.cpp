// Feeds arbitrary bytes to the RTF reader (as the body of an RTF file), then
// checks that what was read survives our writer: writing the document and
// reading it back gives the same text and paragraphs, and is never malformed
// (but for a kept picture's own oversized claim).

#include "formats/DocumentIO.h"
#include "FuzzSupport.h"

#include <QTextDocument>

#include <cstdint>

using namespace kelmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QTextDocument &doc = fuzz::document();
    QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!formats::isRtf(input))
        input.prepend("{\\rtf1 ");
    formats::readRtf(doc, input);
    const QString text = doc.toRawText();
    const int paragraphs = doc.blockCount();

    const QByteArray written = formats::toRtf(doc);
    model::TextDocument again;
    model::prepareDocument(again);
    const formats::RtfReport report = formats::readRtf(again, written);
    // A picture is written back byte for byte, so one whose bytes claim more
    // pixels than are ever decoded is reported again: the report comes from
    // the input's own picture, not from what we wrote.
    const bool keptPictureClaim = report.problem.startsWith(QStringLiteral("a picture claims "));
    fuzz::require(!report.malformed || keptPictureClaim, "our own RTF reads as malformed");
    fuzz::require(again.blockCount() == paragraphs, "paragraph count changes through our RTF");
    fuzz::require(again.toRawText() == text, "text changes through our RTF");
    return 0;
}
