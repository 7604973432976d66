#pragma once
// Headers, footers, foot- and endnotes and annotations: each group is read by
// a reader of its own into a document of its own (RtfReader::readStory),
// sharing the file's tables, so its fonts, colours and styles mean what they
// mean in the body. Headers and footers go to the section being read; notes
// and annotations are attached to their mark in the text.
//
// Where a story may stand is bounded: headers, footers and notes in the
// document's body, annotations there or in a note. Anything else (a note in
// a note, a header in a footnote) and stories past RtfKeptFile::MaxStories
// are skipped and reported, so the reader stays linear: every byte is read
// at most three times.

#include "RtfDestination.h"
#include "RtfKept.h"

namespace kelmora::formats {

class RtfBody;
struct RtfFileTables;

class RtfStoryReader final : public RtfDestination {
public:
    RtfStoryReader(RtfGroupControl &control, RtfFileTables &tables, RtfKeptContext &context, RtfBody &body)
        : m_control(control), m_tables(tables), m_context(context), m_body(body)
    {
    }
    bool begin(GroupState &group, Kw word) override;

private:
    // Why a story of word may not start in group, or nothing when it may.
    const char *refusal(const GroupState &group, Kw word) const;

    RtfGroupControl &m_control;
    RtfFileTables &m_tables;
    RtfKeptContext &m_context;
    RtfBody &m_body;
};

} // namespace kelmora::formats
