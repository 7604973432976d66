#include "KeptParts.h"

#include "TextDocument.h"

#include <QSet>
#include <QTextBlock>
#include <QTextCursor>

namespace kelmora::model {

void KeptWords::set(KeptWord word)
{
    for (qsizetype i = 0; i < m_words.size(); ++i) {
        if (m_words.at(i).name == word.name) {
            m_words.removeAt(i);
            break;
        }
    }
    m_words.append(std::move(word));
}

const KeptWord *KeptWords::find(QByteArrayView name) const
{
    for (const KeptWord &w : m_words) {
        if (w.name == name)
            return &w;
    }
    return nullptr;
}

const KeptStyle *KeptParts::style(KeptStyle::Kind kind, int number) const
{
    for (const KeptStyle &s : styles) {
        if (s.kind == kind && s.number == number)
            return &s;
    }
    return nullptr;
}

const KeptParts *keptPartsOf(const QTextDocument &doc)
{
    const auto *ours = qobject_cast<const TextDocument *>(&doc);
    return ours ? &ours->keptParts() : nullptr;
}

KeptParts *keptPartsOf(QTextDocument &doc)
{
    auto *ours = qobject_cast<TextDocument *>(&doc);
    return ours ? &ours->keptParts() : nullptr;
}

QList<Note> notesOf(const QTextFormat &format)
{
    const QVariant v = format.property(NotesProperty);
    return v.metaType() == QMetaType::fromType<NoteMarks>() ? v.value<NoteMarks>().notes : QList<Note>();
}

bool isNoteNumber(const QTextFormat &format)
{
    return format.boolProperty(NoteNumberProperty);
}

int characterStyleOf(const QTextFormat &format)
{
    return format.hasProperty(CharacterStyleProperty) ? format.intProperty(CharacterStyleProperty) : -1;
}

int paragraphStyleOf(const QTextFormat &format)
{
    return format.hasProperty(ParagraphStyleProperty) ? format.intProperty(ParagraphStyleProperty) : -1;
}

SectionHandle sectionStartOf(const QTextFormat &format)
{
    const QVariant v = format.property(SectionStartProperty);
    return v.metaType() == QMetaType::fromType<SectionHandle>() ? v.value<SectionHandle>() : SectionHandle();
}

namespace {

int keyOf(const void *handle)
{
    return int(qHash(quintptr(handle)));
}

} // namespace

void setNotes(QTextFormat &format, const NoteMarks &marks)
{
    size_t key = 0;
    for (const Note &note : marks.notes)
        key = key * 31 + size_t(keyOf(note.get()));
    format.setProperty(NotesProperty, QVariant::fromValue(marks));
    format.setProperty(NotesKeyProperty, int(key));
}

void setSectionStart(QTextFormat &format, const SectionHandle &section)
{
    format.setProperty(SectionStartProperty, QVariant::fromValue(section));
    format.setProperty(SectionKeyProperty, keyOf(section.get()));
}

bool dropMarks(QTextCharFormat &format)
{
    const bool number = isNoteNumber(format);
    if (!number && !format.hasProperty(NotesProperty))
        return false;
    format.clearProperty(NotesProperty);
    format.clearProperty(NotesKeyProperty);
    if (number) {
        format.clearProperty(NoteNumberProperty);
        format.clearProperty(CharacterStyleProperty);
        format.clearProperty(QTextFormat::TextVerticalAlignment);
    }
    return true;
}

void keepMatchingStyles(QTextDocument &pasted, const QList<KeptStyle> &from, const KeptParts *into)
{
    QSet<std::pair<int, int>> same;
    for (const KeptStyle &s : from) {
        const KeptStyle *there = into ? into->style(s.kind, s.number) : nullptr;
        if (there && there->name == s.name)
            same.insert({int(s.kind), s.number});
    }
    const auto kept = [&same](KeptStyle::Kind kind, int number) {
        return number < 0 || same.contains({int(kind), number});
    };
    // Gathered first: changing a format while walking may merge fragments.
    QList<std::pair<int, QTextBlockFormat>> blocks;
    QList<std::tuple<int, int, QTextCharFormat>> runs;
    for (QTextBlock block = pasted.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat bf = block.blockFormat();
        if (!kept(KeptStyle::Kind::Paragraph, paragraphStyleOf(bf))) {
            bf.clearProperty(ParagraphStyleProperty);
            blocks.append({block.position(), bf});
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat cf = fragment.charFormat();
            if (kept(KeptStyle::Kind::Character, characterStyleOf(cf)))
                continue;
            cf.clearProperty(CharacterStyleProperty);
            runs.append({fragment.position(), fragment.length(), cf});
        }
    }
    QTextCursor cursor(&pasted);
    for (const auto &[position, format] : std::as_const(blocks)) {
        cursor.setPosition(position);
        cursor.setBlockFormat(format);
    }
    for (const auto &[position, length, format] : std::as_const(runs)) {
        cursor.setPosition(position);
        cursor.setPosition(position + length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
}

} // namespace kelmora::model
