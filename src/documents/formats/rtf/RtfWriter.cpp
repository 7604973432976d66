#include "RtfWriter.h"

#include "model/CharacterFormat.h"
#include "model/DocumentModel.h"
#include "EastAsian.h"
#include "formats/OutputSink.h"
#include "formats/Writers.h"
#include "model/Pictures.h"
#include "RtfFields.h"
#include "RtfPicture.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>

#include <cmath>

namespace kelmora::formats {

namespace {

constexpr int BulletList = 1;  // \ls of the bullet list
constexpr int NumberList = 2;  // \ls of the numbered list

int toTwips(double layoutLength)
{
    return int(std::lround(layoutLength * 15.0));
}

bool hasBrush(const QTextCharFormat &f, QTextFormat::Property p)
{
    return f.hasProperty(p) && f.brushProperty(p).style() != Qt::NoBrush;
}

model::ParagraphIndents paragraphIndents(const QTextBlockFormat &f)
{
    if (f.hasProperty(model::FirstIndentTwips))
        return model::indents(f);
    // A paragraph that came from elsewhere (e.g. pasted) has only Qt's margins.
    model::ParagraphIndents p;
    p.left = -toTwips(f.textIndent());
    p.first = toTwips(f.leftMargin()) - p.left;
    p.right = toTwips(f.rightMargin());
    return p;
}

} // namespace

RtfWriter::RtfWriter(const QTextDocument &doc, OutputSink &out)
    : m_doc(doc), m_out(out), m_defaultFace(model::cutFace(doc.defaultFont().family())),
      m_defaultSize(doc.defaultFont().pointSizeF() > 0 ? doc.defaultFont().pointSizeF() : 12.0)
{
    m_fonts.append(m_defaultFace);
    m_fontIndex.insert(m_defaultFace, 0);
}

void RtfWriter::write()
{
    m_kept.collectStyleNumbers(m_doc);
    collect(m_doc);
    m_kept.collect(m_doc);
    writeHeader();
    writeContent(m_doc.rootFrame()->begin(), 0, "\\par\n");
    m_out.put("}\n");
    m_out.flush();
}

void RtfWriter::collect(const QTextDocument &doc)
{
    Prefixes &prefixes = m_prefixes[&doc];
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const model::Numbering n = model::numbering(block);
        m_usesBullets = m_usesBullets || n == model::Numbering::Bullet;
        m_usesNumbers = m_usesNumbers || n == model::Numbering::Other;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int index = fragment.charFormatIndex();
            if (index >= prefixes.run.size()) {
                prefixes.run.resize(index + 1);
                prefixes.eastAsian.resize(index + 1);
            }
            if (prefixes.run.at(index).isEmpty())
                prepareRun(prefixes, index, fragment.charFormat());
        }
    }
    collectTables(*doc.rootFrame());
}

const RtfWriter::Prefixes &RtfWriter::prefixesOf(const QTextDocument *doc)
{
    if (doc != m_prefixesDoc) {
        m_prefixesDoc = doc;
        m_lastPrefixes = &m_prefixes[doc];
    }
    return *m_lastPrefixes;
}

void RtfWriter::prepareRun(Prefixes &prefixes, int formatIndex, const QTextCharFormat &f)
{
    QByteArray p;
    const QByteArray font = QByteArray::number(fontIndex(model::faceName(f, m_doc)));
    const double size = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : m_defaultSize;
    const QByteArray halfPoints = QByteArray::number(qBound(2, int(std::lround(size * 2)), 3276));
    p += "\\f" + font + "\\fs" + halfPoints;
    if (f.fontWeight() > QFont::Medium)
        p += "\\b";
    if (f.fontItalic())
        p += "\\i";
    if (f.fontUnderline())
        p += "\\ul";
    if (f.fontStrikeOut())
        p += "\\strike";
    if (hasBrush(f, QTextFormat::ForegroundBrush))
        p += "\\cf" + QByteArray::number(colourIndex(f.foreground().color().rgb()));
    if (hasBrush(f, QTextFormat::BackgroundBrush))
        p += "\\highlight" + QByteArray::number(colourIndex(f.background().color().rgb()));
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        p += "\\super";
    else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
        p += "\\sub";
    p += m_kept.characterStyle(f);
    prefixes.eastAsian[formatIndex] = p + "\\dbch\\af" + font + "\\afs" + halfPoints + "\\loch ";
    prefixes.run[formatIndex] = p + ' ';
}

int RtfWriter::fontIndex(const QString &face)
{
    const auto it = m_fontIndex.constFind(face);
    if (it != m_fontIndex.cend())
        return it.value();
    m_fonts.append(face);
    m_fontIndex.insert(face, int(m_fonts.size() - 1));
    return int(m_fonts.size() - 1);
}

int RtfWriter::colourIndex(QRgb rgb)
{
    rgb = qRgb(qRed(rgb), qGreen(rgb), qBlue(rgb));
    const auto it = m_colourIndex.constFind(rgb);
    if (it != m_colourIndex.cend())
        return it.value();
    m_colours.append(rgb);
    m_colourIndex.insert(rgb, int(m_colours.size())); // entry 0 is the automatic colour
    return int(m_colours.size());
}

void RtfWriter::writeHeader()
{
    m_out.put("{\\rtf1\\ansi\\ansicpg1254\\deff0\\deflang1055\\uc1\n{\\fonttbl");
    for (qsizetype i = 0; i < m_fonts.size(); ++i) {
        m_out.put("{\\f");
        m_out.putNumber(int(i));
        m_out.put("\\fnil\\fcharset162 ");
        writeText(m_fonts.at(i));
        m_out.put(";}");
    }
    m_out.put("}\n{\\colortbl;");
    for (QRgb c : std::as_const(m_colours)) {
        m_out.put("\\red");
        m_out.putNumber(qRed(c));
        m_out.put("\\green");
        m_out.putNumber(qGreen(c));
        m_out.put("\\blue");
        m_out.putNumber(qBlue(c));
        m_out.put(';');
    }
    m_out.put("}\n");
    m_kept.writeStyleSheet();
    writeListTables();
    m_kept.writeDocumentParts();
}

void RtfWriter::writeListTables()
{
    if (!m_usesBullets && !m_usesNumbers)
        return;
    m_out.put("{\\*\\listtable\n");
    if (m_usesBullets) {
        m_out.put("{\\list\\listtemplateid1\\listsimple{\\listlevel\\levelnfc23\\leveljc0\\levelfollow0"
                  "\\levelstartat1{\\leveltext\\'01\\u8226 ?;}{\\levelnumbers;}\\fi-360\\li720}\\listid1}\n");
    }
    if (m_usesNumbers) {
        m_out.put("{\\list\\listtemplateid2\\listsimple{\\listlevel\\levelnfc0\\leveljc0\\levelfollow0"
                  "\\levelstartat1{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}\\fi-360\\li720}\\listid2}\n");
    }
    m_out.put("}\n{\\*\\listoverridetable");
    if (m_usesBullets)
        m_out.put("{\\listoverride\\listid1\\listoverridecount0\\ls1}");
    if (m_usesNumbers)
        m_out.put("{\\listoverride\\listid2\\listoverridecount0\\ls2}");
    m_out.put("}\n");
}

void RtfWriter::writeBlock(const QTextBlock &block, int depth, const char *endMark)
{
    m_kept.beforeBlock(block);
    writeParagraphProperties(block, depth);
    std::optional<model::Link> link;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        switchLink(link, model::linkOf(format));
        const QString text = fragment.text();
        if (format.isImageFormat()) {
            for (QChar c : text) {
                if (c == QChar::ObjectReplacementCharacter)
                    writePicture(*block.document(), format.toImageFormat());
            }
            continue;
        }
        if (m_kept.writeMarks(*block.document(), fragment))
            continue;
        m_out.put('{');
        const bool east = std::any_of(text.cbegin(), text.cend(), [](QChar c) {
            return isEastAsian(c.unicode()) || QChar::isHighSurrogate(c.unicode());
        });
        const int index = fragment.charFormatIndex();
        const Prefixes &prefixes = prefixesOf(block.document());
        m_out.put(east ? prefixes.eastAsian.at(index) : prefixes.run.at(index));
        writeText(text);
        m_out.put('}');
    }
    switchLink(link, std::nullopt);
    if (!m_kept.endsNote(block))
        m_out.put(endMark);
}

void RtfWriter::switchLink(std::optional<model::Link> &open, const std::optional<model::Link> &next)
{
    if (open == next)
        return;
    if (open)
        m_out.put("}}");
    if (next) {
        m_out.put("{\\field{\\*\\fldinst ");
        writeText(hyperlinkInstruction(*next));
        m_out.put("}{\\fldrslt ");
    }
    open = next;
}

void RtfWriter::writeParagraphProperties(const QTextBlock &block, int depth)
{
    const QTextBlockFormat f = block.blockFormat();
    m_out.put("\\pard");
    if (depth > 0)
        m_out.put("\\intbl");
    if (depth > 1) {
        m_out.put("\\itap");
        m_out.putNumber(depth);
    }
    m_kept.writeParagraphStyle(f);
    const Qt::Alignment align = f.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignHCenter)
        m_out.put("\\qc");
    else if (align & (Qt::AlignRight | Qt::AlignTrailing))
        m_out.put("\\qr");
    else if (align & Qt::AlignJustify)
        m_out.put("\\qj");
    else
        m_out.put("\\ql");
    const model::ParagraphIndents p = paragraphIndents(f);
    const int li = p.first + p.left;
    const int fi = -p.left;
    if (fi != 0) {
        m_out.put("\\fi");
        m_out.putNumber(fi);
    }
    if (li != 0) {
        m_out.put("\\li");
        m_out.putNumber(li);
    }
    if (p.right != 0) {
        m_out.put("\\ri");
        m_out.putNumber(p.right);
    }
    const model::Numbering n = model::numbering(block);
    if (n == model::Numbering::Bullet) {
        m_out.put("\\ls");
        m_out.putNumber(BulletList);
        m_out.put("\\ilvl0{\\listtext\\pard\\plain \\u8226 ?\\tab}");
    } else if (n == model::Numbering::Other) {
        m_out.put("\\ls");
        m_out.putNumber(NumberList);
        m_out.put("\\ilvl0{\\listtext\\pard\\plain ");
        m_out.putNumber(++m_listItems[block.textList()]);
        m_out.put(".\\tab}");
    }
    // No delimiter needed: runs and pictures follow, each in its own group.
}

void RtfWriter::writeText(QStringView text)
{
    static constexpr char hex[] = "0123456789abcdef";
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x20 && c < 0x80) {
            if (c == '\\' || c == '{' || c == '}')
                m_out.put('\\');
            m_out.put(char(c));
            continue;
        }
        switch (c) {
        case u'\t': m_out.put("\\tab "); continue;
        case 0x2028: m_out.put("\\line "); continue;
        case 0x00a0: m_out.put("\\~"); continue;
        case 0x00ad: m_out.put("\\-"); continue;
        case 0x2011: m_out.put("\\_"); continue;
        default: break;
        }
        if (c < 0x20 || c == QChar::ObjectReplacementCharacter)
            continue;
        if (const unsigned char b = m_encoder.byteFor(c)) {
            m_out.put("\\'");
            m_out.put(hex[b >> 4]);
            m_out.put(hex[b & 15]);
            continue;
        }
        // \uN takes a signed 16-bit number; surrogate pairs go as two.
        m_out.put("\\u");
        m_out.putNumber(c > 0x7fff ? int(c) - 0x10000 : int(c));
        m_out.put('?');
    }
}

void RtfWriter::writePicture(const QTextDocument &doc, const QTextImageFormat &format)
{
    if (const std::optional<model::pictures::Picture> picture = model::pictures::pictureOf(doc, format))
        writePictureGroup(m_out, *picture);
}

void writeRtf(const QTextDocument &doc, OutputSink &out)
{
    RtfWriter(doc, out).write();
}

} // namespace kelmora::formats
