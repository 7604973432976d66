#include "KeptParts.h"

#include "TextDocument.h"

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

} // namespace kelmora::model
