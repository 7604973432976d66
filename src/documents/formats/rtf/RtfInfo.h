#pragma once
// \info: the document's title, author, dates, counts and the like, each kept
// as the file gave it (model::KeptInfoEntry); and the small text groups of
// annotations (\atnid, \atnauthor, \atndate), which name who wrote one and
// when. Text is decoded in the document's code page.

#include "formats/codepages/CodePage.h"
#include "model/KeptParts.h"
#include "RtfDestination.h"
#include "RtfKept.h"
#include "RtfProperties.h"

namespace kelmora::formats {

class RtfInfoReader final : public RtfDestination {
public:
    RtfInfoReader(RtfGroupControl &control, const RtfDocumentSettings &settings, CodePageDecoders &decoders,
                  RtfKeptContext &context)
        : m_control(control), m_settings(settings), m_decoders(decoders), m_context(context)
    {
    }
    bool begin(GroupState &group, Kw word) override;
    bool joinsBytes() const override { return true; }
    void bytes(GroupState &group, QByteArrayView bytes) override;
    void unicode(GroupState &group, char16_t c) override;
    void word(GroupState &group, Kw word, const RtfToken &token) override;
    void end(const GroupState &closed, GroupState &parent) override;

private:
    RtfGroupControl &m_control;
    const RtfDocumentSettings &m_settings;
    CodePageDecoders &m_decoders;
    RtfKeptContext &m_context;
    model::KeptInfoEntry m_entry;
    bool m_annotation = false; // the field is an annotation's
};

} // namespace kelmora::formats
