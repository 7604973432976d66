// The body's side of the kept parts: document and section words, section
// breaks, the styles of paragraphs and runs, and the marks of notes.

#include "RtfBody.h"

#include "RtfKeptWords.h"

namespace kelmora::formats {

namespace {

model::KeptWord keptWordOf(const RtfToken &t)
{
    model::KeptWord w;
    w.name = QByteArray(t.word.data(), qsizetype(t.word.size()));
    if (t.hasParam)
        w.value = t.param;
    return w;
}

// Shows nothing: the mark of a note met where no text was to carry it.
constexpr char16_t OwnMark = u'\u200b';

} // namespace

bool RtfBody::keptWord(GroupState &group, Kw k, const RtfToken &t)
{
    if (!m_kept)
        return false;
    const bool body = m_kept->depth == 0;
    if (k == Kw::Sect) {
        if (!body)
            return false; // a break inside a story only ends its paragraph
        if (!m_builder.paragraphEmpty())
            endParagraph(group);
        m_kept->file.sectionBreak();
        return true;
    }
    if (k == Kw::Ds) {
        if (body)
            m_kept->file.sectionWord(keptWordOf(t));
        return true;
    }
    if (k != Kw::Unknown)
        return false;
    switch (formats::keptWord(t.word)) {
    case KeptWordKind::Document:
        if (body)
            m_kept->file.documentWord(keptWordOf(t));
        return true;
    case KeptWordKind::Section:
        if (body)
            m_kept->file.sectionWord(keptWordOf(t));
        return true;
    case KeptWordKind::SectionReset:
        if (body)
            m_kept->file.resetSection();
        return true;
    case KeptWordKind::NoteNumber:
        noteNumber(group.chr);
        return true;
    case KeptWordKind::Endnote:
        m_kept->endnote = m_kept->endnote || m_kept->inNote;
        return true;
    default:
        return false;
    }
}

void RtfBody::noteNumber(const CharState &state)
{
    if (m_kept->inNote) {
        // The note's own number, at the head of its text.
        const auto kind = m_kept->endnote ? model::KeptNote::Kind::Endnote : model::KeptNote::Kind::Footnote;
        QTextCharFormat f = charFormat(state.western());
        f.setProperty(model::NoteNumberProperty, true);
        appendRun(m_kept->file.nextNumber(kind), m_builder.addCharFormat(f));
    } else if (m_kept->depth == 0) {
        m_pendingNumber = PendingNumber{state, m_builder.position()};
    }
}

void RtfBody::attachNote(const std::shared_ptr<model::KeptNote> &note, const CharState &around)
{
    flushSurrogate(around);
    const auto withNote = [&note](QTextCharFormat f) {
        model::NoteMarks marks{model::notesOf(f)};
        marks.notes.append(note);
        model::setNotes(f, marks);
        return f;
    };
    const bool numbers = note->kind != model::KeptNote::Kind::Annotation;
    const std::optional<PendingNumber> pending = std::exchange(m_pendingNumber, std::nullopt);
    if (numbers && pending && pending->at == m_builder.position()) {
        note->numbered = true;
        QTextCharFormat f = withNote(charFormat(pending->state.western()));
        f.setProperty(model::NoteNumberProperty, true);
        appendRun(m_kept->file.nextNumber(note->kind), m_builder.addCharFormat(f));
        m_kept->file.countNumbered(note->kind);
        return;
    }
    // A mark of the file's own choosing ("*"), or an annotated word: the
    // character before the note carries it.
    note->numbered = false;
    if (m_builder.retagLastCharacter([&](int id) { return m_builder.addCharFormat(withNote(m_builder.charFormat(id))); }))
        return;
    appendRun(QStringView(&OwnMark, 1), m_builder.addCharFormat(withNote(charFormat(around.western()))));
}

QTextCharFormat RtfBody::charFormat(const CharState &state) const
{
    QTextCharFormat f = makeCharFormat(state);
    if (state.charStyle >= 0 && m_kept && m_kept->file.hasStyle(model::KeptStyle::Kind::Character, state.charStyle))
        f.setProperty(model::CharacterStyleProperty, state.charStyle);
    return f;
}

DocumentBuilder::Paragraph RtfBody::keptParagraph(const ParaState &state)
{
    DocumentBuilder::Paragraph p = paragraph(state);
    if (!m_kept)
        return p;
    // \sN with no such style in the sheet names nothing; it is dropped.
    if (state.style >= 0 && m_kept->file.hasStyle(model::KeptStyle::Kind::Paragraph, state.style))
        p.style = state.style;
    if (m_kept->depth == 0)
        p.section = m_kept->file.takeSectionStart();
    return p;
}

} // namespace kelmora::formats
