#pragma once
// The arithmetic of a scrolling panel, free of widgets so it can be checked
// as tables: where the glyph and the text area go, how tall a line is, how far
// the text scrolls, which lines show at a scroll position, and how one line is
// cut, tab-expanded and aligned. TSecretPanel draws exactly what these say.

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace kelmora::about {

// The panel's frame: an outer and an inner bevel, each bevelWidth wide when
// present, and a border of borderWidth between them.
struct PanelFrame {
    bool outerBevel = false;
    bool innerBevel = false;
    int bevelWidth = 1;
    int borderWidth = 0;

    int width() const { return (outerBevel ? bevelWidth : 0) + (innerBevel ? bevelWidth : 0) + borderWidth; }
};

struct ScrollLayout {
    QRect glyphRect;     // in client coordinates; empty without a glyph
    QRect textArea;      // in client coordinates; never of negative size
    int lineHeight = 0;  // character height plus external leading
    int firstLine = 0;   // index of the first line that is not blank
    int lineCount = 0;   // lines from firstLine to the end
    int scrollRange = 0; // text area height plus lineCount line heights
};

// The index of the first line that is not blank after trimming; lines.size()
// when there is none.
int firstNonBlankLine(const QStringList &lines);

// The layout for a client area of size client. The text area is the client
// area inset by the frame width plus 3 pixels; a glyph is centred
// horizontally 3 pixels below its top, and the text area then starts 6 pixels
// plus the frame width below the glyph. A negative external leading counts 0.
ScrollLayout layoutPanel(QSize client, const PanelFrame &frame, QSize glyph, int charHeight, int externalLeading,
                         const QStringList &lines);

// The position after one step: one pixel further, back to 0 on reaching the
// range when cycled; nullopt when a panel that is not cycled has run out.
std::optional<int> nextScrollPosition(int position, int range, bool cycled);

// A line on screen: its index into the panel's lines and the top of its box
// within the text area (0 is the text area's top edge).
struct PlacedLine {
    int index = 0;
    int top = 0;

    friend bool operator==(const PlacedLine &, const PlacedLine &) = default;
};

// The lines that show at position: the first one's top is the text area's
// height minus the position, each further one a line height lower; lines
// wholly above the top are left out, and the list ends at the first line
// whose top is at or below the bottom edge.
QList<PlacedLine> visibleLines(const ScrollLayout &layout, int position);

// Longest line a panel draws, in UTF-16 code units.
inline constexpr int kMaxLineLength = 255;

// The line as drawn: cut to kMaxLineLength code units, never leaving half
// of a surrogate pair at the end.
QString cutLine(const QString &line);

// A piece of a line between tabs, at x pixels from the line's start.
struct TextRun {
    int x = 0;
    QString text;

    friend bool operator==(const TextRun &, const TextRun &) = default;
};

struct ExpandedLine {
    QList<TextRun> runs;
    int width = 0;
};

// Splits text at its tabs; each tab moves on to the next multiple of
// tabWidth. advance(s) is the drawn width of s. "&" is ordinary text.
ExpandedLine expandTabs(const QString &text, int tabWidth, const std::function<int(const QString &)> &advance);

// The x of a line of width textWidth in an area of areaWidth: left, right or
// centred (rounding down, negative when the line is wider than the area).
int alignedLeft(int areaWidth, int textWidth, Qt::Alignment alignment);

// Tab stops are eight average character widths apart.
inline constexpr int kTabStopChars = 8;

} // namespace kelmora::about
