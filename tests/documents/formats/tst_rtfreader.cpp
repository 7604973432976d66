// Reading RTF: text and escapes, code pages, Unicode, the dialects of common
// writers, skipped destinations, fields, tables and numbering.

#include "formats/DocumentIO.h"
#include "base/Exceptions.h"
#include "FormatTestSupport.h"
#include "TableShapes.h"

#include <QTest>
#include <QTextList>

using namespace Qt::StringLiterals;
using namespace kelmora;
using namespace kelmora::formats;
using namespace kelmora::formats::test;

class TestRtfReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void text_data();
    void text();
    void codePages_data();
    void codePages();
    void unicode_data();
    void unicode();
    void skippedContent_data();
    void skippedContent();
    void tables_data();
    void tables();
    void fontNames_data();
    void fontNames();
    void libreOfficeDialect();
    void abiWordDialect();
    void htmlInRtf();
    void notRtfIsRejected_data();
    void notRtfIsRejected();
    void emptyDocument();
    void loadingClearsUndoAndModified();
};

namespace {

std::unique_ptr<QTextDocument> read(QByteArrayView rtf, RtfReport *report = nullptr)
{
    auto doc = newDocument();
    const RtfReport r = readRtf(*doc, rtf);
    if (report)
        *report = r;
    return doc;
}

} // namespace

void TestRtfReader::text_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    QTest::newRow("escaped characters")
        << QByteArray(R"({\rtf1 a\\b\{c\}d\~e\-f\_g})") << u"a\\b{c}d\u00a0e\u00adf\u2011g"_s;
    QTest::newRow("paragraph, line and tab")
        << QByteArray(R"({\rtf1 one\par two\line three\tab four})") << u"one\ntwo\u2028three\tfour"_s;
    QTest::newRow("backslash before a line break ends a paragraph")
        << QByteArray("{\\rtf1 a\\\nb\\\r\nc}") << u"a\nb\nc"_s;
    QTest::newRow("line breaks in the data are not text")
        << QByteArray("{\\rtf1 ab\r\ncd\ne}") << u"abcde"_s;
    QTest::newRow("control word ends at its space")
        << QByteArray(R"({\rtf1 \b bold\b0  plain})") << u"bold plain"_s;
    QTest::newRow("special characters")
        << QByteArray(R"({\rtf1 \bullet\endash\emdash\lquote\rquote\ldblquote\rdblquote\emspace\enspace})")
        << u"\u2022\u2013\u2014\u2018\u2019\u201c\u201d\u2003\u2002"_s;
    QTest::newRow("final paragraph mark makes no empty paragraph")
        << QByteArray(R"({\rtf1 a\par b\par})") << u"a\nb"_s;
    QTest::newRow("empty paragraphs in between are kept")
        << QByteArray(R"({\rtf1 a\par\par\par b\par})") << u"a\n\n\nb"_s;
    QTest::newRow("text after the last paragraph mark is a paragraph")
        << QByteArray(R"({\rtf1 a\par b})") << u"a\nb"_s;
    QTest::newRow("page and section breaks end a paragraph with text")
        << QByteArray(R"({\rtf1 a\page b\par\sect c\par})") << u"a\nb\nc"_s;
    QTest::newRow("control characters are dropped")
        << QByteArray("{\\rtf1 a\x01\x00z}", 12) << u"az"_s;
    QTest::newRow("text after the document's group is ignored")
        << QByteArray(R"({\rtf1 inside}outside)") << u"inside"_s;
}

void TestRtfReader::text()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    RtfReport report;
    const auto doc = read(rtf, &report);
    QCOMPARE(documentText(*doc), expected);
    QVERIFY2(!report.malformed, qPrintable(report.problem));
}

void TestRtfReader::codePages_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    QTest::newRow("1254 by ansicpg")
        << QByteArray(R"({\rtf1\ansi\ansicpg1254 \'fd\'f0\'fe\'dd\'d0\'de\'fc\'f6\'e7\'c7})")
        << u"ığşİĞŞüöçÇ"_s;
    QTest::newRow("unescaped 8-bit bytes use the page too")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1254 \xfd\xf0\xfe}") << u"ığş"_s;
    QTest::newRow("1252 is the default")
        << QByteArray(R"({\rtf1\ansi \'e9\'fd})") << u"éý"_s;
    QTest::newRow("font charset 162 wins over ansicpg1252")
        << QByteArray(R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0\fcharset162 Arial;}{\f1\fcharset0 Arial;}}\f0 \'fd\f1 \'fd})")
        << u"ıý"_s;
    QTest::newRow("font charset 0 means the document's page")
        << QByteArray(R"({\rtf1\ansi\ansicpg1254{\fonttbl{\f0\fcharset0 Arial;}}\f0 \'fd})") << u"ı"_s;
    QTest::newRow("font code page by cpg")
        << QByteArray(R"({\rtf1\ansi{\fonttbl{\f0\cpg1251 Arial;}}\f0 \'e4\'e0})") << u"да"_s;
    QTest::newRow("1250 central european")
        << QByteArray(R"({\rtf1\ansi\ansicpg1250 \'b9\'e8})") << u"ąč"_s;
    QTest::newRow("1251 cyrillic by charset 204")
        << QByteArray(R"({\rtf1\ansi{\fonttbl{\f0\fcharset204 Arial;}}\f0 \'cc\'e8\'f0})") << u"Мир"_s;
    QTest::newRow("1253 greek by charset 161")
        << QByteArray(R"({\rtf1\ansi{\fonttbl{\f0\fcharset161 Arial;}}\f0 \'e1\'e2})") << u"αβ"_s;
    QTest::newRow("1255 hebrew by charset 177")
        << QByteArray(R"({\rtf1\ansi{\fonttbl{\f0\fcharset177 David;}}\f0 \'e0\'e1})") << u"אב"_s;
    QTest::newRow("1256 arabic by charset 178")
        << QByteArray(R"({\rtf1\ansi{\fonttbl{\f0\fcharset178 Arial;}}\f0 \'c7\'e1})") << u"ال"_s;
    QTest::newRow("1257 baltic by charset 186")
        << QByteArray(R"({\rtf1\ansi{\fonttbl{\f0\fcharset186 Arial;}}\f0 \'e0\'c7})") << u"ąĒ"_s;
    QTest::newRow("1258 vietnamese by charset 163")
        << QByteArray(R"({\rtf1\ansi{\fonttbl{\f0\fcharset163 Arial;}}\f0 \'e0\'c7})") << u"àÇ"_s;
    QTest::newRow("874 thai by charset 222")
        << QByteArray(R"({\rtf1\ansi{\fonttbl{\f0\fcharset222 Tahoma;}}\f0 \'a1})") << u"ก"_s;
    QTest::newRow("932 japanese by charset 128")
        << QByteArray(R"({\rtf1\ansi{\fonttbl{\f0\fcharset128 MS Mincho;}}\f0 \'93\'fa\'96\'7b})") << u"日本"_s;
    QTest::newRow("932 with raw bytes mixed with escapes")
        << QByteArray("{\\rtf1\\ansi\\ansicpg932 \x93\\'fa\x96\\'7b}") << u"日本"_s;
    QTest::newRow("936 simplified chinese by charset 134")
        << QByteArray(R"({\rtf1\ansi{\fonttbl{\f0\fcharset134 SimSun;}}\f0 \'d6\'d0\'ce\'c4})") << u"中文"_s;
    QTest::newRow("950 traditional chinese by charset 136")
        << QByteArray(R"({\rtf1\ansi{\fonttbl{\f0\fcharset136 MingLiU;}}\f0 \'a4\'a4\'a4\'e5})") << u"中文"_s;
    QTest::newRow("949 korean by charset 129")
        << QByteArray(R"({\rtf1\ansi{\fonttbl{\f0\fcharset129 Gulim;}}\f0 \'c7\'d1})") << u"한"_s;
    QTest::newRow("a lead byte without trail byte")
        << QByteArray(R"({\rtf1\ansi\ansicpg932 a\'93})") << u"a\ufffd"_s;
    QTest::newRow("a lead byte the next byte cannot trail is dropped")
        << QByteArray(R"({\rtf1\ansi\ansicpg932 a\'93 b\'e9!\'81\'39})") << u"a b!9"_s;
    QTest::newRow("949: letters and digits that cannot trail are read on their own")
        << QByteArray(R"({\rtf1\ansi\ansicpg949 \'c7\'30\'c7\'5b\'c7\'d1})") << u"0[한"_s;
    QTest::newRow("950: a byte between the trail ranges is read on its own")
        << QByteArray(R"({\rtf1\ansi\ansicpg950 \'a4\'80\'a4\'a4})") << u"\u0080中"_s;
    QTest::newRow("a pair the page does not define is one U+FFFD")
        << QByteArray(R"({\rtf1\ansi\ansicpg932 \'85\'40x})") << u"\ufffdx"_s;
    QTest::newRow("charset 0 under a double-byte page is 1252")
        << QByteArray(R"({\rtf1\ansi\ansicpg932{\fonttbl{\f0\fcharset0 Arial;}{\f1\fcharset128 MS Mincho;}})"
                      R"(\f0 caf\'e9 \'93x\'94\f1 \'93\'fa})") << u"café “x”日"_s;
    QTest::newRow("charset 0 under 936, 949 and 950 is 1252 too")
        << QByteArray(R"({\rtf1\ansi\ansicpg936{\fonttbl{\f0\fcharset0 Arial;}}\f0 \'e9)"
                      R"({\*\x}\ansicpg949 \'e9{\*\x}\ansicpg950 \'e9})") << u"ééé"_s;
    QTest::newRow("a font without charset under a double-byte page uses that page")
        << QByteArray(R"({\rtf1\ansi\ansicpg932{\fonttbl{\f0 MS Mincho;}}\f0 \'93\'fa})") << u"日"_s;
    QTest::newRow("Western text in a run marked dbch keeps the run font's page")
        << QByteArray(R"({\rtf1\ansi\ansicpg932\deff0{\fonttbl{\f0\fcharset0 Arial;}{\f1\fcharset128 MS Mincho;}})"
                      R"({\loch\af0\hich\af0\dbch\af1 caf\'e9 \'93x\'94}})") << u"café “x”"_s;
    QTest::newRow("double-byte text in a run marked dbch is in the dbch font's page")
        << QByteArray(R"({\rtf1\ansi\ansicpg1254\deff0{\fonttbl{\f0\fcharset162 Arial;}{\f1\fcharset128 MS Mincho;}})"
                      R"(\f0 \'fd{\dbch\af1 \'93\'fa\'96\'7b}})") << u"ı日本"_s;
    QTest::newRow("mac roman")
        << QByteArray(R"({\rtf1\mac \'8a\'9f})") << u"äü"_s;
    QTest::newRow("mac roman as ansicpg10000")
        << QByteArray(R"({\rtf1\ansi\ansicpg10000 \'8a})") << u"ä"_s;
    QTest::newRow("mac turkish")
        << QByteArray(R"({\rtf1\ansi\ansicpg10081 \'da\'db\'dc\'dd\'de\'df\'8a\'9f})") << u"ĞğİıŞşäü"_s;
    QTest::newRow("mac turkish by font charset 86")
        << QByteArray(R"({\rtf1\mac{\fonttbl{\f0\fcharset86 Geneva;}}\f0 \'dcstanbul})") << u"İstanbul"_s;
    QTest::newRow("mac central european") << QByteArray(R"({\rtf1\ansi\ansicpg10029 \'8c\'9a})") << u"Ćö"_s;
    QTest::newRow("mac cyrillic") << QByteArray(R"({\rtf1\ansi\ansicpg10007 \'80\'9f\'df})") << u"АЯя"_s;
    QTest::newRow("mac icelandic letters")
        << QByteArray(R"({\rtf1\ansi\ansicpg10079 \'a0\'dc\'dd\'de\'df\'e0})") << u"ÝÐðÞþý"_s;
    QTest::newRow("mac japanese is read as shift_jis")
        << QByteArray(R"({\rtf1\ansi\ansicpg10001 \'93\'fa\'96\'7b\'b1})") << u"日本ｱ"_s;
    QTest::newRow("mac korean by font charset 79")
        << QByteArray(R"({\rtf1\mac{\fonttbl{\f0\fcharset79 AppleGothic;}}\f0 \'c7\'d1})") << u"한"_s;
    QTest::newRow("857 turkish dos")
        << QByteArray(R"({\rtf1\ansi\ansicpg857 \'a6\'a7\'98\'8d\'9e\'9f})") << u"ĞğİıŞş"_s;
    QTest::newRow("852 central european dos") << QByteArray(R"({\rtf1\ansi\ansicpg852 \'a6\'a7\'9f})")
                                              << u"Žžč"_s;
    QTest::newRow("pc is code page 437")
        << QByteArray(R"({\rtf1\pc \'81\'87})") << u"üç"_s;
    QTest::newRow("pca is code page 850")
        << QByteArray(R"({\rtf1\pca \'d5\'a7})") << u"ıº"_s;
    QTest::newRow("unknown code page falls back to 1252")
        << QByteArray(R"({\rtf1\ansi\ansicpg99999 \'e9})") << u"é"_s;
    QTest::newRow("byte undefined in 1254 keeps its value")
        << QByteArray(R"({\rtf1\ansi\ansicpg1254 \'81})") << u"\u0081"_s;
}

void TestRtfReader::codePages()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QCOMPARE(documentText(*read(rtf)), expected);
}

void TestRtfReader::unicode_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    QTest::newRow("one fallback byte by default")
        << QByteArray(R"({\rtf1 \u305\'3fx\u351?y})") << u"ıxşy"_s;
    QTest::newRow("uc2 skips two")
        << QByteArray(R"({\rtf1\uc2\u26085\'93\'fax})") << u"日x"_s;
    QTest::newRow("uc0 skips nothing")
        << QByteArray(R"({\rtf1\uc0\u305 x})") << u"ıx"_s;
    QTest::newRow("negative values are 16-bit")
        << QByteArray(R"({\rtf1\u-3913?})") << u"\uf0b7"_s;
    QTest::newRow("surrogate pair")
        << QByteArray(R"({\rtf1\u-10179?\u-8704?})") << u"😀"_s;
    QTest::newRow("surrogate pair with uc switching")
        << QByteArray(R"({\rtf1\uc0 \u55357\uc1 \u56832\'3f!})") << u"😀!"_s;
    QTest::newRow("lone high surrogate")
        << QByteArray(R"({\rtf1\u55357?x})") << u"\ufffdx"_s;
    QTest::newRow("lone low surrogate")
        << QByteArray(R"({\rtf1 x\u56832?})") << u"x\ufffd"_s;
    QTest::newRow("uc is scoped by groups")
        << QByteArray(R"({\rtf1{\uc0\u305}\u305?})") << u"ıı"_s;
    QTest::newRow("a group ends the fallback")
        << QByteArray(R"({\rtf1{\uc3\u305?}ab})") << u"ıab"_s;
    QTest::newRow("fallback counts a control word as one")
        << QByteArray(R"({\rtf1\uc1\u305\emdash x})") << u"ıx"_s;
    QTest::newRow("out of range value")
        << QByteArray(R"({\rtf1\u99999999?x})") << u"\ufffdx"_s;
}

void TestRtfReader::unicode()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QCOMPARE(documentText(*read(rtf)), expected);
}

void TestRtfReader::skippedContent_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    QTest::newRow("unknown ignorable destination")
        << QByteArray(R"({\rtf1 a{\*\unknown junk {nested \par} junk}b})") << u"ab"_s;
    QTest::newRow("star later in a group marks nothing")
        << QByteArray(R"({\rtf1 {\loch\f2\i0\*\cs7\cf0 Bir paragraf metni}\par})") << u"Bir paragraf metni"_s;
    QTest::newRow("star after text in a group marks nothing")
        << QByteArray(R"({\rtf1 x{ \*\unknown y}z})") << u"x yz"_s;
    QTest::newRow("star before a known word that names no destination")
        << QByteArray(R"({\rtf1 a{\*\cs12 b}c})") << u"abc"_s;
    QTest::newRow("star before a destination that does not start here")
        << QByteArray(R"({\rtf1 a{\*\listoverride\ls1 b}{\*\fldrslt{\*\list c}}d})") << u"ad"_s;
    QTest::newRow("star in the document's own group marks nothing")
        << QByteArray(R"({\rtf1 a\*\unknown b\par c})") << u"ab\nc"_s;
    QTest::newRow("unknown word is ignored, its text kept")
        << QByteArray(R"({\rtf1 a{\unknownword b}c})") << u"abc"_s;
    QTest::newRow("info, stylesheet, headers, footers, footnotes")
        << QByteArray(R"({\rtf1{\info{\title T}{\author A}}{\stylesheet{\s0 Normal;}}{\header H}{\footerl F}a{\footnote N\par}b{\annotation X}})")
        << u"ab"_s;
    QTest::newRow("binary data with braces inside a skipped group")
        << QByteArray(R"({\rtf1 a{\*\blob\bin5 {}}\}}b})") << u"ab"_s;
    QTest::newRow("binary data in the text")
        << QByteArray(R"({\rtf1 a\bin3 x}zb})") << u"ab"_s;
    QTest::newRow("hyperlink field shows its result")
        << QByteArray(R"({\rtf1 see {\field{\*\fldinst HYPERLINK "http://x.example/"}{\fldrslt {\ul ba\'f0}}} now})")
        << u"see ba\u00f0 now"_s;
    QTest::newRow("field instruction without star")
        << QByteArray(R"({\rtf1{\field{\fldinst PAGE}{\fldrslt 7}}})") << u"7"_s;
    QTest::newRow("object shows its result")
        << QByteArray(R"({\rtf1{\object\objemb{\*\objclass Paint}{\*\objdata 0102}{\result R}}})") << u"R"_s;
    QTest::newRow("shape shows its result")
        << QByteArray(R"({\rtf1{\shp{\*\shpinst{\sp{\sn x}{\sv 1}}}{\shprslt S}}})") << u"S"_s;
    QTest::newRow("old numbering text is not doubled")
        << QByteArray(R"({\rtf1{\pntext\f1\'b7\tab}{\*\pn\pnlvlblt\pnf1{\pntxtb\'b7}}item\par})") << u"item"_s;
    QTest::newRow("list text is not doubled")
        << QByteArray(R"({\rtf1{\listtext\pard\plain 1.\tab}\ls1 item\par})") << u"item"_s;
    QTest::newRow("only the unicode alternative of upr")
        << QByteArray(R"({\rtf1{\upr{ansi}{\*\ud{unicode}}}})") << u"unicode"_s;
    QTest::newRow("non-picture alternative skipped")
        << QByteArray(R"({\rtf1 a{\nonshppict{\pict\wmetafile8 0102}}b})") << u"ab"_s;
}

void TestRtfReader::skippedContent()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QCOMPARE(documentText(*read(rtf)), expected);
}

void TestRtfReader::tables_data()
{
    // What each producer's shape of a table reads as: rows, cells, spans,
    // column shares and texts (TableShapes.h), nothing of the text dropped.
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    const QString twoByTwo = u"table 1, 2 columns: 50% 50%\n  \"a\" | \"b\"\n  \"c\" | \"d\"\n"_s;
    QTest::newRow("cells and rows")
        << QByteArray(R"({\rtf1\trowd\cellx1000\cellx2000\pard\intbl a\cell b\cell\row)"
                      R"(\trowd\cellx1000\cellx2000\pard\intbl c\cell d\cell\row\pard after\par})")
        << twoByTwo;
    QTest::newRow("definition only after the cells")
        << QByteArray(R"({\rtf1\pard\intbl a\cell b\cell\pard\intbl{\trowd\cellx1\cellx2\row})"
                      R"(\pard\intbl c\cell d\cell\pard\intbl{\trowd\cellx1\cellx2\row}\pard e\par})")
        << twoByTwo;
    QTest::newRow("last row without \\row")
        << QByteArray(R"({\rtf1\trowd\cellx1000\cellx2000\pard\intbl a\cell b\cell\row)"
                      R"(\trowd\cellx1000\cellx2000\pard\intbl c\cell d\cell\pard e\par})")
        << twoByTwo;
    QTest::newRow("no \\row at all")
        << QByteArray(R"({\rtf1\trowd\cellx1000\cellx2000\pard\intbl a\cell b\cell)"
                      R"(\trowd\cellx1000\cellx2000\pard\intbl c\cell d\cell})")
        << u"table 1, 4 columns: 25% 25% 25% 25%\n  \"a\" | \"b\" | \"c\" | \"d\"\n"_s;
    QTest::newRow("\\cell outside \\intbl")
        << QByteArray(R"({\rtf1\trowd\cellx1000\cellx2000 a\cell b\cell\row\trowd\cellx1000\cellx2000 c\cell d\cell\row})")
        << twoByTwo;
    QTest::newRow("no \\cellx at all")
        << QByteArray(R"({\rtf1\trowd\pard\intbl a\cell b\cell\row\trowd\pard\intbl c\cell d\cell\row})") << twoByTwo;
    QTest::newRow("more cells than \\cellx")
        << QByteArray(R"({\rtf1\trowd\cellx1000\pard\intbl a\cell b\cell c\cell\row})")
        << u"table 1, 3 columns: 33% 33% 33%\n  \"a\" | \"b\" | \"c\"\n"_s;
    QTest::newRow("text after the last \\cell")
        << QByteArray(R"({\rtf1\trowd\cellx1000\cellx2000\pard\intbl a\cell b\row})")
        << u"table 1, 2 columns: 50% 50%\n  \"a\" | \"b\"\n"_s;
    QTest::newRow("paragraphs and empty cells")
        << QByteArray(R"({\rtf1\trowd\cellx1000\cellx2000\cellx3000\pard\intbl x\par y\cell\cell z\cell\row})")
        << u"table 1, 3 columns: 33% 33% 33%\n  \"x¶y\" | \"\" | \"z\"\n"_s;
    QTest::newRow("rows with differing boundaries share one grid")
        << QByteArray(R"({\rtf1\trowd\cellx1000\cellx4000\pard\intbl a\cell b\cell\row)"
                      R"(\trowd\cellx3000\cellx4000\pard\intbl c\cell d\cell\row})")
        << u"table 1, 3 columns: 25% 50% 25%\n  \"a\" | \"b\" (2 columns)\n  \"c\" (2 columns) | \"d\"\n"_s;
    QTest::newRow("merged across")
        << QByteArray(R"({\rtf1\trowd\clmgf\cellx1000\clmrg\cellx2000\cellx3000\pard\intbl a\cell\cell b\cell\row)"
                      R"(\trowd\cellx1000\cellx2000\cellx3000\pard\intbl c\cell d\cell e\cell\row})")
        << u"table 1, 3 columns: 33% 33% 33%\n  \"a\" (2 columns) | \"b\"\n  \"c\" | \"d\" | \"e\"\n"_s;
    QTest::newRow("merged down")
        << QByteArray(R"({\rtf1\trowd\clvmgf\cellx1000\cellx2000\pard\intbl a\cell b\cell\row)"
                      R"(\trowd\clvmrg\cellx1000\cellx2000\pard\intbl\cell d\cell\row})")
        << u"table 1, 2 columns: 50% 50%\n  \"a\" (2 rows) | \"b\"\n  \"d\"\n"_s;
    QTest::newRow("a row shorter than the table ends in a filler")
        << QByteArray(R"({\rtf1\trowd\cellx1000\cellx2000\pard\intbl a\cell b\cell\row)"
                      R"(\trowd\cellx1000\pard\intbl c\cell\row})")
        << u"table 1, 2 columns: 50% 50%\n  \"a\" | \"b\"\n  \"c\"\n"_s;
    QTest::newRow("nested, its row defined in \\nesttableprops")
        << QByteArray(R"({\rtf1\trowd\cellx2000\cellx4000\pard\intbl a\cell\pard\intbl\itap2 x\nestcell y\nestcell)"
                      R"({\*\nesttableprops\trowd\cellx1000\cellx2000\nestrow}{\nonesttables\par}\pard\intbl\cell\row})")
        << u"table 1, 2 columns: 50% 50%\n  \"a\" | \"[table 2]¶\"\n"
           u"table 2 in table 1, 2 columns: 50% 50%\n  \"x\" | \"y\"\n"_s;
    QTest::newRow("nested cells inside \\nesttableprops")
        << QByteArray(R"({\rtf1\trowd\cellx2000\cellx4000\pard\intbl a\cell\pard\intbl\itap2)"
                      R"({\*\nesttableprops\trowd\cellx1000\cellx2000\pard\intbl\itap2 x\nestcell y\nestcell\nestrow})"
                      R"({\nonesttables\par}\pard\intbl b\cell\row})")
        << u"table 1, 2 columns: 50% 50%\n  \"a\" | \"[table 2]¶b\"\n"
           u"table 2 in table 1, 2 columns: 50% 50%\n  \"x\" | \"y\"\n"_s;
    QTest::newRow("nested without \\itap")
        << QByteArray(R"({\rtf1\trowd\cellx2000\pard\intbl x\nestcell y\nestcell{\*\nesttableprops\nestrow}z\cell\row})")
        << u"table 1, 1 columns: 100%\n  \"[table 2]¶z\"\n"
           u"table 2 in table 1, 2 columns: 50% 50%\n  \"x\" | \"y\"\n"_s;
}

void TestRtfReader::tables()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QCOMPARE(tableShapes(*read(rtf)), expected);
}

void TestRtfReader::fontNames_data()
{
    QTest::addColumn<QByteArray>("fontTable");
    QTest::addColumn<QString>("face");

    QTest::newRow("plain")
        << QByteArray(R"({\fonttbl{\f0\froman\fprq2\fcharset0 Times New Roman;}})") << u"Times New Roman"_s;
    QTest::newRow("hex escapes in the font's charset")
        << QByteArray(R"({\fonttbl{\f0\fcharset162 T\'fcrk\'e7e Yaz\'fd;}})") << u"Türkçe Yazı"_s;
    QTest::newRow("unicode escapes")
        << QByteArray(R"({\fonttbl{\f0\fcharset0 Yaz\u305\'3f Tipi;}})") << u"Yazı Tipi"_s;
    QTest::newRow("double-byte name")
        << QByteArray(R"({\fonttbl{\f0\fcharset128 \'82\'6c\'82\'72 \'96\'be\'92\'a9;}})") << u"ＭＳ 明朝"_s;
    QTest::newRow("alternative and panose skipped")
        << QByteArray(R"({\fonttbl{\f0\fswiss{\*\panose 020b0604020202020204}Liberation Sans{\*\falt Arial};}})")
        << u"Liberation Sans"_s;
    QTest::newRow("entries without their own groups")
        << QByteArray(R"({\fonttbl\f1\fswiss Helvetica;\f0\fnil Courier;})") << u"Courier"_s;
    QTest::newRow("no closing semicolon")
        << QByteArray(R"({\fonttbl{\f0 Georgia}})") << u"Georgia"_s;
}

void TestRtfReader::fontNames()
{
    QFETCH(QByteArray, fontTable);
    QFETCH(QString, face);
    const auto doc = read(QByteArray("{\\rtf1\\ansi\\deff0" + fontTable + "\\f0 x}"));
    QCOMPARE(faceOf(*doc, formatAt(*doc, 0, 0)), face);
}

void TestRtfReader::libreOfficeDialect()
{
    // As LibreOffice writes: no \ansicpg, Turkish letters as \uN\'3f, the
    // default face from \deff, \loch/\hich noise, \lin next to \li.
    const QByteArray rtf = R"({\rtf1\ansi\deff3\adeflang1025
{\fonttbl{\f0\froman\fprq2\fcharset0 Times New Roman;}{\f3\froman\fprq2\fcharset0 Liberation Serif{\*\falt Times New Roman};}{\f6\fnil\fprq0\fcharset0 Courier New;}}
{\colortbl;\red0\green0\blue0;\red255\green0\blue0;}
{\stylesheet{\s0\snext0\rtlch\af7\afs24\alang1081 \ltrch\hich\af3\loch\f3\fs24 Normal;}}
\pard\plain \s0\loch\qc\ltrpar{\loch\b\loch
Kal\u305\'3fn}{\loch
 }{\hich\af6\loch\cf2\fs36\f6\loch
k\u305\'3frm\u305\'3fz\u305\'3f}
\par \pard\plain \s0\loch\li0\ri0\lin0\rin0\fi-283\ql\li709\ri0\lin709\rin0\fi-283\ltrpar{\loch
girinti}
\par })";
    const auto doc = read(rtf);
    QCOMPARE(paragraphTexts(*doc), QStringList({u"Kalın kırmızı"_s, u"girinti"_s}));
    const QTextCharFormat bold = formatAt(*doc, 0, 0);
    QCOMPARE(faceOf(*doc, bold), u"Liberation Serif"_s);
    QCOMPARE(bold.fontWeight(), int(QFont::Bold));
    QCOMPARE(bold.fontPointSize(), 12.0);
    const QTextCharFormat red = formatAt(*doc, 0, 6);
    QCOMPARE(faceOf(*doc, red), u"Courier New"_s);
    QCOMPARE(red.fontPointSize(), 18.0);
    QCOMPARE(colourOf(red), u"#ff0000"_s);
    QCOMPARE(paragraph(*doc, 0).blockFormat().alignment(), Qt::AlignHCenter);
    QCOMPARE(model::indents(paragraph(*doc, 1).blockFormat()), (model::ParagraphIndents{426, 283, 0}));
}

void TestRtfReader::abiWordDialect()
{
    // AbiWord declares 1252 and writes Turkish letters as \uc0\uN.
    const QByteArray rtf = R"({\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fnil\fcharset0 Times New Roman;}}
{\colortbl\red0\green0\blue0;}
\uc0\pard\plain\f0\fs24 {\uc0 Ayd\u305nl\u305k g\u252nler}\par}
)";
    QCOMPARE(documentText(*read(rtf)), u"Aydınlık günler"_s);
}

void TestRtfReader::htmlInRtf()
{
    // An e-mail body: HTML wrapped in RTF. The readable text is what lies
    // outside the \htmltag groups, including the \htmlrtf parts.
    const QByteArray rtf = R"({\rtf1\ansi\ansicpg1254\fromhtml1 \fbidis \deff0{\fonttbl
{\f0\fswiss\fcharset162 Arial;}}
\uc1\pard\plain\deftab360 \f0\fs24
{\*\htmltag19 <html>}{\*\htmltag34 <head>}{\*\htmltag1 <title>Konu</title>}{\*\htmltag41 </head>}
{\*\htmltag50 <body>}\htmlrtf \lang1055 \htmlrtf0
{\*\htmltag64 <p>}\htmlrtf {\htmlrtf0 Merhaba{\*\htmltag84 &nbsp;}\htmlrtf \'a0\htmlrtf0 d\'fcnya
{\*\htmltag84 <b>}\htmlrtf {\b \htmlrtf0 kal\'fdn{\*\htmltag92 </b>}\htmlrtf }\htmlrtf0
{\*\htmltag72 </p>}\htmlrtf \par
}\htmlrtf0
{\*\htmltag64 <p>}\htmlrtf {\htmlrtf0 ikinci\htmlrtf\par
}\htmlrtf0 {\*\htmltag72 </p>}
{\*\htmltag58 </body>}{\*\htmltag27 </html>}})";
    const auto doc = read(rtf);
    QCOMPARE(paragraphTexts(*doc), QStringList({u"Merhaba\u00a0dünyakalın"_s, u"ikinci"_s}));
    QCOMPARE(formatAt(*doc, 0, 14).fontWeight(), int(QFont::Bold));
}

void TestRtfReader::notRtfIsRejected_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("plain text") << QByteArray("hello");
    QTest::newRow("leading space") << QByteArray(" {\\rtf1 x}");
    QTest::newRow("other group") << QByteArray("{\\rt x}");
}

void TestRtfReader::notRtfIsRejected()
{
    QFETCH(QByteArray, data);
    auto doc = newDocument();
    doc->setPlainText(u"kept"_s);
    QVERIFY_THROWS_EXCEPTION(EReadError, readRtf(*doc, data));
    QCOMPARE(doc->toPlainText(), u"kept"_s);
    QVERIFY(!isRtf(data));
}

void TestRtfReader::emptyDocument()
{
    RtfReport report;
    auto doc = newDocument();
    doc->setPlainText(u"old\nlines"_s);
    report = readRtf(*doc, "{\\rtf1}");
    QVERIFY(!report.malformed);
    QCOMPARE(doc->blockCount(), 1);
    QVERIFY(doc->isEmpty());
}

void TestRtfReader::loadingClearsUndoAndModified()
{
    auto doc = newDocument();
    QTextCursor(doc.get()).insertText(u"typed"_s);
    QVERIFY(doc->isUndoAvailable());
    doc->setModified(true);
    readRtf(*doc, "{\\rtf1 new}");
    QVERIFY(!doc->isUndoAvailable());
    QVERIFY(!doc->isModified());
    QVERIFY(doc->isUndoRedoEnabled());
    QCOMPARE(doc->toPlainText(), u"new"_s);
}

QTEST_GUILESS_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
