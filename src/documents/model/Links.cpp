#include "Links.h"

#include <QTextBlock>
#include <QTextCursor>

namespace kelmora::model {

namespace {

// The character part of a format: a picture's format passes on its face,
// size and style to typed text, never the picture.
QTextCharFormat textPart(QTextCharFormat format)
{
    for (int p : {int(QTextFormat::ObjectType), int(QTextFormat::ImageName), int(QTextFormat::ImageWidth),
                  int(QTextFormat::ImageHeight), int(QTextFormat::ImageQuality)})
        format.clearProperty(p);
    return format;
}

} // namespace

void setLink(QTextCharFormat &format, const Link &link)
{
    format.setAnchor(true);
    format.setAnchorHref(link.target);
    if (link.toolTip.isEmpty())
        format.clearProperty(QTextFormat::TextToolTip);
    else
        format.setToolTip(link.toolTip);
    if (link.kept.isEmpty())
        format.clearProperty(LinkKeptProperty);
    else
        format.setProperty(LinkKeptProperty, link.kept);
}

std::optional<Link> linkOf(const QTextCharFormat &format)
{
    if (!format.isAnchor() || format.anchorHref().isEmpty())
        return std::nullopt;
    return Link{format.anchorHref(), format.toolTip(), format.stringProperty(LinkKeptProperty)};
}

QTextCharFormat withoutLink(QTextCharFormat format)
{
    for (int p : {int(QTextFormat::IsAnchor), int(QTextFormat::AnchorHref), int(QTextFormat::AnchorName),
                  int(QTextFormat::TextToolTip), LinkKeptProperty})
        format.clearProperty(p);
    return format;
}

std::optional<QTextCharFormat> typingFormatAfterLink(const QTextCursor &cursor)
{
    if (cursor.hasSelection())
        return std::nullopt;
    const QTextBlock block = cursor.block();
    const int offset = cursor.position() - block.position();
    if (offset == 0)
        return std::nullopt;
    // One walk over the paragraph's fragments up to the caret: the link of
    // the run of fragments that ends there, and the format just before it.
    std::optional<Link> runLink;
    std::optional<QTextCharFormat> beforeRun;
    QTextCharFormat last;
    bool any = false;
    QTextBlock::iterator it = block.begin();
    for (; !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const int start = fragment.position() - block.position();
        if (start >= offset)
            break;
        if (start + fragment.length() > offset)
            return std::nullopt; // the caret is inside one run
        const QTextCharFormat format = fragment.charFormat();
        std::optional<Link> link = linkOf(format);
        if (!any || link != runLink) {
            beforeRun = any ? std::optional<QTextCharFormat>(last) : std::nullopt;
            runLink = std::move(link);
        }
        last = format;
        any = true;
    }
    if (!runLink)
        return std::nullopt;
    if (!it.atEnd() && linkOf(it.fragment().charFormat()) == runLink)
        return std::nullopt; // inside the link
    if (beforeRun)
        return textPart(withoutLink(*beforeRun));
    QTextCharFormat format = textPart(withoutLink(last));
    format.setFontUnderline(false);
    format.clearForeground();
    return format;
}

} // namespace kelmora::model
