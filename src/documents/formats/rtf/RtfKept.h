#pragma once
// The kept parts of one file while it is read (model/KeptParts.h): the
// document's settings, the section being read with its headers and footers,
// the style sheet, the information group, and the counts that number notes
// and bound the stories. The reader of the body and the readers of its
// stories share one RtfKeptFile; each reader knows where it reads through its
// RtfKeptContext. finish() hands the parts to the document.

#include "model/KeptParts.h"

#include <QHash>
#include <QString>

class QTextDocument;

namespace kelmora::formats {

class RtfKeptFile {
public:
    // Stories (headers, footers, notes, annotations) one file may hold; each
    // is a document of its own, so a file with more is refused the rest.
    static constexpr int MaxStories = 10000;
    // Each section is a paragraph format of its own; breaks past this many
    // only end their paragraph.
    static constexpr int MaxSections = 10000;

    void documentWord(model::KeptWord word);
    void sectionWord(model::KeptWord word) { section().words.set(std::move(word)); }
    // \sectd: the section's words start over (its headers stay).
    void resetSection() { section().words = model::KeptWords(); }
    void addSectionStory(model::StoryKind kind, model::Story text);
    // \sect: a new section starts with the next paragraph (past
    // MaxSections, the break is not kept and problem() says so).
    void sectionBreak();
    const QString &problem() const { return m_problem; }
    // The section the next paragraph starts, once; null when it starts none.
    model::SectionHandle takeSectionStart() { return std::exchange(m_pending, nullptr); }
    bool sectionPending() const { return m_pending != nullptr; }

    void addStyle(model::KeptStyle style);
    bool hasStyle(model::KeptStyle::Kind kind, int number) const;
    void addInfo(model::KeptInfoEntry entry) { m_parts.info.append(std::move(entry)); }

    // Counts a story against MaxStories; false when there is no room left.
    bool admitStory();
    // The number the next numbered note of kind shows, as the document's
    // settings number them (arabic, letters or roman numerals).
    QString nextNumber(model::KeptNote::Kind kind) const;
    void countNumbered(model::KeptNote::Kind kind);

    // An annotation's initials and author come before its mark and text.
    void annotationField(QByteArrayView name, const QString &text);
    void takeAnnotationFields(model::KeptNote &note);

    // Gives doc the parts read (when doc is a TextDocument).
    void finish(QTextDocument &doc);

private:
    model::KeptSection &section() { return m_section ? *m_section : m_parts.firstSection; }

    model::KeptParts m_parts;
    QHash<std::pair<int, int>, qsizetype> m_styleIndex; // (kind, number) -> index in m_parts.styles
    std::shared_ptr<model::KeptSection> m_section; // null: the first section
    model::SectionHandle m_pending;
    int m_stories = 0;
    int m_sections = 0;
    QString m_problem;
    int m_footnotes = 0;
    int m_endnotes = 0;
    QString m_initials;
    QString m_author;
};

// Where one reader reads: the document's body (depth 0), or a story of it
// (depth 1), or an annotation inside a note (depth 2).
struct RtfKeptContext {
    RtfKeptContext(RtfKeptFile &kept, int storyDepth) : file(kept), depth(storyDepth) {}

    RtfKeptFile &file;
    int depth = 0;
    bool inNote = false;   // the story is a foot- or endnote
    bool endnote = false;  // \ftnalt was read in it
    QString date;          // \atndate read in an annotation's story
};

} // namespace kelmora::formats
