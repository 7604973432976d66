// Feeds arbitrary bytes to the RTF reader (as the body of an RTF file), then
// checks that what was read survives our writer: writing the document and
// reading it back gives the same text and paragraphs, and is never malformed.

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
    fuzz::require(!report.malformed, "our own RTF reads as malformed");
    fuzz::require(again.blockCount() == paragraphs, "paragraph count changes through our RTF");
    fuzz::require(again.toRawText() == text, "text changes through our RTF");
    return 0;
}
