#pragma once
// Fields: {\field{\*\fldinst INSTRUCTION}{\fldrslt RESULT}}. The result is
// the document's text, as it always was; a HYPERLINK instruction makes that
// text a link. The instruction's text is gathered across its groups and runs
// (writers split it), decoded like any text, and read once its group closes;
// the link it names gets a number in the link table, which the result's
// character state carries (CharState::link).
//
// Reading and writing the instruction are free functions: parseHyperlink
// understands the quoted and unquoted forms, escaped backslashes and quotes,
// \l (a place in the target), \o (the tooltip) and steps over the switches
// it does not show; hyperlinkInstruction writes a link back with the
// instruction it was read from while that still names its target.

#include "RtfDestination.h"
#include "RtfProperties.h"
#include "model/Links.h"

#include <QList>
#include <QString>

#include <optional>

namespace kelmora::formats {

class RtfBody;

// The link a field instruction names, or nothing when it is not a
// HYPERLINK field or names no target. The whole instruction is kept.
std::optional<model::Link> parseHyperlink(QStringView instruction);
// The instruction to write for link (without the RTF escapes).
QString hyperlinkInstruction(const model::Link &link);

// The links of a document by number, from 1.
class RtfLinkTable {
public:
    int add(model::Link link);
    const model::Link *find(int number) const;

private:
    QList<model::Link> m_links;
};

// \field, \fldinst and \fldrslt.
class RtfFieldReader final : public RtfDestination {
public:
    // Longer instructions are cut there and reported.
    static constexpr qsizetype MaxInstruction = 32768;

    RtfFieldReader(RtfLinkTable &links, RtfDocumentSettings &settings, RtfBody &body, RtfGroupControl &control)
        : m_links(links), m_settings(settings), m_body(body), m_control(control)
    {
    }
    bool begin(GroupState &group, Kw word) override;
    bool joinsBytes() const override { return true; }
    void bytes(GroupState &group, QByteArrayView bytes) override;
    void unicode(GroupState &group, char16_t c) override;
    void word(GroupState &group, Kw word, const RtfToken &token) override;
    void end(const GroupState &closed, GroupState &parent) override;

private:
    struct OpenField {
        QString instruction;
        int link = 0;
    };
    void appendInstruction(QStringView text);

    RtfLinkTable &m_links;
    RtfDocumentSettings &m_settings;
    RtfBody &m_body;
    RtfGroupControl &m_control;
    QList<OpenField> m_open; // innermost last
    QString m_decoded;
};

} // namespace kelmora::formats
