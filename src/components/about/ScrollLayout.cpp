#include "ScrollLayout.h"

#include <algorithm>

namespace kelmora::about {

int firstNonBlankLine(const QStringList &lines)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!lines.at(i).trimmed().isEmpty())
            return int(i);
    }
    return int(lines.size());
}

ScrollLayout layoutPanel(QSize client, const PanelFrame &frame, QSize glyph, int charHeight, int externalLeading,
                         const QStringList &lines)
{
    ScrollLayout out;
    const int inset = frame.width() + 3;
    int left = inset;
    int top = inset;
    const int right = client.width() - inset;   // exclusive
    const int bottom = client.height() - inset; // exclusive
    if (!glyph.isEmpty()) {
        const int gx = left + (right - left - glyph.width()) / 2;
        const int gy = top + 3;
        out.glyphRect = QRect(gx, gy, glyph.width(), glyph.height());
        top = gy + glyph.height() + 6 + frame.width();
    }
    out.textArea = QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
    out.lineHeight = charHeight + std::max(0, externalLeading);
    out.firstLine = firstNonBlankLine(lines);
    out.lineCount = int(lines.size()) - out.firstLine;
    out.scrollRange = out.textArea.height() + out.lineCount * out.lineHeight;
    return out;
}

std::optional<int> nextScrollPosition(int position, int range, bool cycled)
{
    const int next = position + 1;
    if (next < range)
        return next;
    if (cycled)
        return 0;
    return std::nullopt;
}

QList<PlacedLine> visibleLines(const ScrollLayout &layout, int position)
{
    QList<PlacedLine> out;
    const int height = layout.textArea.height();
    if (layout.lineHeight <= 0)
        return out;
    int top = height - position;
    for (int i = 0; i < layout.lineCount; ++i, top += layout.lineHeight) {
        if (top >= height)
            break;
        if (top + layout.lineHeight <= 0)
            continue;
        out.append({layout.firstLine + i, top});
    }
    return out;
}

QString cutLine(const QString &line)
{
    if (line.size() <= kMaxLineLength)
        return line;
    qsizetype n = kMaxLineLength;
    if (line.at(n - 1).isHighSurrogate())
        --n;
    return line.left(n);
}

ExpandedLine expandTabs(const QString &text, int tabWidth, const std::function<int(const QString &)> &advance)
{
    ExpandedLine out;
    int x = 0;
    qsizetype start = 0;
    const auto flush = [&](qsizetype end) {
        if (end > start) {
            const QString piece = text.mid(start, end - start);
            out.runs.append({x, piece});
            x += advance(piece);
        }
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('\t'))
            continue;
        flush(i);
        if (tabWidth > 0)
            x = (x / tabWidth + 1) * tabWidth;
        start = i + 1;
    }
    flush(text.size());
    out.width = x;
    return out;
}

int alignedLeft(int areaWidth, int textWidth, Qt::Alignment alignment)
{
    if (alignment & Qt::AlignRight)
        return areaWidth - textWidth;
    if (alignment & Qt::AlignHCenter) {
        const int spare = areaWidth - textWidth;
        // Round towards minus infinity, so an overlong line is cut evenly.
        return spare >= 0 ? spare / 2 : -((-spare + 1) / 2);
    }
    return 0;
}

} // namespace kelmora::about
