#include "FormatTestSupport.h"

#include "model/TextDocument.h"

#include <QBuffer>
#include <QDir>
#include <QImage>

namespace kelmora::formats::test {

std::unique_ptr<QTextDocument> newDocument()
{
    // The document class the editor and the reader use.
    auto doc = std::make_unique<model::TextDocument>();
    model::prepareDocument(*doc);
    return doc;
}

std::unique_ptr<QTextDocument> readNew(const QByteArray &rtf, RtfReport *report)
{
    auto doc = newDocument();
    const RtfReport r = readRtf(*doc, rtf);
    if (report)
        *report = r;
    return doc;
}

QStringList paragraphTexts(const QTextDocument &doc)
{
    QStringList texts;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        texts.append(b.text());
    return texts;
}

QString documentText(const QTextDocument &doc)
{
    return paragraphTexts(doc).join(u'\n');
}

QTextBlock paragraph(const QTextDocument &doc, int index)
{
    return doc.findBlockByNumber(index);
}

QTextCharFormat formatAt(const QTextDocument &doc, int index, int offset)
{
    const QTextBlock block = paragraph(doc, index);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        const int start = f.position() - block.position();
        if (offset >= start && offset < start + f.length())
            return f.charFormat();
    }
    return QTextCharFormat();
}

QString faceOf(const QTextDocument &doc, const QTextCharFormat &format)
{
    const QStringList families = format.fontFamilies().toStringList();
    return families.isEmpty() ? doc.defaultFont().family() : families.first();
}

QString colourOf(const QTextCharFormat &format)
{
    if (!format.hasProperty(QTextFormat::ForegroundBrush) || format.foreground().style() == Qt::NoBrush)
        return QStringLiteral("auto");
    return format.foreground().color().name();
}

QString describeRun(const QTextDocument &doc, const QTextCharFormat &f)
{
    const double size = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : doc.defaultFont().pointSizeF();
    const bool hasBackground = f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush;
    const QString bg = hasBackground ? f.background().color().name() : QStringLiteral("none");
    return QStringLiteral("face=%1 size=%2 b=%3 i=%4 u=%5 s=%6 colour=%7 bg=%8 valign=%9")
        .arg(faceOf(doc, f))
        .arg(size)
        .arg(f.fontWeight() > QFont::Medium)
        .arg(f.fontItalic())
        .arg(f.fontUnderline())
        .arg(f.fontStrikeOut())
        .arg(colourOf(f), bg)
        .arg(int(f.verticalAlignment()));
}

QString describeParagraph(const QTextBlock &block)
{
    const QTextBlockFormat f = block.blockFormat();
    const model::ParagraphIndents in = model::indents(f);
    return QStringLiteral("align=%1 first=%2 left=%3 right=%4 numbering=%5")
        .arg(int(f.alignment() & Qt::AlignHorizontal_Mask))
        .arg(in.first)
        .arg(in.left)
        .arg(in.right)
        .arg(int(model::numbering(block)));
}

QByteArray rtfWithTables(QByteArrayView body)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1254\\deff0"
                     "{\\fonttbl{\\f0\\fswiss\\fcharset162 Arial;}{\\f1\\froman\\fcharset162 Times New Roman;}"
                     "{\\f2\\fmodern\\fcharset162 Courier New;}}"
                     "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}\n";
    rtf += body;
    rtf += '}';
    return rtf;
}

QString rtfDataDir()
{
    return QStringLiteral(KELMORA_TEST_DATA "/rtf");
}

QStringList rtfDataFiles()
{
    QStringList names = QDir(rtfDataDir()).entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);
    for (QString &n : names)
        n.chop(4);
    return names;
}

QString libreOfficeText(QString text)
{
    if (text.startsWith(u'\ufeff'))
        text.remove(0, 1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

QByteArray pictureBytes(const char *format, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(qRgb(200, 30, 60));
    image.setPixel(0, 0, qRgb(0, 0, 255));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QString markedLinks(const QTextDocument &doc)
{
    QStringList paragraphs;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QString out;
        std::optional<model::Link> open;
        const auto close = [&] {
            if (!open)
                return;
            out += QStringLiteral("](") + open->target;
            if (!open->toolTip.isEmpty())
                out += QStringLiteral(" \"") + open->toolTip + u'"';
            out += u')';
            open.reset();
        };
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const std::optional<model::Link> link = model::linkOf(it.fragment().charFormat());
            if (link != open) {
                close();
                if (link)
                    out += u'[';
                open = link;
            }
            out += it.fragment().text();
        }
        close();
        paragraphs.append(out);
    }
    return paragraphs.join(u'\n');
}

QList<ShownPicture> picturesOf(const QTextDocument &doc)
{
    QList<ShownPicture> found;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (!f.isImageFormat())
                continue;
            const QTextImageFormat image = f.toImageFormat();
            ShownPicture p;
            p.picture = model::pictures::pictureOf(doc, image).value_or(model::pictures::Picture());
            p.twips = model::pictures::shownTwips(image);
            p.drawn = model::pictures::isDrawn(p.picture);
            p.link = model::linkOf(f);
            for (int i = 0; i < it.fragment().length(); ++i)
                found.append(p);
        }
    }
    return found;
}

QString describePicture(const ShownPicture &p)
{
    return QStringLiteral("%1 %2x%3 twips, %4 bytes, %5")
        .arg(model::pictures::kindName(p.picture.kind))
        .arg(p.twips.width())
        .arg(p.twips.height())
        .arg(p.picture.data.size())
        .arg(p.drawn ? QStringLiteral("drawn") : QStringLiteral("framed"));
}

} // namespace kelmora::formats::test
