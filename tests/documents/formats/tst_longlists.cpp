// Long lists: every paragraph of a list of tens of thousands of items reads
// with its numbering, numbers count along the whole list, and the list saves
// and reads back alike, for each way RTF marks a list.

#include "FormatTestSupport.h"
#include "formats/DocumentIO.h"

#include <QTest>
#include <QTextList>

using namespace kelmora;
using namespace kelmora::formats;
using namespace kelmora::formats::test;
using model::Numbering;
using namespace Qt::StringLiterals;

namespace {

const char kListTables[] =
    "{\\*\\listtable{\\list\\listtemplateid1\\listsimple{\\listlevel\\levelnfc23{\\leveltext\\'01\\u8226 ?;}"
    "{\\levelnumbers;}}\\listid1}{\\list\\listtemplateid2\\listsimple{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}"
    "{\\levelnumbers\\'01;}}\\listid2}}{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}"
    "{\\listoverride\\listid2\\listoverridecount0\\ls2}}";

// items paragraphs "madde N", each opened with mark, then one plain paragraph.
QByteArray listDocument(int items, const QByteArray &mark)
{
    QByteArray body(kListTables);
    body.reserve(items * (mark.size() + 24));
    for (int i = 0; i < items; ++i)
        body += "\\pard" + mark + "\\fi-360\\li720 madde " + QByteArray::number(i) + "\\par\n";
    body += "\\pard son";
    return rtfWithTables(body);
}

int countOf(const QByteArray &haystack, const QByteArray &needle)
{
    int n = 0;
    for (qsizetype at = haystack.indexOf(needle); at >= 0; at = haystack.indexOf(needle, at + 1))
        ++n;
    return n;
}

// The numbering of every paragraph: kind for the first `items`, none after.
bool numberedAsExpected(const QTextDocument &doc, int items, Numbering kind)
{
    int index = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next(), ++index) {
        if (model::numbering(b) != (index < items ? kind : Numbering::None))
            return false;
    }
    return index == items + 1;
}

} // namespace

class TestLongLists : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readAndSavedAlike_data();
    void readAndSavedAlike();
    void numbersCountAlongTheWholeList();
};

void TestLongLists::readAndSavedAlike_data()
{
    QTest::addColumn<int>("items");
    QTest::addColumn<QByteArray>("mark");
    QTest::addColumn<Numbering>("kind");
    QTest::addColumn<QByteArray>("written"); // the writer's mark of each item

    QTest::newRow("bullets \\ls, 50000") << 50000 << QByteArray("\\ls1") << Numbering::Bullet << QByteArray("\\ls1\\ilvl0");
    QTest::newRow("bullets \\pn, 50000") << 50000 << QByteArray("{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}")
                                        << Numbering::Bullet << QByteArray("\\ls1\\ilvl0");
    QTest::newRow("bullets \\ls, 17 (one past a piece)")
        << 17 << QByteArray("\\ls1") << Numbering::Bullet << QByteArray("\\ls1\\ilvl0");
    QTest::newRow("numbers \\ls, 3000") << 3000 << QByteArray("\\ls2") << Numbering::Other << QByteArray("\\ls2\\ilvl0");
}

void TestLongLists::readAndSavedAlike()
{
    QFETCH(int, items);
    QFETCH(QByteArray, mark);
    QFETCH(Numbering, kind);
    QFETCH(QByteArray, written);

    auto doc = newDocument();
    QVERIFY(!readRtf(*doc, listDocument(items, mark)).malformed);
    QVERIFY(numberedAsExpected(*doc, items, kind));
    QCOMPARE(paragraph(*doc, items - 1).text(), u"madde "_s + QString::number(items - 1));
    // The marker hangs in the first-line offset of every item alike.
    QCOMPARE(describeParagraph(paragraph(*doc, items - 1)), describeParagraph(paragraph(*doc, 0)));

    const QByteArray rtf = toRtf(*doc);
    QCOMPARE(countOf(rtf, written), items);
    auto back = newDocument();
    QVERIFY(!readRtf(*back, rtf).malformed);
    QVERIFY(numberedAsExpected(*back, items, kind));
    QCOMPARE(documentText(*back), documentText(*doc));
}

void TestLongLists::numbersCountAlongTheWholeList()
{
    const int items = 3000;
    auto doc = newDocument();
    (void)readRtf(*doc, listDocument(items, "\\ls2"));
    const QTextList *list = paragraph(*doc, 0).textList();
    QVERIFY(list);
    QCOMPARE(paragraph(*doc, items - 1).textList(), list);
    QCOMPARE(list->itemNumber(paragraph(*doc, items - 1)), items - 1);
    QCOMPARE(list->itemText(paragraph(*doc, items - 1)), QString::number(items) + u'.');
    // The writer's list text numbers every item too.
    const QByteArray rtf = toRtf(*doc);
    QVERIFY(rtf.contains("{\\listtext\\pard\\plain 3000.\\tab}"));
    QVERIFY(rtf.contains("{\\listtext\\pard\\plain 1.\\tab}"));
}

QTEST_GUILESS_MAIN(TestLongLists)
#include "tst_longlists.moc"
