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
enum class TextEncoding { Utf8, Windows1254 };

// How a plain-text file was written, so that saving writes it the same way.
struct PlainTextForm {
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false; // UTF-8 only
    LineEnding lineEnding = LineEnding::CRLF;
    friend bool operator==(const PlainTextForm &, const PlainTextForm &) = default;
};

// What the RTF reader met besides the content. Malformed input is read as far
// as it can be; the first problem found is described (in English, for logs
// and tools, not for the user).
struct RtfReport {
    bool malformed = false;
    QString problem;
};

// How a file was read: the format, what the RTF reader met in it, and the
// form to write plain text back in (for RTF files the form of a new
// document). A caller that drops it loses the report on damaged input, hence
// [[nodiscard]].
struct [[nodiscard]] LoadResult {
    bool rtf = false;
    RtfReport report; // RTF only
    PlainTextForm plainText;
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

// Writes doc to path as RTF or as plain text in the given form (see
// toPlainText), through the safe save: a temporary file in the same folder,
// flushed, then renamed over the target, whose permissions are kept; a file
// in a folder that may not be written, or with other hard links, is
// rewritten in place with its old content kept to restore (writeFileSafely).
// A target that exists and cannot be written (including one marked
// read-only, even for root) fails with EFCreateError before anything is
// written; a failed write fails with EWriteError or EFCreateError. On any
// failure the old file keeps its content.
void saveFile(const QTextDocument &doc, const QString &path, bool plainText, const PlainTextForm &form);

// The same on bytes, for tests, fuzzers and tools. Plain text is written in
// Windows-1254 when the form says so and every character has a byte there,
// otherwise in UTF-8, with a byte order mark when the form has one.
QByteArray toRtf(const QTextDocument &doc);
QByteArray toPlainText(const QTextDocument &doc, const PlainTextForm &form);
// UTF-8 without a byte order mark.
QByteArray toPlainText(const QTextDocument &doc, LineEnding lineEnding);

// Replaces doc's content with the RTF in data. Throws EReadError ("Failed to
// Load Stream") when data is not RTF (does not begin with "{\rtf"), leaving
// doc unchanged; malformed RTF is read as far as it goes and reported, not
// thrown. "{\rtf1}" is a valid empty document.
RtfReport readRtf(QTextDocument &doc, QByteArrayView data);

// Replaces doc's content with data read as plain text: UTF-8 when it is valid
// UTF-8 (a BOM is dropped), else Windows-1254. LF, CR and CR LF each end a
// paragraph. Returns the form found: the encoding, the BOM and the first line
// ending (CRLF when there is none).
PlainTextForm readPlainText(QTextDocument &doc, QByteArrayView data);

} // namespace kelmora::formats
