#pragma once
// \stylesheet: each entry's kind and number (\sN paragraph, \csN character,
// \dsN section, \tsN table), its name, its character and paragraph
// properties (read as the body reads them, so its font is a face, not a
// number of this file's font table; only those the entry states) and the
// words kept as written (spacing, outline level, \sbasedon, \snext, ...).
// Entries are usually groups of their own; an entry ends at its ";" or with
// its group.

#include "formats/codepages/CodePage.h"
#include "model/KeptParts.h"
#include "RtfDestination.h"
#include "RtfKept.h"
#include "RtfProperties.h"

namespace kelmora::formats {

class RtfBody;

class RtfStyleSheetReader final : public RtfDestination {
public:
    // Entries a sheet may hold; more are dropped and reported.
    static constexpr int MaxStyles = 10000;

    RtfStyleSheetReader(RtfGroupControl &control, const RtfDocumentSettings &settings, CodePageDecoders &decoders,
                        RtfKeptContext &context, const RtfBody &body)
        : m_control(control), m_settings(settings), m_decoders(decoders), m_context(context), m_body(body)
    {
    }
    bool begin(GroupState &group, Kw word) override;
    bool joinsBytes() const override { return true; }
    void bytes(GroupState &group, QByteArrayView bytes) override;
    void unicode(GroupState &group, char16_t c) override;
    void word(GroupState &group, Kw word, const RtfToken &token) override;
    void end(const GroupState &closed, GroupState &parent) override;

private:
    void endEntry(GroupState &state);

    RtfGroupControl &m_control;
    const RtfDocumentSettings &m_settings;
    CodePageDecoders &m_decoders;
    RtfKeptContext &m_context;
    const RtfBody &m_body;
    model::KeptStyle m_entry;
    QList<int> m_stated;      // the character format properties the entry states
    bool m_statesAlignment = false;
    bool m_statesIndents = false;
    bool m_inEntry = false;
    int m_count = 0;
};

} // namespace kelmora::formats
