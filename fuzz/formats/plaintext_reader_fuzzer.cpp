// Feeds arbitrary bytes to the plain-text reader, then checks that writing
// the document as UTF-8 and reading that again changes nothing, for each
// line ending.

#include "formats/DocumentIO.h"
#include "FuzzSupport.h"

#include <QTextDocument>

#include <cstdint>

using namespace kelmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QTextDocument &doc = fuzz::document();
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    formats::readPlainText(doc, input);
    for (const auto ending : {formats::LineEnding::LF, formats::LineEnding::CRLF, formats::LineEnding::CR}) {
        const QByteArray written = formats::toPlainText(doc, ending);
        model::TextDocument again;
        formats::readPlainText(again, written);
        fuzz::require(formats::toPlainText(again, ending) == written, "plain text changes when read again");
    }
    return 0;
}
