#include "RtfKeptWriter.h"

#include "formats/OutputSink.h"
#include "model/CharacterFormat.h"
#include "model/DocumentModel.h"
#include "model/TextDocument.h"
#include "RtfWriter.h"

#include <QTextBlock>
#include <QTextFrame>
#include <QTextDocument>

#include <cmath>

namespace kelmora::formats {

namespace {

const char *storyWord(model::StoryKind kind)
{
    using model::StoryKind;
    switch (kind) {
    case StoryKind::Header: return "header";
    case StoryKind::HeaderLeft: return "headerl";
    case StoryKind::HeaderRight: return "headerr";
    case StoryKind::HeaderFirst: return "headerf";
    case StoryKind::Footer: return "footer";
    case StoryKind::FooterLeft: return "footerl";
    case StoryKind::FooterRight: return "footerr";
    case StoryKind::FooterFirst: return "footerf";
    }
    return "header";
}

const char *styleWord(model::KeptStyle::Kind kind)
{
    switch (kind) {
    case model::KeptStyle::Kind::Paragraph: return "\\s";
    case model::KeptStyle::Kind::Character: return "\\*\\cs";
    case model::KeptStyle::Kind::Section: return "\\*\\ds";
    case model::KeptStyle::Kind::Table: return "\\*\\ts";
    }
    return "\\s";
}

// Groups of \info that readers which do not know them must skip.
bool starredInfo(const QByteArray &name)
{
    return name == "company" || name == "category" || name == "manager" || name == "hlinkbase";
}

// The mark a note read where no text could carry it: it shows nothing.
constexpr QChar OwnMark(u'\u200b');

} // namespace

void RtfKeptWriter::collectStyleNumbers(const QTextDocument &doc)
{
    if (const model::KeptParts *parts = model::keptPartsOf(doc)) {
        for (const model::KeptStyle &style : parts->styles)
            m_styles.insert({int(style.kind), style.number});
    }
}

void RtfKeptWriter::collect(const QTextDocument &doc)
{
    m_doc = &doc;
    m_parts = model::keptPartsOf(doc);
    if (m_parts) {
        m_section = &m_parts->firstSection;
        collectSection(m_parts->firstSection);
        for (const model::KeptStyle &style : m_parts->styles) {
            m_styles.insert({int(style.kind), style.number});
            const QTextCharFormat &f = style.characters;
            if (f.hasProperty(QTextFormat::FontFamilies))
                m_writer.fontIndex(model::faceName(f, doc));
            if (f.hasProperty(QTextFormat::ForegroundBrush))
                m_writer.colourIndex(f.foreground().color().rgb());
            if (f.hasProperty(QTextFormat::BackgroundBrush))
                m_writer.colourIndex(f.background().color().rgb());
        }
    }
    // Every format the document ever held: a section or note whose text was
    // deleted adds only its fonts to the tables; it is not written.
    QList<const QTextDocument *> documents{&doc};
    while (!documents.isEmpty()) {
        const QTextDocument *d = documents.takeLast();
        for (const QTextFormat &f : d->allFormats()) {
            if (const model::SectionHandle section = model::sectionStartOf(f))
                collectSection(*section);
            for (const model::Note &note : model::notesOf(f))
                collectStory(note->text);
        }
        while (!m_pending.isEmpty()) {
            const model::Story story = m_pending.takeLast();
            m_writer.collect(*story);
            documents.append(story.get());
        }
    }
}

void RtfKeptWriter::collectStory(const model::Story &story)
{
    if (story && !m_stories.contains(story.get())) {
        m_stories.insert(story.get());
        m_pending.append(story);
    }
}

void RtfKeptWriter::collectSection(const model::KeptSection &section)
{
    for (const model::SectionStory &s : section.stories)
        collectStory(s.text);
}

QByteArray RtfKeptWriter::characterStyle(const QTextCharFormat &format) const
{
    const int style = model::characterStyleOf(format);
    if (style < 0 || !m_styles.contains({int(model::KeptStyle::Kind::Character), style}))
        return QByteArray();
    return "\\cs" + QByteArray::number(style);
}

void RtfKeptWriter::writeParagraphStyle(const QTextFormat &format)
{
    const int style = model::paragraphStyleOf(format);
    if (style < 0 || !m_styles.contains({int(model::KeptStyle::Kind::Paragraph), style}))
        return;
    m_writer.m_out.put("\\s");
    m_writer.m_out.putNumber(style);
}

void RtfKeptWriter::writeStyleSheet()
{
    if (!m_parts || m_parts->styles.isEmpty())
        return;
    m_writer.m_out.put("{\\stylesheet\n");
    for (const model::KeptStyle &style : m_parts->styles)
        writeStyle(style);
    m_writer.m_out.put("}\n");
}

void RtfKeptWriter::writeStyle(const model::KeptStyle &style)
{
    OutputSink &out = m_writer.m_out;
    out.put('{');
    out.put(styleWord(style.kind));
    out.putNumber(style.number);
    writeStyleParagraph(style.paragraph);
    writeWords(style.words);
    writeStyleCharacters(style.characters);
    out.put(' ');
    m_writer.writeText(style.name);
    out.put(";}\n");
}

void RtfKeptWriter::writeStyleCharacters(const QTextCharFormat &f)
{
    OutputSink &out = m_writer.m_out;
    if (f.hasProperty(QTextFormat::FontFamilies)) {
        out.put("\\f");
        out.putNumber(m_writer.fontIndex(model::faceName(f, *m_doc)));
    }
    if (f.hasProperty(QTextFormat::FontPointSize)) {
        out.put("\\fs");
        out.putNumber(qBound(2, int(std::lround(f.fontPointSize() * 2)), 3276));
    }
    if (f.hasProperty(QTextFormat::FontWeight))
        out.put(f.fontWeight() > QFont::Medium ? "\\b" : "\\b0");
    if (f.hasProperty(QTextFormat::FontItalic))
        out.put(f.fontItalic() ? "\\i" : "\\i0");
    if (f.hasProperty(QTextFormat::TextUnderlineStyle))
        out.put(f.fontUnderline() ? "\\ul" : "\\ulnone");
    if (f.hasProperty(QTextFormat::FontStrikeOut))
        out.put(f.fontStrikeOut() ? "\\strike" : "\\strike0");
    if (f.hasProperty(QTextFormat::ForegroundBrush)) {
        out.put("\\cf");
        out.putNumber(m_writer.colourIndex(f.foreground().color().rgb()));
    }
    if (f.hasProperty(QTextFormat::BackgroundBrush)) {
        out.put("\\highlight");
        out.putNumber(m_writer.colourIndex(f.background().color().rgb()));
    }
    if (f.hasProperty(QTextFormat::TextVerticalAlignment)) {
        const auto v = f.verticalAlignment();
        out.put(v == QTextCharFormat::AlignSuperScript ? "\\super"
                : v == QTextCharFormat::AlignSubScript ? "\\sub"
                                                       : "\\nosupersub");
    }
}

void RtfKeptWriter::writeStyleParagraph(const QTextBlockFormat &f)
{
    OutputSink &out = m_writer.m_out;
    if (f.hasProperty(QTextFormat::BlockAlignment)) {
        const Qt::Alignment align = f.alignment() & Qt::AlignHorizontal_Mask;
        out.put(align & Qt::AlignHCenter ? "\\qc"
                : align & (Qt::AlignRight | Qt::AlignTrailing) ? "\\qr"
                : align & Qt::AlignJustify ? "\\qj"
                                           : "\\ql");
    }
    if (f.hasProperty(model::FirstIndentTwips)) {
        const model::ParagraphIndents p = model::indents(f);
        out.put("\\fi");
        out.putNumber(-p.left);
        out.put("\\li");
        out.putNumber(p.first + p.left);
        out.put("\\ri");
        out.putNumber(p.right);
    }
}

void RtfKeptWriter::writeWords(const model::KeptWords &words)
{
    OutputSink &out = m_writer.m_out;
    for (const model::KeptWord &w : words.list()) {
        out.put('\\');
        out.put(w.name);
        if (w.value)
            out.putNumber(*w.value);
    }
}

void RtfKeptWriter::writeDocumentParts()
{
    if (!m_parts)
        return;
    OutputSink &out = m_writer.m_out;
    if (!m_parts->info.isEmpty()) {
        out.put("{\\info");
        for (const model::KeptInfoEntry &entry : m_parts->info)
            writeInfo(entry);
        out.put("}\n");
    }
    if (!m_parts->document.isEmpty()) {
        writeWords(m_parts->document);
        out.put('\n');
    }
    if (!m_parts->firstSection.isEmpty())
        writeSection(m_parts->firstSection);
}

void RtfKeptWriter::writeInfo(const model::KeptInfoEntry &entry)
{
    OutputSink &out = m_writer.m_out;
    out.put(starredInfo(entry.name) ? "{\\*\\" : "{\\");
    out.put(entry.name);
    if (entry.value)
        out.putNumber(*entry.value);
    writeWords(entry.words);
    if (!entry.text.isEmpty()) {
        out.put(' ');
        m_writer.writeText(entry.text);
    }
    out.put('}');
}

void RtfKeptWriter::writeSection(const model::KeptSection &section)
{
    OutputSink &out = m_writer.m_out;
    out.put("\\sectd");
    writeWords(section.words);
    out.put('\n');
    for (const model::SectionStory &story : section.stories) {
        if (!story.text)
            continue;
        out.put("{\\");
        out.put(storyWord(story.kind));
        out.put(' ');
        writeStory(*story.text);
        out.put("}\n");
    }
}

void RtfKeptWriter::beforeBlock(const QTextBlock &block)
{
    if (block.document() != m_doc)
        return;
    const model::SectionHandle section = model::sectionStartOf(block.blockFormat());
    // Paragraphs split from a section's first one share its handle: only a
    // new handle starts a section. The first paragraph is in the first one.
    if (!section || section.get() == m_section)
        return;
    m_section = section.get();
    if (block == m_doc->begin())
        return;
    m_writer.m_out.put("\\sect");
    writeSection(*section);
}

void RtfKeptWriter::writeStory(const QTextDocument &story)
{
    // Stories hold tables as the body does.
    m_writer.writeContent(story.rootFrame()->begin(), 0, "\\par\n");
}

bool RtfKeptWriter::writeMarks(const QTextDocument &doc, const QTextFragment &fragment)
{
    const QTextCharFormat format = fragment.charFormat();
    const bool number = model::isNoteNumber(format);
    const QList<model::Note> notes = model::notesOf(format);
    if (!number && notes.isEmpty())
        return false;
    // A mark split by an edit carries its notes twice: they follow its first part.
    QList<model::Note> unwritten;
    for (const model::Note &note : notes) {
        if (note && !m_written.contains(note.get())) {
            m_written.insert(note.get());
            unwritten.append(note);
        }
    }
    OutputSink &out = m_writer.m_out;
    const QByteArray &prefix = m_writer.prefixesOf(&doc).run.at(fragment.charFormatIndex());
    if (number) {
        // A note's own number (in its text), or the number of a note that follows.
        if (notes.isEmpty() || !unwritten.isEmpty()) {
            out.put('{');
            out.put(prefix);
            out.put("\\chftn}");
        }
    } else {
        QString text = fragment.text();
        text.remove(OwnMark);
        if (!text.isEmpty()) {
            out.put('{');
            out.put(prefix);
            m_writer.writeText(text);
            out.put('}');
        }
    }
    for (const model::Note &note : std::as_const(unwritten))
        writeNote(*note);
    return true;
}

void RtfKeptWriter::writeNote(const model::KeptNote &note)
{
    OutputSink &out = m_writer.m_out;
    if (note.kind == model::KeptNote::Kind::Annotation) {
        if (!note.initials.isEmpty()) {
            out.put("{\\*\\atnid ");
            m_writer.writeText(note.initials);
            out.put('}');
        }
        if (!note.author.isEmpty()) {
            out.put("{\\*\\atnauthor ");
            m_writer.writeText(note.author);
            out.put('}');
        }
        out.put("\\chatn{\\*\\annotation");
        if (!note.date.isEmpty()) {
            out.put("{\\*\\atndate ");
            m_writer.writeText(note.date);
            out.put('}');
        }
        // After a group no space ends a word: a space here would be text.
        if (note.date.isEmpty())
            out.put(' ');
    } else {
        out.put(note.kind == model::KeptNote::Kind::Endnote ? "{\\footnote\\ftnalt " : "{\\footnote ");
    }
    if (note.text) {
        const QTextDocument *outer = std::exchange(m_note, note.text.get());
        writeStory(*note.text);
        m_note = outer;
    }
    out.put("}");
}

bool RtfKeptWriter::endsNote(const QTextBlock &block) const
{
    return m_note && block.document() == m_note && !block.next().isValid();
}

} // namespace kelmora::formats
