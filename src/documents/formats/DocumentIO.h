#pragma once
// Loading and saving documents: RTF and plain text to and from a QTextDocument
// that was prepared with model::prepareDocument. No widgets.
//
// Errors are the program's exceptions (src/base/Exceptions.h) with their
// final, user-visible texts:
//   EFOpenError   Cannot open file "<absolute path>". <system reason>
//   EReadError    Failed to Load Stream
//   EFCreateError Cannot create file "<absolute path>". <system reason>
//   EWriteError   Failed to Save Stream

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QTextDocument;

namespace kelmora::formats {

enum class LineEnding { LF, CRLF, CR };

// What the RTF reader met besides the content. Malformed input is read as far
// as it can be; the first problem found is described (in English, for logs
// and tools, not for the user).
struct RtfReport {
    bool malformed = false;
    QString problem;
};

// How a file was read: the format, what the RTF reader met in it, and the
// line ending to write it back with. A caller that drops it loses the report
// on damaged input, hence [[nodiscard]].
struct [[nodiscard]] LoadResult {
    bool rtf = false;
    RtfReport report; // RTF only
    LineEnding lineEnding = LineEnding::CRLF;
};

// True when data begins with "{\rtf", the mark of an RTF file.
bool isRtf(QByteArrayView data);

// Replaces the whole content of doc with the file's. With plainText false the
// file is read as RTF when it begins with "{\rtf", otherwise (from its start)
// as plain text; with plainText true always as plain text. Throws EFOpenError
// when the file cannot be opened (a folder cannot be opened either) and
// EReadError when reading it fails; malformed RTF is read as far as it goes
// and reported in the result. Afterwards the undo stack is empty and the
// modified flag is false. On error doc is unchanged.
LoadResult loadFile(QTextDocument &doc, const QString &path, bool plainText);

// Writes doc to path as RTF or as UTF-8 plain text with the given line ending,
// through the safe save: a temporary file in the same folder, flushed, then
// renamed over the target, whose permissions are kept. A target that exists
// and cannot be written (including one marked read-only, even for root) fails
// with EFCreateError before anything is written; a failed write fails with
// EWriteError or EFCreateError. On any failure the old file is untouched.
void saveFile(const QTextDocument &doc, const QString &path, bool plainText, LineEnding lineEnding);

// The same on bytes, for tests, fuzzers and tools.
QByteArray toRtf(const QTextDocument &doc);
QByteArray toPlainText(const QTextDocument &doc, LineEnding lineEnding);

// Replaces doc's content with the RTF in data. Throws EReadError ("Failed to
// Load Stream") when data is not RTF (does not begin with "{\rtf"), leaving
// doc unchanged; malformed RTF is read as far as it goes and reported, not
// thrown. "{\rtf1}" is a valid empty document.
RtfReport readRtf(QTextDocument &doc, QByteArrayView data);

// Replaces doc's content with data read as plain text: UTF-8 when it is valid
// UTF-8 (a BOM is dropped), else Windows-1254. LF, CR and CR LF each end a
// paragraph. Returns the first line ending found (CRLF when there is none).
LineEnding readPlainText(QTextDocument &doc, QByteArrayView data);

} // namespace kelmora::formats
