// The scrolling panel's arithmetic as tables: where the glyph and the text
// area go for panel sizes, bevels and fonts; the scroll range; the lines on
// screen at a position; the step rule; the 255-character cut; tab stops and
// alignment.

#include "about/ScrollLayout.h"

#include <QtTest>

using namespace kelmora::about;
using namespace Qt::StringLiterals;

namespace {

QStringList numbered(int n)
{
    QStringList out;
    for (int i = 0; i < n; ++i)
        out << u"satır %1"_s.arg(i);
    return out;
}

// Seven pixels a character, so widths are easy to work out by hand.
int fixedAdvance(const QString &s)
{
    return int(s.size()) * 7;
}

} // namespace

Q_DECLARE_METATYPE(PanelFrame)
Q_DECLARE_METATYPE(QList<PlacedLine>)
Q_DECLARE_METATYPE(QList<TextRun>)
Q_DECLARE_METATYPE(std::optional<int>)

class TestScrollLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layout_data();
    void layout();
    void step_data();
    void step();
    void visible_data();
    void visible();
    void cut_data();
    void cut();
    void tabs_data();
    void tabs();
    void align_data();
    void align();
};

void TestScrollLayout::layout_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addColumn<PanelFrame>("frame");
    QTest::addColumn<QSize>("glyph");
    QTest::addColumn<int>("charHeight");
    QTest::addColumn<int>("leading");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QRect>("glyphRect");
    QTest::addColumn<QRect>("textArea");
    QTest::addColumn<int>("lineHeight");
    QTest::addColumn<int>("firstLine");
    QTest::addColumn<int>("scrollRange");

    const PanelFrame flat{false, false, 1, 0};
    const QSize glyph(21, 17);
    // The team panel: 3 px inset, glyph at 61,6, text from 17 + 6 below it.
    QTest::newRow("team panel, 40 lines") << QSize(144, 224) << flat << glyph << 14 << 0 << numbered(40)
                                          << QRect(61, 6, 21, 17) << QRect(3, 29, 138, 192) << 14 << 0
                                          << 192 + 40 * 14;
    QTest::newRow("credits panel, 16 lines") << QSize(255, 214) << flat << glyph << 13 << 0 << numbered(16)
                                             << QRect(117, 6, 21, 17) << QRect(3, 29, 249, 182) << 13 << 0
                                             << 182 + 16 * 13;
    // A second font height, with external leading.
    QTest::newRow("taller font with leading") << QSize(144, 224) << flat << glyph << 16 << 3 << numbered(10)
                                              << QRect(61, 6, 21, 17) << QRect(3, 29, 138, 192) << 19 << 0
                                              << 192 + 10 * 19;
    QTest::newRow("negative leading counts 0") << QSize(144, 224) << flat << glyph << 11 << -1 << numbered(2)
                                               << QRect(61, 6, 21, 17) << QRect(3, 29, 138, 192) << 11 << 0
                                               << 192 + 2 * 11;
    // Bevels and border move everything in, and push the text down once more.
    QTest::newRow("raised bevel 2, border 1") << QSize(100, 100) << PanelFrame{true, false, 2, 1} << QSize(10, 10)
                                              << 10 << 0 << numbered(1) << QRect(45, 9, 10, 10)
                                              << QRect(6, 28, 88, 66) << 10 << 0 << 66 + 10;
    QTest::newRow("outer and inner bevel") << QSize(100, 100) << PanelFrame{true, true, 1, 0} << QSize(10, 10) << 10
                                           << 0 << numbered(1) << QRect(45, 8, 10, 10) << QRect(5, 26, 90, 69)
                                           << 10 << 0 << 69 + 10;
    QTest::newRow("bevel width without bevels") << QSize(100, 100) << PanelFrame{false, false, 4, 0} << QSize()
                                                << 10 << 0 << numbered(1) << QRect() << QRect(3, 3, 94, 94) << 10
                                                << 0 << 94 + 10;
    QTest::newRow("no glyph") << QSize(144, 224) << flat << QSize() << 14 << 0 << numbered(3) << QRect()
                              << QRect(3, 3, 138, 218) << 14 << 0 << 218 + 3 * 14;
    // Leading blank lines are skipped, later ones scroll like any other.
    QTest::newRow("first non-blank line") << QSize(144, 224) << flat << glyph << 14 << 0
                                          << QStringList{u""_s, u"   "_s, u"\t"_s, u"Ekip"_s, u""_s, u"Ad"_s}
                                          << QRect(61, 6, 21, 17) << QRect(3, 29, 138, 192) << 14 << 3
                                          << 192 + 3 * 14;
    QTest::newRow("only blank lines") << QSize(144, 224) << flat << glyph << 14 << 0
                                      << QStringList{u""_s, u" "_s} << QRect(61, 6, 21, 17)
                                      << QRect(3, 29, 138, 192) << 14 << 2 << 192;
    QTest::newRow("empty team") << QSize(144, 224) << flat << glyph << 14 << 0 << QStringList()
                                << QRect(61, 6, 21, 17) << QRect(3, 29, 138, 192) << 14 << 0 << 192;
    QTest::newRow("panel smaller than its glyph") << QSize(20, 20) << flat << glyph << 14 << 0 << numbered(1)
                                                  << QRect(0, 6, 21, 17) << QRect(3, 29, 14, 0) << 14 << 0 << 14;
}

void TestScrollLayout::layout()
{
    QFETCH(QSize, client);
    QFETCH(PanelFrame, frame);
    QFETCH(QSize, glyph);
    QFETCH(int, charHeight);
    QFETCH(int, leading);
    QFETCH(QStringList, lines);
    const ScrollLayout l = layoutPanel(client, frame, glyph, charHeight, leading, lines);
    QTEST(l.glyphRect, "glyphRect");
    QTEST(l.textArea, "textArea");
    QTEST(l.lineHeight, "lineHeight");
    QTEST(l.firstLine, "firstLine");
    QCOMPARE(l.lineCount, int(lines.size()) - l.firstLine);
    QTEST(l.scrollRange, "scrollRange");
}

void TestScrollLayout::step_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("range");
    QTest::addColumn<bool>("cycled");
    QTest::addColumn<std::optional<int>>("next");
    QTest::newRow("one pixel on") << 0 << 100 << true << std::optional<int>(1);
    QTest::newRow("last pixel before the range") << 98 << 100 << false << std::optional<int>(99);
    QTest::newRow("range reached, cycled") << 99 << 100 << true << std::optional<int>(0);
    QTest::newRow("range reached, not cycled") << 99 << 100 << false << std::optional<int>();
    QTest::newRow("beyond a range that shrank") << 150 << 100 << true << std::optional<int>(0);
    QTest::newRow("empty panel, cycled") << 0 << 0 << true << std::optional<int>(0);
}

void TestScrollLayout::step()
{
    QFETCH(int, position);
    QFETCH(int, range);
    QFETCH(bool, cycled);
    QTEST(nextScrollPosition(position, range, cycled), "next");
}

void TestScrollLayout::visible_data()
{
    QTest::addColumn<int>("firstLine");
    QTest::addColumn<int>("position");
    QTest::addColumn<QList<PlacedLine>>("lines");
    // A text area 100 high, lines 20 high; five lines from firstLine on.
    QTest::newRow("start: all below the bottom") << 0 << 0 << QList<PlacedLine>{};
    QTest::newRow("first pixel row enters") << 0 << 1 << QList<PlacedLine>{{0, 99}};
    QTest::newRow("one line and a bit") << 0 << 21 << QList<PlacedLine>{{0, 79}, {1, 99}};
    QTest::newRow("area full") << 0 << 100
                               << QList<PlacedLine>{{0, 0}, {1, 20}, {2, 40}, {3, 60}, {4, 80}};
    QTest::newRow("top lines gone") << 0 << 150 << QList<PlacedLine>{{2, -10}, {3, 10}, {4, 30}};
    QTest::newRow("last line's last pixel row") << 0 << 199 << QList<PlacedLine>{{4, -19}};
    QTest::newRow("counted from the first non-blank line") << 2 << 41
                                                           << QList<PlacedLine>{{2, 59}, {3, 79}, {4, 99}};
}

void TestScrollLayout::visible()
{
    QFETCH(int, firstLine);
    QFETCH(int, position);
    ScrollLayout l;
    l.textArea = QRect(3, 29, 138, 100);
    l.lineHeight = 20;
    l.firstLine = firstLine;
    l.lineCount = 5;
    l.scrollRange = 100 + 5 * 20;
    QTEST(visibleLines(l, position), "lines");
}

void TestScrollLayout::cut_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("drawn");
    const QString a255(255, u'a');
    QTest::newRow("short") << u"Kelmora s1.06"_s << u"Kelmora s1.06"_s;
    QTest::newRow("exactly 255") << a255 << a255;
    QTest::newRow("256") << a255 + u"b"_s << a255;
    QTest::newRow("300 Turkish letters") << QString(300, u'ş') << QString(255, u'ş');
    // A character outside the BMP straddling the cut is dropped whole.
    QTest::newRow("surrogate pair at the cut") << QString(254, u'a') + u"😀x"_s << QString(254, u'a');
    QTest::newRow("surrogate pair before the cut") << QString(253, u'a') + u"😀x"_s << QString(253, u'a') + u"😀"_s;
}

void TestScrollLayout::cut()
{
    QFETCH(QString, line);
    QTEST(cutLine(line), "drawn");
}

void TestScrollLayout::tabs_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<TextRun>>("runs");
    QTest::addColumn<int>("width");
    // Characters 7 px wide, tab stops every 56 px.
    QTest::newRow("no tab") << u"Ad"_s << QList<TextRun>{{0, u"Ad"_s}} << 14;
    QTest::newRow("tab to the first stop") << u"ab\tc"_s << QList<TextRun>{{0, u"ab"_s}, {56, u"c"_s}} << 63;
    QTest::newRow("leading tab") << u"\tx"_s << QList<TextRun>{{56, u"x"_s}} << 63;
    QTest::newRow("two tabs") << u"a\t\tb"_s << QList<TextRun>{{0, u"a"_s}, {112, u"b"_s}} << 119;
    QTest::newRow("text ending on a stop moves a whole stop on")
        << u"abcdefgh\tz"_s << QList<TextRun>{{0, u"abcdefgh"_s}, {112, u"z"_s}} << 119;
    QTest::newRow("trailing tab widens the line") << u"a\t"_s << QList<TextRun>{{0, u"a"_s}} << 56;
    QTest::newRow("ampersands are text") << u"A&B && C"_s << QList<TextRun>{{0, u"A&B && C"_s}} << 56;
    QTest::newRow("empty") << QString() << QList<TextRun>{} << 0;
}

void TestScrollLayout::tabs()
{
    QFETCH(QString, text);
    const ExpandedLine line = expandTabs(text, kTabStopChars * 7, fixedAdvance);
    QTEST(line.runs, "runs");
    QTEST(line.width, "width");
}

void TestScrollLayout::align_data()
{
    QTest::addColumn<int>("area");
    QTest::addColumn<int>("text");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("left");
    QTest::newRow("centred") << 100 << 40 << int(Qt::AlignHCenter) << 30;
    QTest::newRow("centred, odd spare") << 100 << 41 << int(Qt::AlignHCenter) << 29;
    QTest::newRow("centred, wider than the area") << 100 << 121 << int(Qt::AlignHCenter) << -11;
    QTest::newRow("left") << 100 << 40 << int(Qt::AlignLeft) << 0;
    QTest::newRow("right") << 100 << 40 << int(Qt::AlignRight) << 60;
}

void TestScrollLayout::align()
{
    QFETCH(int, area);
    QFETCH(int, text);
    QFETCH(int, alignment);
    QTEST(alignedLeft(area, text, Qt::Alignment(alignment)), "left");
}

QTEST_APPLESS_MAIN(TestScrollLayout)
#include "tst_scrolllayout.moc"
