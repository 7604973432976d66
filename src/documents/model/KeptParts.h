#pragma once
// What a document file holds that the editor does not show but keeps, so that
// saving gives it back where it was: page setup and other document settings,
// the sections with their headers and footers, the style sheet, the
// document's information (title, author, dates), and foot- and endnotes and
// annotations.
//
// The document-wide parts live in KeptParts, owned by the TextDocument; the
// editor never changes them. What sits at a place in the text travels in the
// text's own formats, so that editing, undo and the clipboard carry it like
// any other formatting:
//   - a note in the format of the character(s) of its mark (NotesProperty);
//     deleting the mark deletes the note, undo brings both back;
//   - a section break in the format of the section's first paragraph
//     (SectionStartProperty); paragraphs split from it share its handle, so
//     only the first paragraph with a new handle starts a section;
//   - a paragraph's or a run's style number (ParagraphStyleProperty,
//     CharacterStyleProperty), meaningful through the style sheet.
// Stories (a header's, a note's text) are documents of their own, shared and
// never changed after reading. Settings whose values refer to no table are
// kept as the file's words (KeptWord), the rest as formats.

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QTextFormat>

#include <memory>
#include <optional>

class QTextDocument;

namespace kelmora::model {

class TextDocument;

enum KeptProperty {
    NotesProperty = QTextFormat::UserProperty + 0x4b80, // NoteMarks
    NoteNumberProperty,                                  // bool: the character shows a note's number
    CharacterStyleProperty,                              // int: a character style's number
    ParagraphStyleProperty,                              // int: a paragraph style's number
    SectionStartProperty,                                // Section: the paragraph starts this section
    // Qt hashes formats by their built-in property values only; these ints,
    // drawn from the handles above, keep formats of different notes and
    // sections from sharing one hash (which made reading quadratic).
    NotesKeyProperty,
    SectionKeyProperty,
};

// A setting as the file wrote it: its name and number, none for a switch.
struct KeptWord {
    QByteArray name;
    std::optional<int> value;
    friend bool operator==(const KeptWord &, const KeptWord &) = default;
};

// Words in the order they take effect: setting one drops an earlier word of
// the same name, so the list never outgrows the names it may hold.
class KeptWords {
public:
    void set(KeptWord word);
    const KeptWord *find(QByteArrayView name) const;
    const QList<KeptWord> &list() const { return m_words; }
    bool isEmpty() const { return m_words.isEmpty(); }
    friend bool operator==(const KeptWords &, const KeptWords &) = default;

private:
    QList<KeptWord> m_words;
};

// The text of a header, footer or note: read-only once read.
using Story = std::shared_ptr<const TextDocument>;

enum class StoryKind { Header, HeaderLeft, HeaderRight, HeaderFirst, Footer, FooterLeft, FooterRight, FooterFirst };

struct SectionStory {
    StoryKind kind = StoryKind::Header;
    Story text;
};

// A section's page setup, columns, break and numbering words, and its
// headers and footers in file order.
struct KeptSection {
    KeptWords words;
    QList<SectionStory> stories;
    bool isEmpty() const { return words.isEmpty() && stories.isEmpty(); }
};
using SectionHandle = std::shared_ptr<const KeptSection>;

struct KeptNote {
    enum class Kind { Footnote, Endnote, Annotation };
    Kind kind = Kind::Footnote;
    // The mark is the note's number, counted by whoever shows it; otherwise
    // the mark is the text it is attached to (a "*", an annotated word).
    bool numbered = true;
    Story text;
    // Annotations: who wrote it and when, as the file gave them.
    QString initials;
    QString author;
    QString date;
};
using Note = std::shared_ptr<const KeptNote>;

// The notes attached to one character, in file order. Equal when they are
// the same notes (not equal texts), so marks of different notes never merge.
struct NoteMarks {
    QList<Note> notes;
    friend bool operator==(const NoteMarks &, const NoteMarks &) = default;
};

struct KeptStyle {
    enum class Kind { Paragraph, Character, Section, Table };
    Kind kind = Kind::Paragraph;
    int number = 0;
    QString name;
    QTextCharFormat characters; // face, size, style, colours as the body's runs hold them
    QTextBlockFormat paragraph; // alignment and indents as the body's paragraphs hold them
    KeptWords words;            // spacing, outline level, based-on and next style, ...
};

// One entry of the document's information: a text ({\title ...}), a number
// ({\nofpages3}) or a date ({\creatim\yr2024\mo5...}, its parts in words).
struct KeptInfoEntry {
    QByteArray name;
    std::optional<int> value;
    QString text;
    KeptWords words;
};

// The document-wide kept parts. A new document has none; reading a file
// replaces them all; nothing in the editor changes them.
struct KeptParts {
    KeptWords document;      // paper size, margins, orientation, note settings, ...
    KeptSection firstSection; // the section the document starts with
    QList<KeptStyle> styles;
    QList<KeptInfoEntry> info;

    bool isEmpty() const { return document.isEmpty() && firstSection.isEmpty() && styles.isEmpty() && info.isEmpty(); }
    const KeptStyle *style(KeptStyle::Kind kind, int number) const;
};

// The kept parts of doc, or nothing when doc is not a TextDocument.
const KeptParts *keptPartsOf(const QTextDocument &doc);
KeptParts *keptPartsOf(QTextDocument &doc);

// What a format carries: the notes of a mark (empty for other text), whether
// it shows a note's number, a style number (-1 for none) and the section a
// paragraph starts (null for none).
QList<Note> notesOf(const QTextFormat &format);
bool isNoteNumber(const QTextFormat &format);
int characterStyleOf(const QTextFormat &format);
int paragraphStyleOf(const QTextFormat &format);
SectionHandle sectionStartOf(const QTextFormat &format);
void setNotes(QTextFormat &format, const NoteMarks &marks);
void setSectionStart(QTextFormat &format, const SectionHandle &section);

// The format for text typed right after a mark: the mark's own format
// without its notes (and, after a note's number, without the number's
// superscript and style), so typing never extends a mark. False when format
// carries no mark and is left as it is.
bool dropMarks(QTextCharFormat &format);

// Pasted text keeps a style number only where this document's style sheet
// has the same style (kind, number and name) as the sheet it came with.
void keepMatchingStyles(QTextDocument &pasted, const QList<KeptStyle> &from, const KeptParts *into);

} // namespace kelmora::model

Q_DECLARE_METATYPE(kelmora::model::NoteMarks)
Q_DECLARE_METATYPE(kelmora::model::SectionHandle)
