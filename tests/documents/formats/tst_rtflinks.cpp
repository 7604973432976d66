// Links in RTF: HYPERLINK fields in the shapes writers give them become
// linked text with its target, tooltip and formatting; other fields keep
// their result text; links are written back as fields that read the same.

#include "formats/DocumentIO.h"
#include "formats/rtf/RtfFields.h"
#include "FormatTestSupport.h"
#include "model/Links.h"

#include <QTest>
#include <QTextCursor>

using namespace Qt::StringLiterals;
using namespace kelmora;
using namespace kelmora::formats;
using namespace kelmora::formats::test;

class TestRtfLinks : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void instructions_data();
    void instructions();
    void fieldsRead_data();
    void fieldsRead();
    void resultKeepsItsFormatting();
    void writtenBack_data();
    void writtenBack();
    void keptInstructionOnlyWhileItNamesTheTarget_data();
    void keptInstructionOnlyWhileItNamesTheTarget();
};

namespace {

QString marked(const QTextDocument &doc)
{
    return markedLinks(doc);
}

} // namespace

void TestRtfLinks::instructions_data()
{
    QTest::addColumn<QString>("instruction");
    QTest::addColumn<QString>("target"); // empty: no link
    QTest::addColumn<QString>("toolTip");

    QTest::newRow("quoted") << uR"(HYPERLINK "http://example.org/")"_s << u"http://example.org/"_s << QString();
    QTest::newRow("quoted with blanks around")
        << uR"(  HYPERLINK   "http://example.org/a b"  )"_s << u"http://example.org/a b"_s << QString();
    QTest::newRow("unquoted, as older writers do")
        << uR"(HYPERLINK http://www.example.net/giris.html )"_s << u"http://www.example.net/giris.html"_s
        << QString();
    QTest::newRow("tooltip after the target")
        << uR"(HYPERLINK "https://example.com.tr/" \o "Ürünler")"_s << u"https://example.com.tr/"_s << u"Ürünler"_s;
    QTest::newRow("tooltip before the target")
        << uR"(HYPERLINK \o "İpucu" "https://example.com.tr/")"_s << u"https://example.com.tr/"_s << u"İpucu"_s;
    QTest::newRow("a place in the document only") << uR"(HYPERLINK \l "_Giris")"_s << u"#_Giris"_s << QString();
    QTest::newRow("a place in another document")
        << uR"(HYPERLINK "https://example.org/k.html" \l "bolum-3")"_s << u"https://example.org/k.html#bolum-3"_s
        << QString();
    QTest::newRow("switches without an argument are stepped over")
        << uR"(HYPERLINK \m \n "http://example.org/" \h)"_s << u"http://example.org/"_s << QString();
    QTest::newRow("frame and format switches take their argument")
        << uR"(HYPERLINK \t "_blank" "http://example.org/" \* MERGEFORMAT)"_s << u"http://example.org/"_s
        << QString();
    QTest::newRow("escaped backslashes in a path")
        << uR"(HYPERLINK "C:\\Belgeler\\Rapor.docx")"_s << uR"(C:\Belgeler\Rapor.docx)"_s << QString();
    QTest::newRow("escaped quote in a tooltip")
        << uR"(HYPERLINK "http://x.example/" \o "a \"b\" c")"_s << u"http://x.example/"_s << u"a \"b\" c"_s;
    QTest::newRow("unclosed quote runs to the end")
        << uR"(HYPERLINK "http://x.example/yol)"_s << u"http://x.example/yol"_s << QString();
    QTest::newRow("lower case") << uR"(hyperlink "http://x.example/")"_s << u"http://x.example/"_s << QString();
    QTest::newRow("no target") << uR"(HYPERLINK)"_s << QString() << QString();
    QTest::newRow("empty target") << uR"(HYPERLINK "")"_s << QString() << QString();
    QTest::newRow("another field") << uR"(PAGE \* MERGEFORMAT)"_s << QString() << QString();
    QTest::newRow("a word that only starts so") << uR"(HYPERLINKS "http://x.example/")"_s << QString() << QString();
}

void TestRtfLinks::instructions()
{
    QFETCH(QString, instruction);
    QFETCH(QString, target);
    QFETCH(QString, toolTip);
    const std::optional<model::Link> link = parseHyperlink(instruction);
    QCOMPARE(link.has_value(), !target.isEmpty());
    if (!link)
        return;
    QCOMPARE(link->target, target);
    QCOMPARE(link->toolTip, toolTip);
    QCOMPARE(link->kept, instruction.trimmed());
}

void TestRtfLinks::fieldsRead_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    QTest::newRow("result is the link's text")
        << QByteArray(R"({\rtf1 see {\field{\*\fldinst HYPERLINK "http://x.example/"}{\fldrslt {\ul ba\'f0}}} now})")
        << u"see [ba\u00f0](http://x.example/) now"_s;
    QTest::newRow("instruction split over groups and runs")
        << QByteArray(R"({\rtf1{\field{\*\fldinst {\lang1055 HYPERLINK }{"mailto:bilgi@example.com}{.tr" }}{\fldrslt bilgi}}})")
        << u"[bilgi](mailto:bilgi@example.com.tr)"_s;
    QTest::newRow("escaped switches and tooltip in the code page")
        << QByteArray(R"({\rtf1\ansi\ansicpg1254{\field{\*\fldinst HYPERLINK "http://x.example/" \\o "\'dcr\'fcn"}{\fldrslt a}}})")
        << u"[a](http://x.example/ \"Ürün\")"_s;
    QTest::newRow("unicode in the instruction")
        << QByteArray(R"({\rtf1{\field{\*\fldinst HYPERLINK "#Ba\u351\'3fl\u305\'3fk" }{\fldrslt i\'e7}}})")
        << u"[iç](#Başlık)"_s;
    QTest::newRow("a place in the document")
        << QByteArray(R"({\rtf1{\field{\*\fldinst { HYPERLINK \\l "_Giris" }}{\fldrslt giri\'fe}}})")
        << u"[giriþ](#_Giris)"_s;
    QTest::newRow("path with escaped backslashes")
        << QByteArray(R"({\rtf1{\field{\*\fldinst HYPERLINK "C:\\\\Belgeler\\\\a.doc"}{\fldrslt a}}})")
        << uR"([a](C:\Belgeler\a.doc))"_s;
    QTest::newRow("old datafield beside the instruction")
        << QByteArray(R"({\rtf1{\field\fldedit{\*\fldinst {HYPERLINK "http://x.example/" }{{\*\datafield 00d0c9ea}}}{\fldrslt x}}})")
        << u"[x](http://x.example/)"_s;
    QTest::newRow("empty group after the result")
        << QByteArray(R"({\rtf1 a{{\field{\*\fldinst HYPERLINK "http://x.example/" }{\fldrslt {\ul b}{}}}}c})")
        << u"a[b](http://x.example/)c"_s;
    QTest::newRow("plain inside the result stays linked")
        << QByteArray(R"({\rtf1{\field{\*\fldinst HYPERLINK "http://x.example/"}{\fldrslt {\b a}\plain b}}c})")
        << u"[ab](http://x.example/)c"_s;
    QTest::newRow("result over two paragraphs")
        << QByteArray(R"({\rtf1{\field{\*\fldinst HYPERLINK "http://x.example/"}{\fldrslt a\par b}}c})")
        << u"[a](http://x.example/)\n[b](http://x.example/)c"_s;
    QTest::newRow("two links side by side")
        << QByteArray(R"({\rtf1{\field{\*\fldinst HYPERLINK "http://a.example/"}{\fldrslt a}}{\field{\*\fldinst HYPERLINK "http://b.example/"}{\fldrslt b}}})")
        << u"[a](http://a.example/)[b](http://b.example/)"_s;
    QTest::newRow("a field inside the result")
        << QByteArray(R"({\rtf1{\field{\*\fldinst HYPERLINK "http://x.example/"}{\fldrslt s.{\field{\*\fldinst PAGE}{\fldrslt 3}}}}})")
        << u"[s.3](http://x.example/)"_s;
    QTest::newRow("other fields keep their result, unlinked")
        << QByteArray(R"({\rtf1 sayfa {\field{\*\fldinst { PAGE \\* MERGEFORMAT }}{\fldrslt {\noproof 7}}}.})")
        << u"sayfa 7."_s;
    QTest::newRow("instruction without a star")
        << QByteArray(R"({\rtf1{\field{\fldinst HYPERLINK "http://x.example/"}{\fldrslt a}}})")
        << u"[a](http://x.example/)"_s;
    QTest::newRow("a field without a result shows nothing")
        << QByteArray(R"({\rtf1 a{\field{\*\fldinst HYPERLINK "http://x.example/"}}b})") << u"ab"_s;
    QTest::newRow("a result outside a field is text")
        << QByteArray(R"({\rtf1 a{\fldrslt b}c})") << u"abc"_s;
    QTest::newRow("an instruction outside a field is not")
        << QByteArray(R"({\rtf1 a{\fldinst HYPERLINK "http://x.example/"}b})") << u"ab"_s;
    QTest::newRow("instruction word in the field's own group is ignored")
        << QByteArray(R"({\rtf1{\field\fldinst x{\fldrslt a}}})") << u"a"_s;
    QTest::newRow("text after the result is not linked")
        << QByteArray(R"({\rtf1{\field{\*\fldinst HYPERLINK "http://x.example/"}{\fldrslt a} b}c})")
        << u"[a](http://x.example/)c"_s;
}

void TestRtfLinks::fieldsRead()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    RtfReport report;
    const auto doc = readNew(rtf, &report);
    QVERIFY2(!report.malformed, qPrintable(report.problem));
    QCOMPARE(marked(*doc), expected);
}

// The result's text looks as the file gives it, run by run; text after the
// field is not linked and keeps the look before it.
void TestRtfLinks::resultKeepsItsFormatting()
{
    const auto doc = readNew(QByteArray(
        R"({\rtf1{\fonttbl{\f0 Arial;}{\f1 Times New Roman;}}{\colortbl;\red5\green99\blue193;})"
        R"(a{\field{\*\fldinst HYPERLINK "http://x.example/"}{\fldrslt {\cf1\ul b}{\b\cf1\ul\f1 c}}}d})"));
    QCOMPARE(marked(*doc), u"a[bc](http://x.example/)d"_s);
    QCOMPARE(describeRun(*doc, formatAt(*doc, 0, 1)),
             u"face=Arial size=12 b=0 i=0 u=1 s=0 colour=#0563c1 bg=none valign=0"_s);
    QCOMPARE(describeRun(*doc, formatAt(*doc, 0, 2)),
             u"face=Times New Roman size=12 b=1 i=0 u=1 s=0 colour=#0563c1 bg=none valign=0"_s);
    QCOMPARE(describeRun(*doc, formatAt(*doc, 0, 3)), describeRun(*doc, formatAt(*doc, 0, 0)));
}

void TestRtfLinks::writtenBack_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QByteArray>("field"); // in what is written, up to the result's text

    QTest::newRow("quoted target")
        << QByteArray(R"({\rtf1{\field{\*\fldinst HYPERLINK "http://x.example/" }{\fldrslt a}}})")
        << QByteArray(R"({\field{\*\fldinst HYPERLINK "http://x.example/"}{\fldrslt {\f0\fs24 a}}})");
    QTest::newRow("switches, tooltip and path as written")
        << QByteArray(R"({\rtf1\ansicpg1254{\field{\*\fldinst HYPERLINK "C:\\\\B\\\\a.doc" \\t "_blank" \\o "\'dc"}{\fldrslt a}}})")
        << QByteArray(R"({\field{\*\fldinst HYPERLINK "C:\\\\B\\\\a.doc" \\t "_blank" \\o "\'dc"}{\fldrslt {\f0\fs24 a}}})");
    QTest::newRow("unquoted form as written")
        << QByteArray(R"({\rtf1{\field{\*\fldinst{HYPERLINK http://x.example/ }}{\fldrslt a}}})")
        << QByteArray(R"({\field{\*\fldinst HYPERLINK http://x.example/}{\fldrslt {\f0\fs24 a}}})");
    QTest::newRow("one field over runs of two looks")
        << QByteArray(R"({\rtf1{\field{\*\fldinst HYPERLINK "#yer"}{\fldrslt a{\b b}}}c})")
        << QByteArray(R"({\field{\*\fldinst HYPERLINK "#yer"}{\fldrslt {\f0\fs24 a}{\f0\fs24\b b}}}{\f0\fs24 c})");
}

void TestRtfLinks::writtenBack()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QByteArray, field);
    const auto doc = readNew(rtf);
    const QByteArray written = toRtf(*doc);
    QVERIFY2(written.contains(field), written.constData());
    // And it reads as the same links.
    QCOMPARE(marked(*readNew(written)), marked(*doc));
}

void TestRtfLinks::keptInstructionOnlyWhileItNamesTheTarget_data()
{
    QTest::addColumn<model::Link>("link");
    QTest::addColumn<QString>("instruction");

    QTest::newRow("kept") << model::Link{u"http://x.example/"_s, QString(), uR"(HYPERLINK "http://x.example/" \t "_top")"_s}
                          << uR"(HYPERLINK "http://x.example/" \t "_top")"_s;
    QTest::newRow("target changed") << model::Link{u"http://y.example/"_s, QString(), uR"(HYPERLINK "http://x.example/")"_s}
                                    << uR"(HYPERLINK "http://y.example/")"_s;
    QTest::newRow("none kept, a place") << model::Link{u"#Başlık"_s, QString(), QString()} << uR"(HYPERLINK \l "Başlık")"_s;
    QTest::newRow("none kept, tooltip and quotes")
        << model::Link{uR"(C:\a "b".doc)"_s, u"İpucu"_s, QString()} << uR"(HYPERLINK "C:\\a \"b\".doc" \o "İpucu")"_s;
}

void TestRtfLinks::keptInstructionOnlyWhileItNamesTheTarget()
{
    QFETCH(model::Link, link);
    QFETCH(QString, instruction);
    QCOMPARE(hyperlinkInstruction(link), instruction);
    const std::optional<model::Link> back = parseHyperlink(instruction);
    QVERIFY(back);
    QCOMPARE(back->target, link.target);
    QCOMPARE(back->toolTip, link.toolTip);
}

QTEST_GUILESS_MAIN(TestRtfLinks)
#include "tst_rtflinks.moc"
