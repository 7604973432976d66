// Malformed RTF is read as far as it goes: no crash, no hang, memory bounded
// by the input, and the damage reported.

#include "formats/DocumentIO.h"
#include "FormatTestSupport.h"
#include "formats/rtf/RtfTokenizer.h"
#include "model/KeptParts.h"

#include <QRandomGenerator>
#include <algorithm>
#include <QTextTable>
#include <limits>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace kelmora;
using namespace kelmora::formats;
using namespace kelmora::formats::test;

class TestRtfMalformed : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsWhatCanBeRead_data();
    void readsWhatCanBeRead();
    void keptPartsAreBounded_data();
    void keptPartsAreBounded();
    void deepNesting();
    void manyUnclosedGroupsAtTheLimit();
    void hostileTables_data();
    void hostileTables();
    void randomDamageNeverCrashes();
    void tokenizerClampsAndStops_data();
    void tokenizerClampsAndStops();
};

void TestRtfMalformed::readsWhatCanBeRead_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("malformed");

    QTest::newRow("unclosed groups") << QByteArray("{\\rtf1 abc{\\b def") << u"abcdef"_s << true;
    QTest::newRow("only the opening") << QByteArray("{\\rtf") << u""_s << true;
    QTest::newRow("truncated hex escape") << QByteArray("{\\rtf1 ab\\'f") << u"ab"_s << true;
    QTest::newRow("truncated control word") << QByteArray("{\\rtf1 ab\\pa") << u"ab"_s << true;
    QTest::newRow("lone backslash at the end") << QByteArray("{\\rtf1 ab\\") << u"ab"_s << true;
    QTest::newRow("truncated inside a skipped group") << QByteArray("{\\rtf1 ab{\\*\\x cd") << u"ab"_s << true;
    QTest::newRow("truncated font table") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Ari") << u""_s << true;
    QTest::newRow("truncated unicode fallback") << QByteArray("{\\rtf1\\uc5\\u305") << u"ı"_s << true;
    QTest::newRow("extra closing braces end the document") << QByteArray("{\\rtf1 a}}b}") << u"a"_s << false;
    QTest::newRow("closing brace inside ends it early") << QByteArray("{\\rtf1 a}\\b b}") << u"a"_s << false;
    QTest::newRow("huge bin count") << QByteArray("{\\rtf1 a\\bin999999999999 xyz}") << u"a"_s << true;
    QTest::newRow("negative bin count") << QByteArray("{\\rtf1 a\\bin-5 x}") << u"ax"_s << false;
    QTest::newRow("bin count in a skipped group past the end")
        << QByteArray("{\\rtf1 a{\\*\\y\\bin99 }}}") << u"a"_s << true;
    QTest::newRow("invalid hex escape") << QByteArray("{\\rtf1 a\\'zzb}") << u"azzb"_s << false;
    QTest::newRow("absurd numbers")
        << QByteArray("{\\rtf1{\\uc99999999999\\u-99999999999 ab}\\li-9999999999999999999999\\fi99 c}") << u"\ufffdc"_s
        << false;
    QTest::newRow("overlong control word")
        << QByteArray("{\\rtf1 a\\" + QByteArray(5000, 'x') + " b}") << u"ab"_s << false;
    QTest::newRow("overlong number")
        << QByteArray("{\\rtf1 a\\fs" + QByteArray(5000, '9') + " b}") << u"ab"_s << false;
    QTest::newRow("star without a word") << QByteArray("{\\rtf1 {\\* a}b}") << u" ab"_s << false;
    QTest::newRow("list override pointing nowhere")
        << QByteArray("{\\rtf1{\\listoverridetable{\\listoverride\\listid5\\ls1}}\\ls1 a}") << u"a"_s << false;
    QTest::newRow("list level words outside lists")
        << QByteArray("{\\rtf1\\listlevel\\levelnfc23\\listid3\\list a}") << u"a"_s << false;
    QTest::newRow("picture inside a picture")
        << QByteArray("{\\rtf1 a{\\pict\\pngblip{\\pict 00}00}b}") << u"a\ufffcb"_s << false;
    QTest::newRow("colour table without separators")
        << QByteArray("{\\rtf1{\\colortbl\\red1\\green2\\blue3}\\cf1 a}") << u"a"_s << false;
    QTest::newRow("upr child with text only") << QByteArray("{\\rtf1{\\upr x}{\\upr{x}}a}") << u"xa"_s << false;
}

void TestRtfMalformed::readsWhatCanBeRead()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QFETCH(bool, malformed);
    auto doc = newDocument();
    const RtfReport report = readRtf(*doc, rtf);
    QCOMPARE(documentText(*doc), expected);
    QCOMPARE(report.malformed, malformed);
    QCOMPARE(report.problem.isEmpty(), !malformed);
    QVERIFY(!doc->isModified());
}

namespace {

QByteArray repeated(const QByteArray &piece, int times)
{
    QByteArray out;
    out.reserve(piece.size() * times);
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

// What the document keeps: its notes, sections after the first, styles, and
// the style of the first paragraph.
QString keptSummary(const QTextDocument &doc)
{
    int notes = 0;
    int sections = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        sections += model::sectionStartOf(b.blockFormat()) && b.blockNumber() > 0;
        for (auto it = b.begin(); !it.atEnd(); ++it)
            notes += int(model::notesOf(it.fragment().charFormat()).size());
    }
    const model::KeptParts *kept = model::keptPartsOf(doc);
    return u"notes=%1 sections=%2 styles=%3 style=%4"_s.arg(notes).arg(sections)
        .arg(kept ? kept->styles.size() : -1)
        .arg(model::paragraphStyleOf(doc.begin().blockFormat()));
}

} // namespace

void TestRtfMalformed::keptPartsAreBounded_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("problem");

    QTest::newRow("a note inside a note")
        << QByteArray("{\\rtf1 a{\\footnote b{\\footnote c}}d}") << u"ad"_s
        << u"notes=1 sections=0 styles=0 style=-1"_s << u"a note inside a note or header"_s;
    QTest::newRow("a footer inside a note is the note's text")
        << QByteArray("{\\rtf1 a{\\footnote b{\\footer h}}c}") << u"ac"_s
        << u"notes=1 sections=0 styles=0 style=-1"_s << QString();
    QTest::newRow("a note inside a header")
        << QByteArray("{\\rtf1{\\header h{\\footnote n}}c}") << u"c"_s
        << u"notes=0 sections=0 styles=0 style=-1"_s << u"a note inside a note or header"_s;
    QTest::newRow("notes beyond the cap")
        << "{\\rtf1 " + repeated("x{\\footnote n}", 10002) + "}" << QString(10002, u'x')
        << u"notes=10000 sections=0 styles=0 style=-1"_s << u"more than 10000 headers, footers and notes"_s;
    QTest::newRow("sections beyond the cap")
        << "{\\rtf1 " + repeated("x\\sect ", 10002) + "y}" << QStringList(10003, u"x"_s).join(u'\n').chopped(1) + u'y'
        << u"notes=0 sections=10000 styles=0 style=-1"_s << u"more than 10000 sections"_s;
    QByteArray sheet;
    for (int i = 0; i < 10002; ++i)
        sheet += "{\\s" + QByteArray::number(i) + "\\sbasedon" + QByteArray::number(i + 1) + " S;}";
    QTest::newRow("styles beyond the cap, each based on the next")
        << "{\\rtf1{\\stylesheet " + sheet + "}\\s10001 a\\par\\s5 b}" << u"a\nb"_s
        << u"notes=0 sections=0 styles=10000 style=-1"_s << u"more than 10000 styles"_s;
    QTest::newRow("style numbers pointing nowhere")
        << QByteArray("{\\rtf1{\\stylesheet{\\s0 Normal;}}\\s7 a\\cs9 b}") << u"ab"_s
        << u"notes=0 sections=0 styles=1 style=-1"_s << QString();
}

void TestRtfMalformed::keptPartsAreBounded()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QFETCH(QString, kept);
    QFETCH(QString, problem);
    auto doc = newDocument();
    const RtfReport report = readRtf(*doc, rtf);
    QCOMPARE(documentText(*doc), text);
    QCOMPARE(keptSummary(*doc), kept);
    QCOMPARE(report.problem, problem);
    QCOMPARE(report.malformed, !problem.isEmpty());
}

void TestRtfMalformed::deepNesting()
{
    // Thousands of levels: the reader keeps a bounded stack and skips the
    // groups beyond it, with the text around them intact.
    const int depth = 200000;
    QByteArray rtf = "{\\rtf1 before";
    rtf += QByteArray(depth, '{');
    rtf += "deep";
    rtf += QByteArray(depth, '}');
    rtf += "after}";
    auto doc = newDocument();
    const RtfReport report = readRtf(*doc, rtf);
    QVERIFY(report.malformed);
    QVERIFY2(report.problem.contains(u"nested"_s), qPrintable(report.problem));
    QCOMPARE(documentText(*doc), u"beforeafter"_s);

    // At a depth the reader still follows, the text is kept.
    QByteArray shallow = "{\\rtf1 " + QByteArray(500, '{') + "\\b deep" + QByteArray(500, '}') + "}";
    const RtfReport fine = readRtf(*doc, shallow);
    QVERIFY2(!fine.malformed, qPrintable(fine.problem));
    QCOMPARE(documentText(*doc), u"deep"_s);
}

void TestRtfMalformed::manyUnclosedGroupsAtTheLimit()
{
    QByteArray rtf = "{\\rtf1 x";
    for (int i = 0; i < 100000; ++i)
        rtf += "{\\b y";
    auto doc = newDocument();
    const RtfReport report = readRtf(*doc, rtf);
    QVERIFY(report.malformed);
    QVERIFY(documentText(*doc).startsWith(u"xyyy"_s));
}

namespace {

QByteArray repeated(const char *piece, int times)
{
    QByteArray out;
    for (int i = 0; i < times; ++i)
        out += QByteArray(piece).replace("#", QByteArray::number(i + 1));
    return out;
}

// The deepest table nesting and the widest table (in columns) of a document.
std::pair<int, int> tableExtent(const QTextFrame &frame, int depth = 0)
{
    std::pair<int, int> extent{depth, 0};
    for (const QTextFrame *child : frame.childFrames()) {
        const auto *table = qobject_cast<const QTextTable *>(child);
        const auto [d, w] = tableExtent(*child, table ? depth + 1 : depth);
        extent = {qMax(extent.first, d), std::max({extent.second, w, table ? table->columns() : 0})};
    }
    return extent;
}

} // namespace

void TestRtfMalformed::hostileTables_data()
{
    // Tables no writer makes are capped and reported, never at the cost of
    // their text: every "x" of the file is in the document.
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("xs");
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("problem");

    const QString tooWide = u"a table row with more than 63 cells"_s;
    QTest::newRow("\\itap of a million")
        << QByteArray("{\\rtf1\\pard\\intbl\\itap1000000 x\\nestcell\\nestrow\\cell\\row x\\par}") << 2 << 16 << 1
        << u"tables nested deeper than 16"_s;
    QTest::newRow("100,000 \\cellx in a row")
        << "{\\rtf1\\trowd" + repeated("\\cellx#0", 100000) + "\\pard\\intbl x\\cell x\\cell\\row}" << 2 << 1 << 2
        << tooWide;
    QTest::newRow("100,000 cells in a row")
        << "{\\rtf1\\trowd" + repeated("\\cellx#0", 100000) + "\\pard\\intbl " + repeated("x\\cell ", 100000) + "\\row}"
        << 100000 << 1 << 63 << tooWide;
    QTest::newRow("100,000 cells and no \\cellx")
        << "{\\rtf1\\trowd\\pard\\intbl " + repeated("x\\cell ", 100000) + "\\row}" << 100000 << 1 << 63 << tooWide;
    QTest::newRow("10,000 nested rows deep in a cell")
        << "{\\rtf1\\pard\\intbl\\itap5 " + repeated("x\\nestcell\\nestrow ", 10000) + "\\cell\\row}" << 10000 << 5 << 1
        << QString();
    QTest::newRow("boundaries far outside any page")
        << QByteArray("{\\rtf1\\trowd\\trleft-2000000000\\cellx2000000000\\cellx-5\\pard\\intbl x\\cell x\\cell\\row}")
        << 2 << 1 << 2 << QString();
}

void TestRtfMalformed::hostileTables()
{
    QFETCH(QByteArray, rtf);
    QFETCH(int, xs);
    QFETCH(int, depth);
    QFETCH(int, columns);
    QFETCH(QString, problem);
    auto doc = newDocument();
    const RtfReport report = readRtf(*doc, rtf);
    QCOMPARE(documentText(*doc).count(u'x'), xs);
    QCOMPARE(tableExtent(*doc->rootFrame()), std::make_pair(depth, columns));
    QCOMPARE(report.problem, problem);
    QCOMPARE(report.malformed, !problem.isEmpty());
}

void TestRtfMalformed::randomDamageNeverCrashes()
{
    // Real documents with bytes flipped, cut or repeated: the reader must
    // come back with a consistent document every time.
    const QByteArray base = rtfWithTables(
        "{\\*\\listtable{\\list{\\listlevel\\levelnfc23}\\listid1}}{\\listoverridetable{\\listoverride\\listid1\\ls1}}"
        "\\pard\\qc\\fi-283\\li709{\\b Kal\\u305\\'3fn}{\\f1\\fs36\\cf1 k\\'fdrm\\'fdz\\'fd}\\par"
        "\\ls1 madde{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt ba\\'f0}}\\par"
        "\\trowd\\intbl a\\cell b\\cell\\row{\\pict\\pngblip\\bin4 \x89PNG}\\uc2\\u-10179\\'3f\\'3f\\u-8704??\\par");
    QRandomGenerator rng(20240611);
    auto doc = newDocument();
    for (int round = 0; round < 3000; ++round) {
        QByteArray rtf = base;
        const int edits = 1 + int(rng.bounded(8));
        for (int e = 0; e < edits; ++e) {
            const int pos = 5 + int(rng.bounded(int(rtf.size()) - 5));
            switch (rng.bounded(4)) {
            case 0: rtf[pos] = char(rng.bounded(256)); break;
            case 1: rtf.truncate(pos); break;
            case 2: rtf.insert(pos, rtf.mid(pos, int(rng.bounded(40)))); break;
            default: rtf.insert(pos, "{\\*\\"[rng.bounded(4)]); break;
            }
            if (rtf.size() < 10)
                rtf = base;
        }
        readRtf(*doc, rtf);
        QVERIFY(doc->blockCount() >= 1);
        QVERIFY(!doc->isModified());
    }
}

void TestRtfMalformed::tokenizerClampsAndStops_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("param");

    QTest::newRow("max") << QByteArray("\\fs99999999999999") << std::numeric_limits<int>::max();
    QTest::newRow("min") << QByteArray("\\fs-99999999999999") << std::numeric_limits<int>::min();
    QTest::newRow("ordinary") << QByteArray("\\fs-12 ") << -12;
    QTest::newRow("dash without digits is not a number") << QByteArray("\\fs- ") << 0;
}

void TestRtfMalformed::tokenizerClampsAndStops()
{
    QFETCH(QByteArray, data);
    QFETCH(int, param);
    RtfTokenizer tokens(data);
    const RtfToken t = tokens.next();
    QCOMPARE(t.kind, RtfToken::Word);
    QCOMPARE(QByteArray(t.word.data(), qsizetype(t.word.size())), QByteArray("fs"));
    QCOMPARE(t.param, param);
    // Whatever follows, the tokenizer reaches the end and stays there.
    int guard = 0;
    while (tokens.next().kind != RtfToken::End)
        QVERIFY(++guard < 10);
    QCOMPARE(tokens.next().kind, RtfToken::End);
}

QTEST_GUILESS_MAIN(TestRtfMalformed)
#include "tst_rtfmalformed.moc"
