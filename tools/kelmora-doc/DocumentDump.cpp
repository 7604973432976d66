#include "DocumentDump.h"

#include "model/CharacterFormat.h"
#include "model/DocumentModel.h"
#include "model/KeptParts.h"
#include "model/TextDocument.h"
#include "model/Links.h"
#include "model/Pictures.h"
#include "model/TableFormat.h"

#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>

#include <algorithm>

namespace kelmora::tools {

namespace {

struct Run {
    QString text;
    QString face;
    int size = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    QString colour;
    std::optional<model::Link> link;
    // A picture: kind, shown size in twips and byte count; one run each.
    struct Picture {
        QString kind;
        QSize twips;
        qsizetype bytes = 0;
    };
    std::optional<Picture> picture;

    bool sameLook(const Run &o) const
    {
        return face == o.face && size == o.size && bold == o.bold && italic == o.italic &&
               underline == o.underline && strikeout == o.strikeout && colour == o.colour && link == o.link &&
               !picture && !o.picture;
    }
};

Run runOf(const QTextDocument &doc, const QTextFragment &fragment)
{
    const QTextCharFormat f = fragment.charFormat();
    Run r;
    r.link = model::linkOf(f);
    if (f.isImageFormat()) {
        const QTextImageFormat image = f.toImageFormat();
        const std::optional<model::pictures::Picture> p = model::pictures::pictureOf(doc, image);
        r.picture = Run::Picture{p ? model::pictures::kindName(p->kind) : QStringLiteral("none"),
                                 model::pictures::shownTwips(image), p ? p->data.size() : 0};
        return r;
    }
    r.text = fragment.text();
    r.face = model::faceName(f, doc);
    r.size = model::wholePoints(f, doc);
    const model::FontStyles styles = model::stylesOf(f);
    r.bold = styles.testFlag(model::FontStyle::Bold);
    r.italic = styles.testFlag(model::FontStyle::Italic);
    r.underline = styles.testFlag(model::FontStyle::Underline);
    r.strikeout = styles.testFlag(model::FontStyle::StrikeOut);
    const std::optional<QColor> colour = model::colourOf(f);
    r.colour = colour ? colour->name(QColor::HexRgb) : QStringLiteral("auto");
    return r;
}

void appendString(QByteArray &out, const QString &s)
{
    out += '"';
    qsizetype start = 0;
    const auto flush = [&](qsizetype end) { out += QStringView(s).sliced(start, end - start).toUtf8(); };
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t u = s.at(i).unicode();
        const bool quote = u == '"' || u == '\\';
        if (!quote && u >= 0x20 && u != 0x2028 && u != 0x2029 && u != 0xfffc)
            continue;
        flush(i);
        start = i + 1;
        if (quote) {
            out += '\\';
            out += char(u);
        } else {
            out += "\\u" + QByteArray::number(u, 16).rightJustified(4, '0');
        }
    }
    flush(s.size());
    out += '"';
}

const char *boolText(bool b)
{
    return b ? "true" : "false";
}

const char *alignmentName(Qt::Alignment a)
{
    a &= Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter)
        return "center";
    if (a & (Qt::AlignRight | Qt::AlignTrailing))
        return "right";
    if (a & Qt::AlignJustify)
        return "justify";
    return "left";
}

const char *numberingName(model::Numbering n)
{
    switch (n) {
    case model::Numbering::Bullet: return "bullet";
    case model::Numbering::Other: return "other";
    case model::Numbering::None: break;
    }
    return "none";
}

const char *lineEndingName(formats::LineEnding e)
{
    switch (e) {
    case formats::LineEnding::LF: return "lf";
    case formats::LineEnding::CR: return "cr";
    case formats::LineEnding::CRLF: break;
    }
    return "crlf";
}

void appendLink(QByteArray &out, const model::Link &link)
{
    out += "\"link\": {\"target\": ";
    appendString(out, link.target);
    out += ", \"toolTip\": ";
    appendString(out, link.toolTip);
    out += '}';
}

void appendPicture(QByteArray &out, const Run &r)
{
    const Run::Picture &p = *r.picture;
    out += "{\"picture\": {\"kind\": ";
    appendString(out, p.kind);
    out += ", \"width\": " + QByteArray::number(p.twips.width());
    out += ", \"height\": " + QByteArray::number(p.twips.height());
    out += ", \"bytes\": " + QByteArray::number(p.bytes) + '}';
    if (r.link) {
        out += ", ";
        appendLink(out, *r.link);
    }
    out += '}';
}

void appendRun(QByteArray &out, const Run &r)
{
    if (r.picture) {
        appendPicture(out, r);
        return;
    }
    out += "{\"text\": ";
    appendString(out, r.text);
    out += ", \"face\": ";
    appendString(out, r.face);
    out += ", \"size\": " + QByteArray::number(r.size);
    out += QByteArray(", \"bold\": ") + boolText(r.bold);
    out += QByteArray(", \"italic\": ") + boolText(r.italic);
    out += QByteArray(", \"underline\": ") + boolText(r.underline);
    out += QByteArray(", \"strikeout\": ") + boolText(r.strikeout);
    out += ", \"colour\": ";
    appendString(out, r.colour);
    if (r.link) {
        out += ", ";
        appendLink(out, *r.link);
    }
    out += '}';
}

void appendParagraph(QByteArray &out, const QTextDocument &doc, const QTextBlock &block)
{
    const model::ParagraphIndents in = model::indents(block.blockFormat());
    out += QByteArray("  {\"alignment\": \"") + alignmentName(block.blockFormat().alignment()) + '"';
    out += ", \"first\": " + QByteArray::number(in.first / 20);
    out += ", \"left\": " + QByteArray::number(in.left / 20);
    out += ", \"right\": " + QByteArray::number(in.right / 20);
    out += QByteArray(", \"numbering\": \"") + numberingName(model::numbering(block)) + '"';
    if (const int style = model::paragraphStyleOf(block.blockFormat()); style >= 0)
        out += ", \"style\": " + QByteArray::number(style);
    out += ", \"runs\": [";
    QList<Run> runs;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        Run r = runOf(doc, it.fragment());
        if (!runs.isEmpty() && runs.last().sameLook(r)) {
            runs.last().text += r.text;
        } else if (r.picture) {
            // One run per picture, however many a fragment holds.
            for (int i = 0; i < it.fragment().length(); ++i)
                runs.append(r);
        } else {
            runs.append(std::move(r));
        }
    }
    for (qsizetype i = 0; i < runs.size(); ++i) {
        out += i == 0 ? "\n    " : ",\n    ";
        appendRun(out, runs.at(i));
    }
    out += runs.isEmpty() ? "]}" : "\n  ]}";
}

QByteArray wordsText(const model::KeptWords &words)
{
    QByteArray text;
    for (const model::KeptWord &w : words.list())
        text += '\\' + w.name + (w.value ? QByteArray::number(*w.value) : QByteArray());
    return text;
}

void appendStory(QByteArray &out, const QTextDocument &story, const QByteArray &indent)
{
    out += "\"paragraphs\": [";
    for (QTextBlock block = story.begin(); block.isValid(); block = block.next()) {
        out += block.blockNumber() > 0 ? ",\n" : "\n";
        QByteArray paragraph;
        appendParagraph(paragraph, story, block);
        out += indent + paragraph.replace('\n', QByteArray('\n' + indent));
    }
    out += ']';
}

const char *storyKindName(model::StoryKind kind)
{
    using model::StoryKind;
    switch (kind) {
    case StoryKind::Header: return "header";
    case StoryKind::HeaderLeft: return "header left";
    case StoryKind::HeaderRight: return "header right";
    case StoryKind::HeaderFirst: return "header first";
    case StoryKind::Footer: return "footer";
    case StoryKind::FooterLeft: return "footer left";
    case StoryKind::FooterRight: return "footer right";
    case StoryKind::FooterFirst: return "footer first";
    }
    return "header";
}

const char *styleKindName(model::KeptStyle::Kind kind)
{
    switch (kind) {
    case model::KeptStyle::Kind::Paragraph: return "paragraph";
    case model::KeptStyle::Kind::Character: return "character";
    case model::KeptStyle::Kind::Section: return "section";
    case model::KeptStyle::Kind::Table: return "table";
    }
    return "paragraph";
}

const char *noteKindName(model::KeptNote::Kind kind)
{
    switch (kind) {
    case model::KeptNote::Kind::Footnote: return "footnote";
    case model::KeptNote::Kind::Endnote: return "endnote";
    case model::KeptNote::Kind::Annotation: return "annotation";
    }
    return "footnote";
}

void appendSection(QByteArray &out, const model::KeptSection &section, int start)
{
    out += "   {\"start\": " + QByteArray::number(start) + ", \"words\": ";
    appendString(out, QString::fromLatin1(wordsText(section.words)));
    out += ", \"stories\": [";
    for (qsizetype i = 0; i < section.stories.size(); ++i) {
        const model::SectionStory &story = section.stories.at(i);
        out += i == 0 ? "\n    {\"kind\": \"" : ",\n    {\"kind\": \"";
        out += storyKindName(story.kind) + QByteArray("\", ");
        appendStory(out, *story.text, "     ");
        out += '}';
    }
    out += "]}";
}

void appendNote(QByteArray &out, const model::KeptNote &note, const QString &mark, int paragraph)
{
    out += QByteArray("   {\"kind\": \"") + noteKindName(note.kind) + "\", \"mark\": ";
    appendString(out, mark);
    out += ", \"numbered\": " + QByteArray(boolText(note.numbered));
    out += ", \"paragraph\": " + QByteArray::number(paragraph);
    if (note.kind == model::KeptNote::Kind::Annotation) {
        out += ", \"initials\": ";
        appendString(out, note.initials);
        out += ", \"author\": ";
        appendString(out, note.author);
        out += ", \"date\": ";
        appendString(out, note.date);
    }
    out += ", ";
    appendStory(out, *note.text, "    ");
    out += '}';
}

// Sections in the order they start, and notes after their marks.
void appendPlacedParts(QByteArray &out, const QTextDocument &doc, const model::KeptParts &parts)
{
    QByteArray sections;
    appendSection(sections, parts.firstSection, 0);
    QByteArray notes;
    const model::KeptSection *current = &parts.firstSection;
    QSet<const model::KeptNote *> seen;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const model::SectionHandle section = model::sectionStartOf(block.blockFormat());
        if (section && section.get() != current && block.blockNumber() > 0) {
            current = section.get();
            sections += ",\n";
            appendSection(sections, *section, block.blockNumber());
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            for (const model::Note &note : model::notesOf(fragment.charFormat())) {
                if (!note || seen.contains(note.get()))
                    continue;
                seen.insert(note.get());
                notes += notes.isEmpty() ? "" : ",\n";
                appendNote(notes, *note, fragment.text().remove(QChar(u'\u200b')), block.blockNumber());
            }
        }
    }
    out += ",\n  \"sections\": [\n" + sections + "]";
    out += ",\n  \"notes\": [" + (notes.isEmpty() ? QByteArray() : '\n' + notes) + "]";
}

void appendKept(QByteArray &out, const QTextDocument &doc, const model::KeptParts &parts)
{
    out += ",\n \"kept\": {\"document\": ";
    appendString(out, QString::fromLatin1(wordsText(parts.document)));
    appendPlacedParts(out, doc, parts);
    out += ",\n  \"styles\": [";
    for (qsizetype i = 0; i < parts.styles.size(); ++i) {
        const model::KeptStyle &style = parts.styles.at(i);
        out += QByteArray(i == 0 ? "\n" : ",\n") + "   {\"kind\": \"" + styleKindName(style.kind) + "\"";
        out += ", \"number\": " + QByteArray::number(style.number) + ", \"name\": ";
        appendString(out, style.name);
        out += '}';
    }
    out += "],\n  \"info\": [";
    for (qsizetype i = 0; i < parts.info.size(); ++i) {
        const model::KeptInfoEntry &entry = parts.info.at(i);
        out += QByteArray(i == 0 ? "\n" : ",\n") + "   {\"name\": ";
        appendString(out, QString::fromLatin1(entry.name));
        if (entry.value)
            out += ", \"value\": " + QByteArray::number(*entry.value);
        if (!entry.words.isEmpty()) {
            out += ", \"words\": ";
            appendString(out, QString::fromLatin1(wordsText(entry.words)));
        }
        if (!entry.text.isEmpty()) {
            out += ", \"text\": ";
            appendString(out, entry.text);
        }
        out += '}';
    }
    out += "]}";
}

bool hasNotes(const QTextDocument &doc)
{
    const QList<QTextFormat> formats = doc.allFormats();
    return std::any_of(formats.cbegin(), formats.cend(),
                       [](const QTextFormat &f) { return !model::notesOf(f).isEmpty(); });
}

QByteArray numbers(const QList<int> &values)
{
    QByteArray out = "[";
    for (qsizetype i = 0; i < values.size(); ++i)
        out += (i == 0 ? "" : ", ") + QByteArray::number(values.at(i));
    return out + ']';
}

void appendCell(QByteArray &out, const QTextDocument &doc, const QTextTableCell &cell,
                const model::TableGeometry &geometry)
{
    const int width = geometry.boundaries.at(cell.column() + cell.columnSpan()) - geometry.boundaries.at(cell.column());
    out += "{\"row\": " + QByteArray::number(cell.row()) + ", \"column\": " + QByteArray::number(cell.column());
    out += ", \"rowSpan\": " + QByteArray::number(cell.rowSpan());
    out += ", \"columnSpan\": " + QByteArray::number(cell.columnSpan());
    out += ", \"width\": " + QByteArray::number(width);
    out += QByteArray(", \"filler\": ") + boolText(model::isFiller(cell.format().toTableCellFormat()));
    out += ", \"paragraphs\": [" + QByteArray::number(doc.findBlock(cell.firstPosition()).blockNumber()) + ", " +
           QByteArray::number(doc.findBlock(cell.lastPosition()).blockNumber()) + "]}";
}

void appendTable(QByteArray &out, const QTextDocument &doc, const QTextTable &table, int depth)
{
    const model::TableGeometry g = model::tableGeometry(table);
    QList<int> widths;
    for (int c = 0; c < g.columns(); ++c)
        widths.append(g.boundaries.at(c + 1) - g.boundaries.at(c));
    out += "  {\"depth\": " + QByteArray::number(depth) + ", \"rows\": " + QByteArray::number(table.rows());
    out += ", \"columns\": " + QByteArray::number(table.columns());
    out += ", \"left\": " + QByteArray::number(g.boundaries.value(0)) + ", \"gap\": " + QByteArray::number(g.gap);
    out += ", \"widths\": " + numbers(widths);
    out += QByteArray(", \"continues\": ") + boolText(model::continuesTable(table)) + ", \"cells\": [";
    bool first = true;
    for (int r = 0; r < table.rows(); ++r) {
        for (int c = 0; c < table.columns(); ++c) {
            const QTextTableCell cell = table.cellAt(r, c);
            if (cell.row() != r || cell.column() != c)
                continue;
            out += first ? "\n    " : ",\n    ";
            first = false;
            appendCell(out, doc, cell, g);
        }
    }
    out += "]}";
}

// Every table under frame, each before those nested in it.
void appendTables(QByteArray &out, const QTextDocument &doc, const QTextFrame &frame, int depth, bool &first)
{
    for (const QTextFrame *child : frame.childFrames()) {
        const auto *table = qobject_cast<const QTextTable *>(child);
        if (table) {
            out += first ? "\n" : ",\n";
            first = false;
            appendTable(out, doc, *table, depth + 1);
        }
        appendTables(out, doc, *child, table ? depth + 1 : depth, first);
    }
}

} // namespace

QByteArray dumpJson(const QTextDocument &doc, const formats::LoadResult &loaded)
{
    QByteArray out = QByteArray("{\"format\": \"") + (loaded.rtf ? "rtf" : "plain") + "\"";
    out += QByteArray(",\n \"malformed\": ") + boolText(loaded.report.malformed);
    out += ",\n \"problem\": ";
    if (loaded.report.malformed)
        appendString(out, loaded.report.problem);
    else
        out += "null";
    if (!loaded.rtf) {
        const formats::PlainTextForm &form = loaded.plainText;
        out += QByteArray(",\n \"encoding\": \"") +
               (form.encoding == formats::TextEncoding::Windows1254 ? "windows-1254" : "utf-8") + '"';
        out += QByteArray(",\n \"byteOrderMark\": ") + boolText(form.byteOrderMark);
        out += QByteArray(",\n \"lineEnding\": \"") + lineEndingName(form.lineEnding) + '"';
    }
    out += ",\n \"paragraphs\": [\n";
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block.blockNumber() > 0)
            out += ",\n";
        appendParagraph(out, doc, block);
    }
    out += "\n],\n \"tables\": [";
    bool first = true;
    appendTables(out, doc, *doc.rootFrame(), 0, first);
    out += first ? "]" : "\n]";
    const model::KeptParts *parts = model::keptPartsOf(doc);
    if (parts && (!parts->isEmpty() || hasNotes(doc)))
        appendKept(out, doc, *parts);
    out += "}\n";
    return out;
}

} // namespace kelmora::tools
