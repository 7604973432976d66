#pragma once
// Helpers shared by the format tests: fresh documents prepared like the
// editor's, paragraph texts, and the formats of given characters.

#include "formats/DocumentIO.h"
#include "model/DocumentModel.h"
#include "model/Links.h"
#include "model/Pictures.h"

#include <QStringList>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>

#include <memory>

namespace kelmora::formats::test {

// A document prepared as the editing surface prepares its own.
std::unique_ptr<QTextDocument> newDocument();
// A new document read from rtf; report, when given, gets the reader's report.
std::unique_ptr<QTextDocument> readNew(const QByteArray &rtf, RtfReport *report = nullptr);

QStringList paragraphTexts(const QTextDocument &doc);
// Paragraphs joined by "\n".
QString documentText(const QTextDocument &doc);

QTextBlock paragraph(const QTextDocument &doc, int index);
// The format of the character at offset in paragraph index.
QTextCharFormat formatAt(const QTextDocument &doc, int index, int offset);

// The face a run shows: its own, else the document's default.
QString faceOf(const QTextDocument &doc, const QTextCharFormat &format);
// "#rrggbb", or "auto" when the run has no colour of its own.
QString colourOf(const QTextCharFormat &format);

// Every attribute of a run in one line, for comparing documents.
QString describeRun(const QTextDocument &doc, const QTextCharFormat &format);
// Alignment, indents in twips and numbering of a paragraph in one line.
QString describeParagraph(const QTextBlock &block);

// "{\rtf1\ansi\ansicpg1254\deff0{\fonttbl...}{\colortbl...}" + body + "}", with
// fonts 0 Arial, 1 Times New Roman, 2 Courier New and colours 1 red, 2 green.
QByteArray rtfWithTables(QByteArrayView body);

// The folder of the hand-written RTF files and their expectations.
QString rtfDataDir();
// The names (without ".rtf") of the files there.
QStringList rtfDataFiles();
// Text as LibreOffice's text export writes it, in the form toPlainText with
// LF gives: no byte order mark, LF line ends, no line end after the last line.
QString libreOfficeText(QString text);

// PNG or JPEG bytes of a small picture.
QByteArray pictureBytes(const char *format, QSize size);

// The paragraphs joined by "\n", linked text marked [text](target), or
// [text](target "tooltip").
QString markedLinks(const QTextDocument &doc);

// A picture as the document shows it.
struct ShownPicture {
    model::pictures::Picture picture;
    QSize twips;
    bool drawn = false;
    std::optional<model::Link> link;
    friend bool operator==(const ShownPicture &, const ShownPicture &) = default;
};
// The document's pictures in their order; a format without a record shows
// as a picture of kind Unknown without bytes.
QList<ShownPicture> picturesOf(const QTextDocument &doc);
// "kind WxH twips, N bytes, drawn|framed" of a picture.
QString describePicture(const ShownPicture &p);

} // namespace kelmora::formats::test
