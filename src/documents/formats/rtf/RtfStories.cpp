#include "RtfStories.h"

#include "RtfBody.h"
#include "RtfReader.h"
#include "model/DocumentModel.h"
#include "model/TextDocument.h"

#include <optional>

namespace kelmora::formats {

namespace {

std::optional<model::StoryKind> sectionStory(Kw k)
{
    using model::StoryKind;
    switch (k) {
    case Kw::Header: return StoryKind::Header;
    case Kw::Headerl: return StoryKind::HeaderLeft;
    case Kw::Headerr: return StoryKind::HeaderRight;
    case Kw::Headerf: return StoryKind::HeaderFirst;
    case Kw::Footer: return StoryKind::Footer;
    case Kw::Footerl: return StoryKind::FooterLeft;
    case Kw::Footerr: return StoryKind::FooterRight;
    case Kw::Footerf: return StoryKind::FooterFirst;
    default: return std::nullopt;
    }
}

} // namespace

const char *RtfStoryReader::refusal(const GroupState &, Kw k) const
{
    if (k == Kw::Annotation) {
        if (m_context.depth == 0 || (m_context.depth == 1 && m_context.inNote))
            return nullptr;
        return "an annotation inside a header, footer or annotation";
    }
    return m_context.depth == 0 ? nullptr : "a note inside a note or header";
}

bool RtfStoryReader::begin(GroupState &group, Kw k)
{
    // Inside a field's instruction or a table of the header a story means
    // nothing; it is stepped over as before.
    if (group.dest != Dest::Normal) {
        m_control.skipGroup();
        return true;
    }
    if (sectionStory(k) && m_context.depth > 0) {
        // LibreOffice writes the footer of a section that starts in an
        // endnote into the endnote, and reads its text as the note's: so
        // do we.
        return false;
    }
    if (const char *why = refusal(group, k)) {
        m_control.problem(QString::fromLatin1(why));
        m_control.skipGroup();
        return true;
    }
    if (!m_context.file.admitStory()) {
        m_control.problem(QStringLiteral("more than %1 headers, footers and notes").arg(RtfKeptFile::MaxStories));
        m_control.skipGroup();
        return true;
    }
    const GroupState start = group;
    const QByteArrayView content = m_control.takeGroup(); // group is gone from here on
    auto text = std::make_shared<model::TextDocument>();
    model::prepareDocument(*text);
    RtfKeptContext inner{m_context.file, m_context.depth + 1};
    inner.inNote = k == Kw::Footnote;
    const RtfReport report = RtfReader::readStory(*text, m_tables, inner, content, start);
    if (report.malformed)
        m_control.problem(report.problem);

    if (const auto kind = sectionStory(k)) {
        m_context.file.addSectionStory(*kind, std::move(text));
        return true;
    }
    auto note = std::make_shared<model::KeptNote>();
    note->text = std::move(text);
    if (k == Kw::Annotation) {
        note->kind = model::KeptNote::Kind::Annotation;
        m_context.file.takeAnnotationFields(*note);
        note->date = inner.date;
    } else {
        note->kind = inner.endnote ? model::KeptNote::Kind::Endnote : model::KeptNote::Kind::Footnote;
    }
    m_body.attachNote(note, start.chr);
    return true;
}

} // namespace kelmora::formats
