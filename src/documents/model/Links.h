#pragma once
// Links in a document. A link is a property of the characters it covers: Qt's
// anchor with its href (the target), the tooltip, and, kept beside them, the
// whole instruction the file gave (switches a link may carry that the editor
// does not show), written back as long as the target is the one it names.
// The link's look (colour, underline) is ordinary character formatting, as
// the file gives it.
//
// Typing right after a link's last character does not extend the link: the
// text typed there takes the formatting of the text before the link in the
// same paragraph; a link that starts its paragraph passes on its own
// formatting without the link, its underline and its colour. Typing inside a
// link edits the link's text.

#include <QString>
#include <QTextCharFormat>

#include <optional>

class QTextCursor;

namespace kelmora::model {

inline constexpr int LinkKeptProperty = QTextFormat::UserProperty + 0x4b10;

struct Link {
    QString target;  // an address, a file, or "#name" for a place in the document
    QString toolTip; // empty: none
    QString kept;    // the file's own instruction for the link, or empty
    friend bool operator==(const Link &, const Link &) = default;
};

void setLink(QTextCharFormat &format, const Link &link);
// The link format carries, or nothing when it carries none.
std::optional<Link> linkOf(const QTextCharFormat &format);
// format without any of the link's properties.
QTextCharFormat withoutLink(QTextCharFormat format);

// With nothing selected and the caret right after a link's last character,
// the format the next typed text takes (see above); otherwise nothing, and
// Qt's own choice (the character before the caret) stands.
std::optional<QTextCharFormat> typingFormatAfterLink(const QTextCursor &cursor);

} // namespace kelmora::model
