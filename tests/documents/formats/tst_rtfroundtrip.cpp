// Model -> RTF -> model keeps every attribute and every script; what the
// writer emits (header, tables, escapes) is what other programs expect.

#include "formats/DocumentIO.h"
#include "base/Exceptions.h"
#include "FormatTestSupport.h"
#include "TableShapes.h"
#include "model/TableFormat.h"
#include "formats/OutputSink.h"
#include "formats/Writers.h"

#include <QTest>
#include <QTextCursor>
#include <QTextList>
#include <QTextTable>

using namespace Qt::StringLiterals;
using namespace kelmora;
using namespace kelmora::formats;
using namespace kelmora::formats::test;

class TestRtfRoundTrip : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void characterAttributes_data();
    void characterAttributes();
    void paragraphAttributes_data();
    void paragraphAttributes();
    void scripts_data();
    void scripts();
    void paragraphStructure_data();
    void paragraphStructure();
    void listsKeepTheirItems();
    void tablesComeBack_data();
    void tablesComeBack();
    void writerHeaderAndTables();
    void writerEscapes_data();
    void writerEscapes();
    void keptPartsWrittenWhereTheyWere_data();
    void keptPartsWrittenWhereTheyWere();
    void failedWriteThrows();
};

namespace {

// Applies a recipe such as "b i face:Georgia size:10.5 colour:#123456" to f.
void applyRecipe(QTextCharFormat &f, const QString &recipe)
{
    for (const QString &item : recipe.split(u' ', Qt::SkipEmptyParts)) {
        const QString value = item.section(u':', 1).replace(u'_', u' ');
        if (item == u"b")
            f.setFontWeight(QFont::Bold);
        else if (item == u"i")
            f.setFontItalic(true);
        else if (item == u"u")
            f.setFontUnderline(true);
        else if (item == u"s")
            f.setFontStrikeOut(true);
        else if (item == u"super")
            f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        else if (item == u"sub")
            f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        else if (item.startsWith(u"face:"))
            f.setFontFamilies({value});
        else if (item.startsWith(u"size:"))
            f.setFontPointSize(value.toDouble());
        else if (item.startsWith(u"colour:"))
            f.setForeground(QColor(value));
        else if (item.startsWith(u"bg:"))
            f.setBackground(QColor(value));
        else
            qFatal("unknown recipe item");
    }
}

std::unique_ptr<QTextDocument> roundTrip(const QTextDocument &doc)
{
    auto back = newDocument();
    const RtfReport report = readRtf(*back, toRtf(doc));
    if (report.malformed)
        qWarning("our own RTF is malformed: %s", qPrintable(report.problem));
    return back;
}

} // namespace

void TestRtfRoundTrip::characterAttributes_data()
{
    QTest::addColumn<QString>("recipe");
    QTest::newRow("nothing") << u""_s;
    QTest::newRow("bold") << u"b"_s;
    QTest::newRow("italic") << u"i"_s;
    QTest::newRow("underline") << u"u"_s;
    QTest::newRow("strikeout") << u"s"_s;
    QTest::newRow("all styles") << u"b i u s"_s;
    QTest::newRow("face") << u"face:Times_New_Roman"_s;
    QTest::newRow("face with Turkish letters") << u"face:Çizgi_Yazı_Şık"_s;
    QTest::newRow("face with CJK letters") << u"face:ＭＳ_明朝"_s;
    QTest::newRow("size") << u"size:7"_s;
    QTest::newRow("half point size") << u"size:10.5"_s;
    QTest::newRow("large size") << u"size:72"_s;
    QTest::newRow("colour") << u"colour:#123456"_s;
    QTest::newRow("black is not automatic") << u"colour:#000000"_s;
    QTest::newRow("highlight") << u"bg:#ffff00"_s;
    QTest::newRow("superscript") << u"super"_s;
    QTest::newRow("subscript") << u"sub size:8"_s;
    QTest::newRow("everything") << u"b i u s face:Courier_New size:15.5 colour:#ff8000 bg:#00ffff"_s;
}

void TestRtfRoundTrip::characterAttributes()
{
    QFETCH(QString, recipe);
    auto doc = newDocument();
    QTextCursor c(doc.get());
    QTextCharFormat plain;
    QTextCharFormat special;
    applyRecipe(special, recipe);
    c.insertText(u"önce "_s, plain);
    c.insertText(u"biçimli"_s, special);
    c.insertText(u" sonra"_s, plain);
    const auto back = roundTrip(*doc);
    QCOMPARE(documentText(*back), u"önce biçimli sonra"_s);
    QCOMPARE(describeRun(*back, formatAt(*back, 0, 6)), describeRun(*doc, formatAt(*doc, 0, 6)));
    QCOMPARE(describeRun(*back, formatAt(*back, 0, 0)), describeRun(*doc, formatAt(*doc, 0, 0)));
    QCOMPARE(describeRun(*back, formatAt(*back, 0, 15)), describeRun(*doc, formatAt(*doc, 0, 15)));
}

void TestRtfRoundTrip::paragraphAttributes_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("numbering");

    const int none = int(model::Numbering::None);
    QTest::newRow("left") << int(Qt::AlignLeft) << 0 << 0 << 0 << none;
    QTest::newRow("centre") << int(Qt::AlignHCenter) << 0 << 0 << 0 << none;
    QTest::newRow("right") << int(Qt::AlignRight) << 0 << 0 << 0 << none;
    QTest::newRow("justify") << int(Qt::AlignJustify) << 0 << 0 << 0 << none;
    QTest::newRow("indents in odd twips") << int(Qt::AlignLeft) << 283 << 17 << 31 << none;
    QTest::newRow("negative first indent") << int(Qt::AlignLeft) << -200 << 400 << 0 << none;
    QTest::newRow("negative left offset") << int(Qt::AlignRight) << 720 << -360 << 1440 << none;
    QTest::newRow("bullet") << int(Qt::AlignLeft) << 0 << 200 << 0 << int(model::Numbering::Bullet);
    QTest::newRow("numbered, centred") << int(Qt::AlignHCenter) << 360 << 360 << 100 << int(model::Numbering::Other);
}

void TestRtfRoundTrip::paragraphAttributes()
{
    QFETCH(int, alignment);
    QFETCH(int, first);
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(int, numbering);
    auto doc = newDocument();
    QTextCursor c(doc.get());
    c.insertText(u"önceki"_s);
    QTextBlockFormat f;
    f.setAlignment(Qt::Alignment(alignment));
    const auto kind = model::Numbering(numbering);
    model::setIndents(f, {first, left, right}, kind != model::Numbering::None);
    c.insertBlock(f);
    if (kind != model::Numbering::None)
        c.createList(model::listFormat(kind));
    c.insertText(u"paragraf"_s);
    c.insertBlock(QTextBlockFormat());
    c.insertText(u"sonraki"_s);

    const auto back = roundTrip(*doc);
    QCOMPARE(paragraphTexts(*back), QStringList({u"önceki"_s, u"paragraf"_s, u"sonraki"_s}));
    for (int i = 0; i < 3; ++i) {
        const QTextBlock was = paragraph(*doc, i);
        const QTextBlock is = paragraph(*back, i);
        QCOMPARE(int(is.blockFormat().alignment()), int(was.blockFormat().alignment() ? was.blockFormat().alignment()
                                                                                     : Qt::AlignLeft));
        QCOMPARE(model::indents(is.blockFormat()), model::indents(was.blockFormat()));
        QCOMPARE(model::numbering(is), model::numbering(was));
        QCOMPARE(is.blockFormat().leftMargin(), was.blockFormat().leftMargin());
        QCOMPARE(is.blockFormat().textIndent(), was.blockFormat().textIndent());
    }
}

void TestRtfRoundTrip::scripts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("written"); // a piece the RTF must contain

    QTest::newRow("Turkish") << u"İstanbul'da Iğdır şekeri: ÇĞİÖŞÜ çğıöşü €"_s << QByteArray("I\\'f0d\\'fdr");
    QTest::newRow("Greek") << u"Καλημέρα κόσμε"_s << QByteArray("\\u922?");
    QTest::newRow("Cyrillic") << u"Привет, мир! Ёё"_s << QByteArray("\\u1055?");
    QTest::newRow("CJK, with its own face for \\dbch text")
        << u"日本語の文章と中文和한국어"_s << QByteArray("{\\f0\\fs24\\dbch\\af0\\afs24\\loch \\u26085?");
    QTest::newRow("emoji") << u"😀 👩‍👩‍👧 👍🏽 🇹🇷"_s << QByteArray("\\u-10179?\\u-8704?");
    QTest::newRow("RTF's own characters") << u"a\\b{c}d"_s << QByteArray("a\\\\b\\{c\\}d");
    QTest::newRow("tab, line break, no-break space, soft and hard hyphens")
        << u"a\tb\u2028c\u00a0d\u00ade\u2011f"_s << QByteArray("a\\tab b\\line c\\~d\\-e\\_f");
    QTest::newRow("Latin-1 outside 1254") << u"ðýþ"_s << QByteArray("\\u240?\\u253?\\u254?");
}

void TestRtfRoundTrip::scripts()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, written);
    auto doc = newDocument();
    QTextCursor(doc.get()).insertText(text);
    const QByteArray rtf = toRtf(*doc);
    QVERIFY2(rtf.contains(written), rtf.constData());
    // Nothing but ASCII in the file: every other character is escaped.
    QVERIFY(std::all_of(rtf.cbegin(), rtf.cend(), [](char c) { return c > 0 && c < 0x7f; }));
    QCOMPARE(documentText(*roundTrip(*doc)), text);

    // The same text through plain text, with each line ending.
    for (LineEnding ending : {LineEnding::LF, LineEnding::CRLF, LineEnding::CR}) {
        auto plain = newDocument();
        readPlainText(*plain, toPlainText(*doc, ending));
        QCOMPARE(documentText(*plain), QString(text).replace(u'\u2028', u'\n'));
    }
}

void TestRtfRoundTrip::paragraphStructure_data()
{
    QTest::addColumn<QString>("text"); // paragraphs separated by \n
    QTest::newRow("one empty paragraph") << u""_s;
    QTest::newRow("one paragraph") << u"tek"_s;
    QTest::newRow("empty paragraphs inside") << u"a\n\n\nb"_s;
    QTest::newRow("empty last paragraph") << u"a\n"_s;
    QTest::newRow("two empty paragraphs") << u"\n"_s;
    QTest::newRow("empty first paragraph") << u"\nb"_s;
}

void TestRtfRoundTrip::paragraphStructure()
{
    QFETCH(QString, text);
    auto doc = newDocument();
    doc->setPlainText(text);
    const auto back = roundTrip(*doc);
    QCOMPARE(back->blockCount(), doc->blockCount());
    QCOMPARE(documentText(*back), text);
}

void TestRtfRoundTrip::listsKeepTheirItems()
{
    auto doc = newDocument();
    QTextCursor c(doc.get());
    c.insertText(u"bir"_s);
    QTextList *numbers = c.createList(model::listFormat(model::Numbering::Other));
    for (const QString &item : {u"iki"_s, u"üç"_s}) {
        c.insertBlock();
        c.insertText(item);
    }
    QCOMPARE(numbers->count(), 3);
    const QByteArray rtf = toRtf(*doc);
    // Readers that do not know lists still show the numbers.
    QVERIFY(rtf.contains("{\\listtext\\pard\\plain 1.\\tab}"));
    QVERIFY(rtf.contains("{\\listtext\\pard\\plain 3.\\tab}"));
    const auto back = roundTrip(*doc);
    const QTextList *list = paragraph(*back, 0).textList();
    QVERIFY(list);
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->itemNumber(paragraph(*back, 2)), 2);
    QCOMPARE(model::numbering(paragraph(*back, 2)), model::Numbering::Other);
}

namespace {

// Every table's exact geometry and its cells' look, one line a table.
QString tableLooks(const QTextFrame &frame)
{
    QString out;
    for (const QTextFrame *child : frame.childFrames()) {
        if (const auto *table = qobject_cast<const QTextTable *>(child)) {
            const model::TableGeometry g = model::tableGeometry(*table);
            QStringList cells;
            for (int r = 0; r < table->rows(); ++r) {
                for (int c = 0; c < table->columns(); ++c) {
                    const QTextTableCell cell = table->cellAt(r, c);
                    const QTextTableCellFormat f = cell.format().toTableCellFormat();
                    if (cell.row() != r || cell.column() != c || model::isFiller(f))
                        continue;
                    QString look = QString::number(int(f.verticalAlignment()));
                    if (f.hasProperty(QTextFormat::BackgroundBrush))
                        look += u" bg"_s + f.background().color().name();
                    for (const model::CellBorder &b : model::cellBorders(f))
                        look += u" %1/%2/%3"_s.arg(int(b.line)).arg(b.twips).arg(b.colour ? b.colour->name() : u"auto"_s);
                    cells.append(look);
                }
            }
            QStringList bounds;
            for (int b : g.boundaries)
                bounds.append(QString::number(b));
            out += bounds.join(u' ') + u" gap %1 align %2: "_s.arg(g.gap).arg(int(table->format().alignment())) +
                   cells.join(u" | "_s) + u'\n';
        }
        out += tableLooks(*child);
    }
    return out;
}

} // namespace

void TestRtfRoundTrip::tablesComeBack_data()
{
    // Tables read from a file and written again read as the same tables:
    // shape, texts, exact widths in twips, borders, shading, alignment.
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("plain rows") << QByteArray(R"(\trowd\trgaph108\trleft-108\cellx2000\cellx5000\pard\intbl a\cell b\cell\row)"
                                              R"(\trowd\trgaph108\trleft-108\cellx2000\cellx5000\pard\intbl c\cell d\cell\row)");
    QTest::newRow("differing boundaries")
        << QByteArray(R"(\trowd\cellx1000\cellx4000\pard\intbl a\cell b\cell\row\trowd\cellx3000\cellx4000\pard\intbl c\cell d\cell\row)");
    QTest::newRow("merged across and down")
        << QByteArray(R"(\trowd\clvmgf\cellx1000\clmgf\cellx2000\clmrg\cellx3000\pard\intbl a\cell b\cell\cell\row)"
                      R"(\trowd\clvmrg\cellx1000\cellx2000\cellx3000\pard\intbl\cell c\cell d\cell\row)");
    QTest::newRow("short row")
        << QByteArray(R"(\trowd\cellx1000\cellx2500\pard\intbl a\cell b\cell\row\trowd\cellx1000\pard\intbl c\cell\row)");
    QTest::newRow("borders, shading, alignment, centred")
        << QByteArray(R"(\trowd\trqc\trbrdrt\brdrs\brdrw10\trbrdrh\brdrdb\brdrw15\clvertalc\clcbpat1\cellx1500)"
                      R"(\clvertalb\clbrdrl\brdrth\brdrw30\brdrcf2\clbrdrb\brdrdot\cellx3000\pard\intbl a\cell b\cell\row)"
                      R"(\trowd\trqc\trbrdrb\brdrdash\brdrw10\cellx1500\cellx3000\pard\intbl c\cell d\cell\row)");
    QTest::newRow("nested two deep")
        << QByteArray(R"(\trowd\cellx3000\cellx6000\pard\intbl a\cell\pard\intbl\itap2 x\nestcell)"
                      R"(\pard\intbl\itap3 p\nestcell{\*\nesttableprops\trowd\cellx800\nestrow}{\nonesttables\par})"
                      R"(\pard\intbl\itap2\nestcell{\*\nesttableprops\trowd\cellx1000\cellx2500\nestrow}{\nonesttables\par})"
                      R"(\pard\intbl b\cell\row)");
    QTest::newRow("two tables in a row") << QByteArray(R"(\trowd\cellx1000\pard\intbl a\cell\row\pard\par)"
                                                       R"(\trowd\cellx2000\pard\intbl b\cell\row)");
}

void TestRtfRoundTrip::tablesComeBack()
{
    QFETCH(QByteArray, body);
    auto doc = newDocument();
    readRtf(*doc, rtfWithTables(QByteArray("\\pard before\\par" + body + "\\pard after\\par")));
    const QString shapes = tableShapes(*doc);
    QVERIFY(!shapes.isEmpty());
    const auto back = roundTrip(*doc);
    QCOMPARE(tableShapes(*back), shapes);
    QCOMPARE(tableLooks(*back->rootFrame()), tableLooks(*doc->rootFrame()));
    QCOMPARE(paragraphTexts(*back), paragraphTexts(*doc));
}

void TestRtfRoundTrip::writerHeaderAndTables()
{
    auto doc = newDocument();
    QVERIFY(toRtf(*doc).startsWith("{\\rtf1\\ansi\\ansicpg1254\\deff0"));
    // Only the default font, no colours, no lists.
    QByteArray rtf = toRtf(*doc);
    QVERIFY(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset162 Arial;}}"));
    QVERIFY(rtf.contains("{\\colortbl;}"));
    QVERIFY(!rtf.contains("listtable"));

    QTextCursor c(doc.get());
    QTextCharFormat f;
    f.setFontFamilies({u"Georgia"_s});
    f.setForeground(QColor(u"#102030"_s));
    c.insertText(u"a"_s, f);
    c.insertText(u"b"_s, f);
    f.setFontFamilies({u"Arial"_s});
    c.insertText(u"c"_s, f);
    c.createList(model::listFormat(model::Numbering::Bullet));
    rtf = toRtf(*doc);
    QVERIFY2(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset162 Arial;}{\\f1\\fnil\\fcharset162 Georgia;}}"), rtf.constData());
    QVERIFY(rtf.contains("{\\colortbl;\\red16\\green32\\blue48;}"));
    QVERIFY(rtf.contains("\\levelnfc23"));
    QVERIFY(!rtf.contains("\\levelnfc0"));
    QVERIFY(rtf.endsWith("}\n"));
}

void TestRtfRoundTrip::writerEscapes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("1254 letters as hex") << u"ığşİĞŞ"_s << QByteArray("\\'fd\\'f0\\'fe\\'dd\\'d0\\'de");
    QTest::newRow("1254 punctuation") << u"€…“”"_s << QByteArray("\\'80\\'85\\'93\\'94");
    QTest::newRow("characters above 32767 are negative") << u"\uf0b7"_s << QByteArray("\\u-3913?");
    QTest::newRow("control characters dropped") << u"a\u0001b"_s << QByteArray("{\\f0\\fs24 ab}");
}

void TestRtfRoundTrip::writerEscapes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, written);
    auto doc = newDocument();
    QTextCursor(doc.get()).insertText(text);
    const QByteArray rtf = toRtf(*doc);
    QVERIFY2(rtf.contains(written), rtf.constData());
}

void TestRtfRoundTrip::keptPartsWrittenWhereTheyWere_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QByteArrayList>("written"); // pieces the RTF must contain

    QTest::newRow("page setup and an endnote")
        << QByteArray("{\\rtf1\\paperw11906\\paperh16838\\margl1418\\margr1134\\landscape\\gutter100 a"
                      "{\\super\\chftn{\\footnote\\ftnalt\\pard\\plain E}}}")
        << QByteArrayList{"}\n\\paperw11906\\paperh16838\\margl1418\\margr1134\\landscape\\gutter100\n",
                          "{\\f0\\fs24\\super \\chftn}{\\footnote\\ftnalt \\pard\\ql{\\f0\\fs24 E}}\\par\n"};
    QTest::newRow("sections with their headers in their own fonts")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Times New Roman;}{\\f5 Courier New;}}\\f0\\sectd\\titlepg"
                      "{\\headerf\\pard\\f5\\fs18 H\\par}a\\sect\\sectd\\lndscpsxn{\\footer\\pard F\\par}b}")
        << QByteArrayList{"{\\f2\\fnil\\fcharset162 Courier New;}",
                          "\\sectd\\titlepg\n{\\headerf \\pard\\ql{\\f2\\fs18 H}\\par\n}\n\\pard\\ql{\\f1\\fs24 a}\\par\n",
                          "\\sect\\sectd\\lndscpsxn\n{\\footer \\pard\\ql{\\f1\\fs24 F}\\par\n}\n\\pard\\ql{\\f1\\fs24 b}"};
    QTest::newRow("paragraph and character styles")
        << QByteArray("{\\rtf1{\\stylesheet{\\s0 Normal;}{\\s2\\sbasedon0 heading 2;}{\\*\\cs7\\additive\\b Strong;}}"
                      "\\pard\\s2 a{\\cs7\\b b}\\par\\pard\\s9 c}")
        << QByteArrayList{"{\\s2\\sbasedon0 heading 2;}\n{\\*\\cs7\\additive\\b Strong;}\n}\n",
                          "\\pard\\s2\\ql{\\f0\\fs24 a}{\\f0\\fs24\\b\\cs7 b}\\par\n", "\\pard\\ql{\\f0\\fs24 c}\\par\n"};
    QTest::newRow("an annotation with its date")
        << QByteArray("{\\rtf1 a{\\*\\atnauthor X}\\chatn{\\*\\annotation{\\*\\atndate 5}\\pard Yorum}b}")
        << QByteArrayList{"{\\*\\atnauthor X}\\chatn{\\*\\annotation{\\*\\atndate 5}\\pard\\ql{\\f0\\fs24 Yorum}}"};
    // A numbering word after the first note did not number it, and is not
    // kept: read again it would renumber the note.
    QTest::newRow("note numbering set after a note")
        << QByteArray("{\\rtf1\\ftnstart5 a\\chftn{\\footnote\\pard N}\\ftnstart3 b}")
        << QByteArrayList{"\\ftnstart5\n", "{\\f0\\fs24 \\chftn}{\\footnote \\pard\\ql{\\f0\\fs24 N}}"};
    QTest::newRow("info")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1254{\\info{\\title Ba\\'fel\\'fdk}{\\author A}{\\creatim\\yr2024\\mo5}{\\nofpages3}}a}")
        << QByteArrayList{"{\\info{\\title Ba\\'fel\\'fdk}{\\author A}{\\creatim\\yr2024\\mo5}{\\nofpages3}}\n"};
    QTest::newRow("info with control characters")
        << QByteArray("{\\rtf1{\\info{\\title a\\'01b}{\\creatim\\yr2024\\'00\\'00}}x}")
        << QByteArrayList{"{\\info{\\title ab}{\\creatim\\yr2024}}\n"};
}

// Read and written, the parts stand where they stood; written again, the
// file does not change.
void TestRtfRoundTrip::keptPartsWrittenWhereTheyWere()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QByteArrayList, written);
    auto doc = newDocument();
    QVERIFY(!readRtf(*doc, rtf).malformed);
    const QByteArray ours = toRtf(*doc);
    for (const QByteArray &piece : std::as_const(written))
        QVERIFY2(ours.contains(piece), qPrintable(u"no \"%1\" in\n%2"_s.arg(QString::fromLatin1(piece), QString::fromLatin1(ours))));
    auto again = newDocument();
    QVERIFY(!readRtf(*again, ours).malformed);
    QCOMPARE(again->toRawText(), doc->toRawText());
    QCOMPARE(toRtf(*again), ours);
}

void TestRtfRoundTrip::failedWriteThrows()
{
    auto doc = newDocument();
    doc->setPlainText(QString(200000, u'ş'));
    int calls = 0;
    OutputSink failing([&calls](const char *, qsizetype) { return ++calls < 3; });
    QVERIFY_THROWS_EXCEPTION(EWriteError, writeRtf(*doc, failing));
    QCOMPARE(calls, 3);
}

QTEST_GUILESS_MAIN(TestRtfRoundTrip)
#include "tst_rtfroundtrip.moc"
