// Reading RTF formatting: character properties and their scoping, paragraph
// alignment and indents, numbering in its old and new forms, and a file that
// holds only a picture.

#include "formats/DocumentIO.h"
#include "FormatTestSupport.h"

#include <QTest>
#include <QTextList>

using namespace Qt::StringLiterals;
using namespace kelmora;
using namespace kelmora::formats;
using namespace kelmora::formats::test;

class TestRtfFormat : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void characterFormat_data();
    void characterFormat();
    void defaultFace_data();
    void defaultFace();
    void eastAsianText_data();
    void eastAsianText();
    void paragraphFormat_data();
    void paragraphFormat();
    void numbering_data();
    void numbering();
    void consecutiveItemsShareOneList();
    void pictureOnlyFile();
};

namespace {

std::unique_ptr<QTextDocument> read(const QByteArray &rtf)
{
    auto doc = newDocument();
    readRtf(*doc, rtf);
    return doc;
}

} // namespace

void TestRtfFormat::characterFormat_data()
{
    // body: RTF after the tables; the character checked is the "x".
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("face");
    QTest::addColumn<double>("size");
    QTest::addColumn<QString>("style"); // letters b i u s for bold, italic, underline, strikeout
    QTest::addColumn<QString>("colour");

    QTest::newRow("plain text uses the default face") << QByteArray("x") << u"Arial"_s << 12.0 << u""_s << u"auto"_s;
    QTest::newRow("bold") << QByteArray("\\b x") << u"Arial"_s << 12.0 << u"b"_s << u"auto"_s;
    QTest::newRow("bold off") << QByteArray("\\b\\b0 x") << u"Arial"_s << 12.0 << u""_s << u"auto"_s;
    QTest::newRow("italic") << QByteArray("\\i x") << u"Arial"_s << 12.0 << u"i"_s << u"auto"_s;
    QTest::newRow("underline") << QByteArray("\\ul x") << u"Arial"_s << 12.0 << u"u"_s << u"auto"_s;
    QTest::newRow("dotted underline") << QByteArray("\\uld x") << u"Arial"_s << 12.0 << u"u"_s << u"auto"_s;
    QTest::newRow("double underline") << QByteArray("\\uldb x") << u"Arial"_s << 12.0 << u"u"_s << u"auto"_s;
    QTest::newRow("word underline") << QByteArray("\\ulw x") << u"Arial"_s << 12.0 << u"u"_s << u"auto"_s;
    QTest::newRow("wave underline") << QByteArray("\\ulwave x") << u"Arial"_s << 12.0 << u"u"_s << u"auto"_s;
    QTest::newRow("ulnone") << QByteArray("\\ul\\ulnone x") << u"Arial"_s << 12.0 << u""_s << u"auto"_s;
    QTest::newRow("ul0") << QByteArray("\\ul\\ul0 x") << u"Arial"_s << 12.0 << u""_s << u"auto"_s;
    QTest::newRow("underline colour is not underline")
        << QByteArray("\\ulc1 x") << u"Arial"_s << 12.0 << u""_s << u"auto"_s;
    QTest::newRow("strike") << QByteArray("\\strike x") << u"Arial"_s << 12.0 << u"s"_s << u"auto"_s;
    QTest::newRow("double strike") << QByteArray("\\striked1 x") << u"Arial"_s << 12.0 << u"s"_s << u"auto"_s;
    QTest::newRow("everything") << QByteArray("\\b\\i\\ul\\strike x") << u"Arial"_s << 12.0 << u"bius"_s
                                << u"auto"_s;
    QTest::newRow("size in half points") << QByteArray("\\fs36 x") << u"Arial"_s << 18.0 << u""_s << u"auto"_s;
    QTest::newRow("odd half points") << QByteArray("\\fs21 x") << u"Arial"_s << 10.5 << u""_s << u"auto"_s;
    QTest::newRow("absurd size is clamped")
        << QByteArray("\\fs99999999999 x") << u"Arial"_s << 1638.0 << u""_s << u"auto"_s;
    QTest::newRow("face") << QByteArray("\\f1 x") << u"Times New Roman"_s << 12.0 << u""_s << u"auto"_s;
    QTest::newRow("unknown face number") << QByteArray("\\f77 x") << u"Arial"_s << 12.0 << u""_s << u"auto"_s;
    QTest::newRow("colour") << QByteArray("\\cf1 x") << u"Arial"_s << 12.0 << u""_s << u"#ff0000"_s;
    QTest::newRow("automatic colour") << QByteArray("\\cf1\\cf0 x") << u"Arial"_s << 12.0 << u""_s << u"auto"_s;
    QTest::newRow("colour beyond the table") << QByteArray("\\cf9 x") << u"Arial"_s << 12.0 << u""_s << u"auto"_s;
    QTest::newRow("plain resets everything")
        << QByteArray("\\f2\\fs40\\b\\i\\ul\\strike\\cf2\\plain x") << u"Arial"_s << 12.0 << u""_s << u"auto"_s;
    QTest::newRow("a group scopes its properties")
        << QByteArray("{\\f1\\fs40\\b\\cf1 a}x") << u"Arial"_s << 12.0 << u""_s << u"auto"_s;
    QTest::newRow("properties outlive a group opened after them")
        << QByteArray("\\f2\\i{a}x") << u"Courier New"_s << 12.0 << u"i"_s << u"auto"_s;
    QTest::newRow("a skipped destination does not leak properties")
        << QByteArray("{\\*\\foo\\b}{\\header\\i h}x") << u"Arial"_s << 12.0 << u""_s << u"auto"_s;
}

void TestRtfFormat::characterFormat()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, face);
    QFETCH(double, size);
    QFETCH(QString, style);
    QFETCH(QString, colour);
    const auto doc = read(rtfWithTables(body));
    const QString text = paragraph(*doc, 0).text();
    const QTextCharFormat f = formatAt(*doc, 0, int(text.indexOf(u'x')));
    QCOMPARE(faceOf(*doc, f), face);
    QCOMPARE(f.fontPointSize(), size);
    QCOMPARE(f.fontWeight() == QFont::Bold, style.contains(u'b'));
    QCOMPARE(f.fontItalic(), style.contains(u'i'));
    QCOMPARE(f.fontUnderline(), style.contains(u'u'));
    QCOMPARE(f.fontStrikeOut(), style.contains(u's'));
    QCOMPARE(colourOf(f), colour);
}

void TestRtfFormat::defaultFace_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("face");

    QTest::newRow("deff names the face of unmarked text")
        << QByteArray(R"({\rtf1\deff1{\fonttbl{\f0 Arial;}{\f1 Georgia;}} x})") << u"Georgia"_s;
    QTest::newRow("plain goes back to deff")
        << QByteArray(R"({\rtf1\deff1{\fonttbl{\f0 Arial;}{\f1 Georgia;}}\f0\plain x})") << u"Georgia"_s;
    QTest::newRow("no font table: the editor's default")
        << QByteArray(R"({\rtf1 x})") << u"Arial"_s;
}

void TestRtfFormat::defaultFace()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, face);
    const auto doc = read(rtf);
    QCOMPARE(faceOf(*doc, formatAt(*doc, 0, 0)), face);
}

void TestRtfFormat::eastAsianText_data()
{
    // Fonts 0 Arial, 1 Times New Roman, 2 Courier New; 漢 is East Asian.
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("expected"); // "face size" of each character

    QTest::newRow("no East Asian properties: one face")
        << QByteArray("\\f1\\fs28 A\\u28450?") << u"Times New Roman 14|Times New Roman 14"_s;
    QTest::newRow("dbch font and size for East Asian characters only")
        << QByteArray("\\loch\\f1\\dbch\\af2\\afs21\\loch A\\u28450?B") << u"Times New Roman 12|Courier New 10.5|Times New Roman 12"_s;
    QTest::newRow("fs sizes East Asian text too")
        << QByteArray("\\dbch\\af2\\loch\\fs30 A\\u28450?") << u"Arial 15|Courier New 15"_s;
    QTest::newRow("af outside dbch is not East Asian")
        << QByteArray("\\rtlch\\af2\\afs40\\ltrch\\hich\\af1\\loch \\u28450?") << u"Arial 12"_s;
    QTest::newRow("spaces in a dbch run go with it")
        << QByteArray("\\dbch\\af2{\\loch A }{\\dbch\\afs21\\dbch \\u28450? }{\\loch B}")
        << u"Arial 12|Arial 12|Courier New 10.5|Courier New 10.5|Arial 12"_s;
    QTest::newRow("plain forgets them")
        << QByteArray("\\dbch\\af2\\afs40\\plain \\u28450?") << u"Arial 12"_s;
}

void TestRtfFormat::eastAsianText()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);
    const auto doc = read(rtfWithTables(body));
    QStringList got;
    const QString text = paragraph(*doc, 0).text();
    for (int i = 0; i < text.size(); ++i) {
        const QTextCharFormat f = formatAt(*doc, 0, i);
        got.append(faceOf(*doc, f) + u' ' + QString::number(f.fontPointSize()));
    }
    QCOMPARE(got.join(u'|'), expected);
}

void TestRtfFormat::paragraphFormat_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");

    const int left = Qt::AlignLeft;
    QTest::newRow("default") << QByteArray("a\\par") << left << 0 << 0 << 0;
    QTest::newRow("centre") << QByteArray("\\qc a\\par") << int(Qt::AlignHCenter) << 0 << 0 << 0;
    QTest::newRow("right") << QByteArray("\\qr a\\par") << int(Qt::AlignRight) << 0 << 0 << 0;
    QTest::newRow("justify") << QByteArray("\\qj a\\par") << int(Qt::AlignJustify) << 0 << 0 << 0;
    QTest::newRow("distributed is justified") << QByteArray("\\qd a\\par") << int(Qt::AlignJustify) << 0 << 0 << 0;
    QTest::newRow("left after centre") << QByteArray("\\qc\\ql a\\par") << left << 0 << 0 << 0;
    QTest::newRow("left indent") << QByteArray("\\li720 a\\par") << left << 720 << 0 << 0;
    QTest::newRow("hanging indent") << QByteArray("\\fi-283\\li709 a\\par") << left << 426 << 283 << 0;
    QTest::newRow("first line indent") << QByteArray("\\fi567 a\\par") << left << 567 << -567 << 0;
    QTest::newRow("right indent, odd twips") << QByteArray("\\ri333 a\\par") << left << 0 << 0 << 333;
    QTest::newRow("lin and rin as li and ri") << QByteArray("\\lin100\\rin50 a\\par") << left << 100 << 0 << 50;
    QTest::newRow("pard resets") << QByteArray("\\qc\\li500\\ri30\\pard a\\par") << left << 0 << 0 << 0;
    QTest::newRow("the state at the paragraph mark counts")
        << QByteArray("a\\qr\\li40\\par") << int(Qt::AlignRight) << 40 << 0 << 0;
    QTest::newRow("absurd indents are clamped")
        << QByteArray("\\li99999999\\fi-99999999 a\\par") << left << 0 << 31680 << 0;
    QTest::newRow("paragraph without mark at the end")
        << QByteArray("\\qc\\ri20 a") << int(Qt::AlignHCenter) << 0 << 0 << 20;
}

void TestRtfFormat::paragraphFormat()
{
    QFETCH(QByteArray, body);
    QFETCH(int, alignment);
    QFETCH(int, first);
    QFETCH(int, left);
    QFETCH(int, right);
    const auto doc = read(rtfWithTables(body));
    QCOMPARE(doc->blockCount(), 1);
    const QTextBlockFormat f = paragraph(*doc, 0).blockFormat();
    QCOMPARE(int(f.alignment()), alignment);
    QCOMPARE(model::indents(f), (model::ParagraphIndents{first, left, right}));
    // The layout's margins follow the twips: every line at \li, the first at \li + \fi.
    QCOMPARE(f.leftMargin(), model::twipsToLayout(first + left));
    QCOMPARE(f.rightMargin(), model::twipsToLayout(right));
}

void TestRtfFormat::numbering_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("numbering");

    const QByteArray lists =
        R"({\*\listtable{\list\listtemplateid7{\listlevel\levelnfc23{\leveltext\'01\u8226 ?;}{\levelnumbers;}}{\listlevel\levelnfc4}\listid11})"
        R"({\list{\listlevel\levelnfc0{\leveltext\'02\'00.;}}\listid12}{\list{\listlevel\levelnfc255}\listid13}})"
        R"({\listoverridetable{\listoverride\listid11\listoverridecount0\ls1}{\listoverride\listid12\ls2}{\listoverride\listid13\ls3}})";
    const int none = int(model::Numbering::None);
    const int bullet = int(model::Numbering::Bullet);
    const int other = int(model::Numbering::Other);
    QTest::newRow("none") << QByteArray("a\\par") << none;
    QTest::newRow("old bullet") << QByteArray("{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb\\'b7}}a\\par") << bullet;
    QTest::newRow("old decimal") << QByteArray("{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}a\\par") << other;
    QTest::newRow("old continuation has no number") << QByteArray("{\\*\\pn\\pnlvlcont}a\\par") << none;
    QTest::newRow("old bullet outside a group") << QByteArray("\\pnlvlblt a\\par") << bullet;
    QTest::newRow("list bullet") << QByteArray(lists + "{\\listtext\\'b7\\tab}\\ls1\\ilvl0 a\\par") << bullet;
    QTest::newRow("second level of the same list") << QByteArray(lists + "\\ls1\\ilvl1 a\\par") << other;
    QTest::newRow("level beyond the list's") << QByteArray(lists + "\\ls1\\ilvl8 a\\par") << other;
    QTest::newRow("list decimal") << QByteArray(lists + "{\\listtext 1.\\tab}\\ls2 a\\par") << other;
    QTest::newRow("list without number") << QByteArray(lists + "\\ls3 a\\par") << none;
    QTest::newRow("unknown list") << QByteArray(lists + "\\ls9 a\\par") << other;
    QTest::newRow("list without tables, with old bullet") << QByteArray("\\ls4{\\*\\pn\\pnlvlblt}a\\par") << bullet;
    QTest::newRow("pard ends the numbering") << QByteArray(lists + "\\ls1\\pard a\\par") << none;
}

void TestRtfFormat::numbering()
{
    QFETCH(QByteArray, body);
    QFETCH(int, numbering);
    const auto doc = read(rtfWithTables(body));
    QCOMPARE(documentText(*doc), u"a"_s);
    QCOMPARE(int(model::numbering(paragraph(*doc, 0))), numbering);
    if (numbering != int(model::Numbering::None)) {
        // The marker hangs: Qt draws it before text that starts at \li.
        QCOMPARE(paragraph(*doc, 0).blockFormat().textIndent(), 0.0);
    }
}

void TestRtfFormat::consecutiveItemsShareOneList()
{
    const auto doc = read(rtfWithTables("{\\*\\pn\\pnlvlblt}a\\par{\\*\\pn\\pnlvlblt}b\\par"
                                        "\\pard c\\par{\\*\\pn\\pnlvlbody}d\\par{\\*\\pn\\pnlvlbody}e\\par"
                                        "{\\*\\pn\\pnlvlblt}f\\par"));
    QCOMPARE(documentText(*doc), u"a\nb\nc\nd\ne\nf"_s);
    const QTextList *bullets = paragraph(*doc, 0).textList();
    QVERIFY(bullets);
    QCOMPARE(paragraph(*doc, 1).textList(), bullets);
    QCOMPARE(bullets->count(), 2);
    QVERIFY(!paragraph(*doc, 2).textList());
    const QTextList *numbers = paragraph(*doc, 3).textList();
    QVERIFY(numbers && numbers != bullets);
    QCOMPARE(numbers->count(), 2);
    QCOMPARE(numbers->itemNumber(paragraph(*doc, 4)), 1);
    QVERIFY(paragraph(*doc, 5).textList() != numbers);
}

void TestRtfFormat::pictureOnlyFile()
{
    const QByteArray png = pictureBytes("PNG", QSize(5, 5));
    const auto doc = read(QByteArray("{\\rtf1{\\pict\\pngblip " + png.toHex() + "}}"));
    QCOMPARE(doc->blockCount(), 1);
    QCOMPARE(documentText(*doc), u"\ufffc"_s);
    // Written back as the same PNG.
    const auto reread = read(toRtf(*doc));
    QCOMPARE(reread->blockCount(), 1);
    const QList<ShownPicture> pictures = picturesOf(*reread);
    QCOMPARE(pictures.size(), 1);
    QCOMPARE(pictures.first().picture.data.toHex(), png.toHex());
}

QTEST_GUILESS_MAIN(TestRtfFormat)
#include "tst_rtfformat.moc"
