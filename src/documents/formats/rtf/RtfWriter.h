#pragma once
// Writes a document as RTF: \rtf1\ansi\ansicpg1254\deff0, a font table and a
// colour table holding only what the text uses (face 0 is the document's
// default font, colour 0 the automatic colour), list tables for bullets and
// numbering when used, then each paragraph's alignment, indents (twips, as
// the model keeps them) and numbering, and each run in its own group with
// its face, size, style, colour, highlight and super/subscript. Characters of
// code page 1254 are written as \'hh, all others as \uN with a "?" fallback.
// Pictures are written back as the \pict groups they were read from, links
// as HYPERLINK fields around their text.
//
// Tables are written as rows: \trowd with \trgaph, \trleft and one \cellx per
// cell (its right boundary in twips, a spanning cell's at the end of its
// span), cell borders, shading, vertical alignment and \clvmgf/\clvmrg for
// cells spanning rows, then the cells' paragraphs (\intbl) ending in \cell,
// then \row. A nested table's paragraphs carry \itapN, end in \nestcell, and
// its rows are defined in {\*\nesttableprops ... \nestrow}; a row holding one
// repeats its definition before \row. Filler cells and Qt's structural
// paragraphs (model/TableFormat.h) are not written.
//
// What the document keeps without showing it (headers, footers, notes,
// styles, page setup, sections, information) is written by RtfKeptWriter
// with this writer's own tables: every story's runs are gathered into the one
// font, colour and list table before any is written.

#include "formats/codepages/CodePage.h"
#include "model/Links.h"
#include "RtfKeptWriter.h"

#include <QHash>
#include <QList>
#include <QRgb>
#include <QStringList>
#include <QTextFrame>

#include <map>

class QTextBlock;
class QTextCharFormat;
class QTextDocument;
class QTextImageFormat;
class QTextList;
class QTextTable;
class QTextTableCell;

namespace kelmora::formats {

class OutputSink;

class RtfWriter {
public:
    RtfWriter(const QTextDocument &doc, OutputSink &out);
    // Throws EWriteError when the sink fails.
    void write();

private:
    friend class RtfKeptWriter;
    // By character format index of one document; empty: not yet made. The
    // East Asian prefix also gives \dbch text the run's face and size.
    struct Prefixes {
        QList<QByteArray> run;
        QList<QByteArray> eastAsian;
    };

    void collect(const QTextDocument &doc);
    void prepareRun(Prefixes &prefixes, int formatIndex, const QTextCharFormat &format);
    const Prefixes &prefixesOf(const QTextDocument *doc);
    int fontIndex(const QString &face);
    int colourIndex(QRgb rgb);
    void writeHeader();
    void writeListTables();
    void collectTables(const QTextFrame &frame);
    // The paragraphs and tables of a frame or cell; depth is their table
    // nesting depth, endMark ends the last paragraph (\par, \cell, \nestcell).
    void writeContent(QTextFrame::iterator it, int depth, const char *endMark);
    void writeTable(const QTextTable &table, int depth);
    QByteArray rowDefinition(const QTextTable &table, int row);
    void writeBlock(const QTextBlock &block, int depth, const char *endMark);
    void writeParagraphProperties(const QTextBlock &block, int depth);
    void writeText(QStringView text);
    void writePicture(const QTextDocument &doc, const QTextImageFormat &format);
    // Closes the field of the link open, if another follows, and opens next's.
    void switchLink(std::optional<model::Link> &open, const std::optional<model::Link> &next);

    const QTextDocument &m_doc;
    OutputSink &m_out;
    Cp1254Encoder m_encoder;
    QString m_defaultFace;
    double m_defaultSize;
    QStringList m_fonts;
    QHash<QString, int> m_fontIndex;
    QList<QRgb> m_colours;
    QHash<QRgb, int> m_colourIndex;
    std::map<const QTextDocument *, Prefixes> m_prefixes; // the body's and every story's
    const QTextDocument *m_prefixesDoc = nullptr;
    const Prefixes *m_lastPrefixes = nullptr;
    bool m_usesBullets = false;
    bool m_usesNumbers = false;
    // Items written so far per list (QTextList::itemNumber is a linear search).
    QHash<const QTextList *, int> m_listItems;
    RtfKeptWriter m_kept{*this};
};

} // namespace kelmora::formats
