// The text attributes of selections, headless: the style set every selected
// character has (paragraph ends are no characters), the first character's
// face, size and colour, and the face cut shared by the surface, the RTF
// writer and kelmora-doc.

#include "FormatTestSupport.h"

#include "docdump/DocumentDump.h"
#include "formats/DocumentIO.h"
#include "model/CharacterFormat.h"
#include "model/SelectionFormat.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextImageFormat>
#include <QTextTable>

#include <algorithm>
#include <QTextCursor>

using namespace kelmora;
using namespace kelmora::model;
using namespace Qt::StringLiterals;

namespace {

// A run of text; "\n" in it ends a paragraph, and the paragraph end takes
// the run's format, as Enter typed with that format does.
struct Run {
    QString text;
    FontStyles styles;
    QString face = {};
    double size = 0; // 0: the document's default
    QColor colour = {};
};

std::unique_ptr<QTextDocument> documentOf(const QList<Run> &runs)
{
    auto doc = formats::test::newDocument();
    QTextCursor c(doc.get());
    for (const Run &r : runs) {
        QTextCharFormat f = styleFormat(r.styles);
        if (!r.face.isEmpty())
            f.setFontFamilies(QStringList{r.face});
        if (r.size > 0)
            f.setFontPointSize(r.size);
        if (r.colour.isValid())
            f.setForeground(r.colour);
        c.insertText(r.text, f);
    }
    return doc;
}

SelectionLook lookOf(const QTextDocument &doc, int anchor, int position)
{
    QTextCursor c(const_cast<QTextDocument *>(&doc));
    c.setPosition(anchor);
    c.setPosition(position, QTextCursor::KeepAnchor);
    return selectionLook(c);
}

// The characters Qt keeps at a table's start and end (QTextFrame's).
constexpr QChar kTableStart(0xfdd0);
constexpr QChar kTableEnd(0xfdd1);

const QString kLongFace = u"Deneme Yazi Tipi Otuz Bir Karakterden Uzun"_s; // 42 characters

} // namespace

Q_DECLARE_METATYPE(QList<Run>)

class TestSelectionFormat : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void styleSet_data();
    void styleSet();
    void firstCharacterLook_data();
    void firstCharacterLook();
    void caretReportsTheTextItWouldType();
    void longFaceReadFromFileShowsDumpsAndSavesCut();
    void agreesWithEachCharacterRead();
};

void TestSelectionFormat::styleSet_data()
{
    QTest::addColumn<QList<Run>>("runs");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("position");
    QTest::addColumn<FontStyles>("expected");
    const FontStyles bold = FontStyle::Bold;
    const FontStyles boldItalic = FontStyle::Bold | FontStyle::Italic;
    const FontStyles underline = FontStyle::Underline;
    QTest::newRow("every character bold") << QList<Run>{{u"kalın"_s, bold}} << 0 << 5 << bold;
    QTest::newRow("italic on part only") << QList<Run>{{u"yarı"_s, boldItalic}, {u" eğik"_s, bold}} << 0 << 9
                                         << bold;
    QTest::newRow("backwards selection") << QList<Run>{{u"yarı"_s, boldItalic}, {u" eğik"_s, bold}} << 4 << 0
                                         << boldItalic;
    QTest::newRow("nothing in common") << QList<Run>{{u"a"_s, bold}, {u"b"_s, underline}, {u"c"_s, bold}} << 0
                                       << 3 << FontStyles();
    // "ab" underlined, its paragraph end plain: Shift+Right at the line end
    // reports the text before it, as a caret at the line end does.
    QTest::newRow("line end, Shift+Right")
        << QList<Run>{{u"ab"_s, underline}, {u"\n"_s, {}}, {u"cd"_s, bold}} << 2 << 3 << underline;
    QTest::newRow("line end, Shift+Left from the next line")
        << QList<Run>{{u"ab"_s, underline}, {u"\n"_s, {}}, {u"cd"_s, bold}} << 3 << 2 << underline;
    // An empty line between two paragraphs: its paragraph end is all there is.
    QTest::newRow("empty line") << QList<Run>{{u"üst\n"_s, bold}, {u"\n"_s, FontStyle::Italic}, {u"alt"_s, bold}}
                                << 4 << 5 << bold;
    QTest::newRow("several empty lines")
        << QList<Run>{{u"ab"_s, {}}, {u"\n\n\n"_s, FontStyle::StrikeOut}} << 3 << 5 << FontStyles(FontStyle::StrikeOut);
    // A caret on an empty first line reports the first paragraph's own format.
    QTest::newRow("empty lines at the start") << QList<Run>{{u"\n\n"_s, FontStyle::StrikeOut}} << 0 << 2
                                              << FontStyles();
    // A paragraph end inside the selection takes no part in the intersection.
    QTest::newRow("bold run and a plain paragraph end")
        << QList<Run>{{u"ab"_s, boldItalic}, {u"\n"_s, {}}, {u"cd"_s, bold}} << 0 << 5 << bold;
    QTest::newRow("mixed run and its paragraph end")
        << QList<Run>{{u"a"_s, boldItalic}, {u"b"_s, bold}, {u"\n"_s, underline}} << 0 << 3 << bold;
    QTest::newRow("selection starting at a paragraph end")
        << QList<Run>{{u"ab"_s, {}}, {u"\n"_s, {}}, {u"cd"_s, underline}} << 2 << 5 << underline;
    QTest::newRow("paragraph ends then plain text")
        << QList<Run>{{u"ab\n"_s, bold}, {u"\n"_s, bold}, {u"cd"_s, {}}} << 2 << 6 << FontStyles();
}

void TestSelectionFormat::styleSet()
{
    QFETCH(QList<Run>, runs);
    QFETCH(int, anchor);
    QFETCH(int, position);
    QFETCH(FontStyles, expected);
    const auto doc = documentOf(runs);
    QCOMPARE(lookOf(*doc, anchor, position).styles, expected);
}

void TestSelectionFormat::firstCharacterLook_data()
{
    QTest::addColumn<QList<Run>>("runs");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("size");
    QTest::addColumn<QColor>("colour"); // invalid: automatic
    const QColor red(200, 0, 0);
    const QColor blue(0, 0, 200);
    QTest::newRow("first of two runs")
        << QList<Run>{{u"ab"_s, {}, u"Liberation Mono"_s, 14.5, red}, {u"cd"_s, {}, u"Liberation Serif"_s, 9, blue}}
        << 0 << 4 << u"Liberation Mono"_s << 14 << red;
    QTest::newRow("from the second run on")
        << QList<Run>{{u"ab"_s, {}, u"Liberation Mono"_s, 14, red}, {u"cd"_s, {}, u"Liberation Serif"_s, 9.95, blue}}
        << 3 << 4 << u"Liberation Serif"_s << 9 << blue;
    QTest::newRow("no face, size or colour of its own")
        << QList<Run>{{u"ab"_s, {}}} << 0 << 2 << u"Arial"_s << 12 << QColor();
    QTest::newRow("a long face is cut") << QList<Run>{{u"ab"_s, {}, kLongFace, 10}} << 0 << 2
                                        << kLongFace.left(31) << 10 << QColor();
    QTest::newRow("a paragraph end first is passed over")
        << QList<Run>{{u"ab\n"_s, {}, u"Liberation Mono"_s, 20, red}, {u"cd"_s, {}, u"Liberation Serif"_s, 8, blue}}
        << 2 << 4 << u"Liberation Serif"_s << 8 << blue;
    QTest::newRow("only a paragraph end: the text before it")
        << QList<Run>{{u"ab"_s, {}, u"Liberation Mono"_s, 20, red}, {u"\n"_s, {}, u"Liberation Sans"_s, 8, blue}}
        << 2 << 3 << u"Liberation Mono"_s << 20 << red;
}

void TestSelectionFormat::firstCharacterLook()
{
    QFETCH(QList<Run>, runs);
    QFETCH(int, anchor);
    QFETCH(int, position);
    QFETCH(QString, face);
    QFETCH(int, size);
    QFETCH(QColor, colour);
    const auto doc = documentOf(runs);
    const SelectionLook look = lookOf(*doc, anchor, position);
    QCOMPARE(look.face, face);
    QCOMPARE(look.size, size);
    QCOMPARE(look.colour.value_or(QColor()), colour);
}

void TestSelectionFormat::caretReportsTheTextItWouldType()
{
    const auto doc = documentOf({{u"ab"_s, FontStyle::Italic, u"Liberation Mono"_s, 16}});
    QTextCursor c(doc.get());
    c.setPosition(2);
    QCOMPARE(selectionLook(c).styles, FontStyles(FontStyle::Italic));
    // A format set for the text typed next is what the caret reports.
    c.mergeCharFormat(styleFormat(FontStyle::Bold));
    c.mergeCharFormat(colourFormat(QColor(Qt::red)));
    QCOMPARE(selectionLook(c).styles, FontStyles(FontStyle::Bold));
    QCOMPARE(selectionLook(c).colour, std::optional<QColor>(QColor(Qt::red)));
    // Writing the automatic colour leaves no colour of its own.
    c.mergeCharFormat(colourFormat(std::nullopt));
    QCOMPARE(selectionLook(c).colour, std::nullopt);
    c.insertText(u"x"_s);
    QCOMPARE(lookOf(*doc, 2, 3), (SelectionLook{u"Liberation Mono"_s, 16, FontStyle::Bold, std::nullopt}));
}

void TestSelectionFormat::longFaceReadFromFileShowsDumpsAndSavesCut()
{
    const QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 " + kLongFace.toUtf8() +
                           ";}}\\f1 uzun\\par}";
    auto doc = formats::test::newDocument();
    formats::LoadResult loaded;
    loaded.report = formats::readRtf(*doc, rtf);
    const QString cut = kLongFace.left(31);
    QCOMPARE(lookOf(*doc, 0, 4).face, cut);
    const QByteArray dump = tools::dumpJson(*doc, loaded);
    QVERIFY(dump.contains(QByteArray("\"face\": \"" + cut.toUtf8() + "\"")));
    QVERIFY(!dump.contains(kLongFace.toUtf8()));
    const QByteArray saved = formats::toRtf(*doc);
    QVERIFY(!saved.contains(kLongFace.toUtf8()));
    auto again = formats::test::newDocument();
    formats::readRtf(*again, saved);
    QCOMPARE(lookOf(*again, 0, 4).face, cut);
}

// The one pass reads Qt's fragment map directly; whatever the document and
// the selection, it must agree with reading every selected character through
// Qt's public cursor API (paragraph ends skipped, the caret's look when only
// those are selected). Documents of random runs, empty paragraphs, faces,
// sizes, colours and pictures, edited afterwards so that fragments split.
void TestSelectionFormat::agreesWithEachCharacterRead()
{
    QRandomGenerator rng(20261209);
    const QStringList faces = {u"Arial"_s, u"Times New Roman"_s, kLongFace};
    for (int round = 0; round < 40; ++round) {
        auto doc = formats::test::newDocument();
        QTextCursor c(doc.get());
        const int runs = rng.bounded(1, 30);
        for (int i = 0; i < runs; ++i) {
            QTextCharFormat f = styleFormat(FontStyles::fromInt(rng.bounded(16)));
            if (rng.bounded(3) == 0)
                f.setFontFamilies(QStringList{faces.at(rng.bounded(faces.size()))});
            if (rng.bounded(3) == 0)
                f.setFontPointSize(rng.bounded(6, 40));
            if (rng.bounded(4) == 0)
                f.setForeground(QColor::fromRgb(rng.generate() & 0xffffff));
            switch (rng.bounded(7)) {
            case 0:
                c.insertBlock(QTextBlockFormat(), f);
                break;
            case 2:
                // Tables: their start and end, like paragraph ends, are no
                // characters; their cells' text is.
                if (!c.currentTable())
                    c.insertTable(rng.bounded(1, 3), rng.bounded(1, 3));
                else if (!c.movePosition(QTextCursor::NextCell))
                    c.movePosition(QTextCursor::End);
                break;
            case 1: {
                QTextImageFormat image;
                image.setName(u"resim"_s);
                image.setFontWeight(f.fontWeight());
                c.insertImage(image);
                break;
            }
            default:
                c.insertText(QString(rng.bounded(1, 12), QChar(u'a' + i % 26)), f);
            }
        }
        // Bold or italic over random spans, so runs split and join again.
        for (int i = 0; i < 5; ++i) {
            QTextCursor span(doc.get());
            span.setPosition(rng.bounded(doc->characterCount()));
            span.setPosition(rng.bounded(doc->characterCount()), QTextCursor::KeepAnchor);
            span.mergeCharFormat(styleFormat(i % 2 ? FontStyle::Italic : FontStyle::Bold));
        }
        const int last = doc->characterCount() - 1;
        for (int pick = 0; pick < 25; ++pick) {
            const int anchor = rng.bounded(last + 1);
            int position = rng.bounded(last + 1);
            if (position == anchor)
                position = anchor == last ? 0 : last;
            // A selection reaching into a table takes in whole cells, or the
            // whole table: judged is what the cursor selects.
            QTextCursor selection(doc.get());
            selection.setPosition(anchor);
            selection.setPosition(position, QTextCursor::KeepAnchor);
            const int start = selection.selectionStart(), end = selection.selectionEnd();
            const QString text = doc->toRawText();
            std::optional<QTextCharFormat> first;
            FontStyles common = AllStyles;
            for (int at = start; at < end; ++at) {
                if (text.at(at) == QChar::ParagraphSeparator || text.at(at) == kTableStart
                    || text.at(at) == kTableEnd)
                    continue;
                QTextCursor after(doc.get());
                after.setPosition(at + 1);
                const QTextCharFormat f = after.charFormat();
                if (!first)
                    first = f;
                common &= stylesOf(f);
            }
            QTextCursor caret(doc.get());
            caret.setPosition(start);
            const QTextCharFormat shown = first ? *first : caret.charFormat();
            const SelectionLook expected{faceName(shown, *doc), wholePoints(shown, *doc),
                                         first ? common : stylesOf(shown), colourOf(shown)};
            const SelectionLook seen = lookOf(*doc, anchor, position);
            if (!(seen == expected))
                QFAIL(qPrintable(u"round %1, selection %2 to %3 of \"%4\": styles %5 against %6, face %7 against %8"_s
                                     .arg(round).arg(start).arg(end)
                                     .arg(text.mid(start, end - start)
                                              .replace(QChar::ParagraphSeparator, u'|')
                                              .replace(kTableStart, u'[')
                                              .replace(kTableEnd, u']'))
                                     .arg(int(seen.styles)).arg(int(expected.styles)).arg(seen.face, expected.face)));
        }
    }
}

QTEST_MAIN(TestSelectionFormat)
#include "tst_selectionformat.moc"
