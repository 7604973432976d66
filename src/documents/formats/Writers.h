#pragma once
// The writers behind toRtf, toPlainText and saveFile: they stream a document
// into an OutputSink, whose checked writes throw EWriteError on failure.

#include "DocumentIO.h"

class QTextDocument;

namespace kelmora::formats {

class OutputSink;

void writePlainText(const QTextDocument &doc, const PlainTextForm &form, OutputSink &out);
void writeRtf(const QTextDocument &doc, OutputSink &out);

} // namespace kelmora::formats
