// Long lists: every paragraph of a list of tens of thousands of items reads
// with its numbering, numbers count along the whole list, and the list saves
// and reads back alike, for each way RTF marks a list.

#include "FormatTestSupport.h"
#include "formats/DocumentIO.h"

#include <QTest>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include <QTextList>

#include <functional>
#include <typeinfo>

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

// Whether this build's numbered lists are Qt's own (built on Qt's public API
// alone), which cost time in their length squared.
bool numberedListsAreQtsOwn()
{
    auto probe = newDocument();
    QTextCursor(probe.get()).createList(model::listFormat(Numbering::Other));
    const QTextList &list = *probe->begin().textList();
    return typeid(list) == typeid(QTextList);
}

// A long numbered list: long enough to show a fault of numbering anywhere
// along it, and, with Qt's own lists, short enough to be read in seconds.
int longNumberedList()
{
    return numberedListsAreQtsOwn() ? 3000 : 50000;
}

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
    void editsRenumberAsQtsOwnLists_data();
    void editsRenumberAsQtsOwnLists();
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
    QTest::newRow("numbers \\ls, long") << longNumberedList() << QByteArray("\\ls2") << Numbering::Other << QByteArray("\\ls2\\ilvl0");
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
    const int items = longNumberedList();
    auto doc = newDocument();
    (void)readRtf(*doc, listDocument(items, "\\ls2"));
    const QTextList *list = paragraph(*doc, 0).textList();
    QVERIFY(list);
    QCOMPARE(paragraph(*doc, items - 1).textList(), list);
    QCOMPARE(list->itemNumber(paragraph(*doc, items - 1)), items - 1);
    QCOMPARE(list->itemText(paragraph(*doc, items - 1)), QString::number(items) + u'.');
    // The writer's list text numbers every item too.
    const QByteArray rtf = toRtf(*doc);
    QVERIFY(rtf.contains(QByteArray("{\\listtext\\pard\\plain " + QByteArray::number(items) + ".\\tab}")));
    QVERIFY(rtf.contains("{\\listtext\\pard\\plain 1.\\tab}"));
}

// The program's document keeps its lists itself (in linear time); after any
// edit, and its undo, every list must hold the same paragraphs in the same
// order as Qt's own lists would, and the layout must be told of the same
// changed range, or numbers on screen go stale (the layout needs a
// QGuiApplication).
namespace {

using Edit = std::function<void(QTextDocument &)>;

QTextBlock block(QTextDocument &doc, int n)
{
    return doc.findBlockByNumber(n);
}

// Paragraphs "p0".."p9"; p2 to p7 one numbered list.
void fillList(QTextDocument &doc)
{
    QTextCursor c(&doc);
    for (int i = 0; i < 10; ++i) {
        if (i > 0)
            c.insertBlock(QTextBlockFormat());
        c.insertText(u"p"_s + QString::number(i));
        if (i == 2)
            c.createList(model::listFormat(Numbering::Other));
        else if (i > 2 && i < 8)
            block(doc, 2).textList()->add(c.block());
    }
}

// Every paragraph's list item text, or "-" outside a list.
QStringList numbers(const QTextDocument &doc)
{
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        out << (b.textList() ? b.textList()->itemText(b) + QString::number(b.textList()->count()) : u"-"_s);
    return out;
}

struct Observed {
    QStringList numbers;
    qsizetype lists = 0; // list objects alive: an emptied list goes
    QList<QList<int>> changes;
};

Observed apply(QTextDocument &doc, const Edit &edit, bool undo)
{
    (void)doc.documentLayout(); // the changed range reaches a layout only
    fillList(doc);
    Observed seen;
    auto connection = QObject::connect(&doc, &QTextDocument::contentsChange, &doc, [&](int from, int removed, int added) {
        seen.changes.append({from, removed, added});
    });
    edit(doc);
    if (undo)
        doc.undo();
    QObject::disconnect(connection);
    seen.numbers = numbers(doc);
    seen.lists = doc.findChildren<QTextList *>().size();
    return seen;
}

} // namespace

void TestLongLists::editsRenumberAsQtsOwnLists_data()
{
    QTest::addColumn<Edit>("edit");
    auto deleteBlock = [](int n) {
        return Edit([n](QTextDocument &doc) {
            QTextCursor c(block(doc, n));
            c.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
            c.removeSelectedText();
        });
    };
    auto enterAt = [](int n, bool end) {
        return Edit([n, end](QTextDocument &doc) {
            QTextCursor c(block(doc, n));
            if (end)
                c.movePosition(QTextCursor::EndOfBlock);
            c.insertBlock();
            c.insertText(u"yeni"_s);
        });
    };
    QTest::newRow("delete the first item") << deleteBlock(2);
    QTest::newRow("delete a middle item") << deleteBlock(4);
    QTest::newRow("delete the last item into the next paragraph") << deleteBlock(7);
    QTest::newRow("Enter in a middle item") << enterAt(4, true);
    QTest::newRow("Enter at the start of the first item") << enterAt(2, false);
    QTest::newRow("Enter at the end of the last item") << enterAt(7, true);
    QTest::newRow("take the first item out") << Edit([](QTextDocument &doc) {
        block(doc, 2).textList()->remove(block(doc, 2));
    });
    QTest::newRow("take the last item out") << Edit([](QTextDocument &doc) {
        block(doc, 2).textList()->remove(block(doc, 7));
    });
    QTest::newRow("add a paragraph before the list") << Edit([](QTextDocument &doc) {
        block(doc, 2).textList()->add(block(doc, 0));
    });
    QTest::newRow("add a paragraph after the list") << Edit([](QTextDocument &doc) {
        block(doc, 2).textList()->add(block(doc, 9));
    });
    QTest::newRow("delete across the list's start") << Edit([](QTextDocument &doc) {
        QTextCursor c(block(doc, 1));
        c.setPosition(block(doc, 3).position() + 1, QTextCursor::KeepAnchor);
        c.removeSelectedText();
    });
    QTest::newRow("delete the whole list with its neighbours") << Edit([](QTextDocument &doc) {
        QTextCursor c(block(doc, 1));
        c.setPosition(block(doc, 8).position() + 1, QTextCursor::KeepAnchor);
        c.removeSelectedText();
    });
    QTest::newRow("move an item before the list (cut and paste)") << Edit([](QTextDocument &doc) {
        QTextCursor c(block(doc, 5));
        c.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
        const QTextDocumentFragment piece = c.selection();
        c.removeSelectedText();
        QTextCursor(block(doc, 1)).insertFragment(piece);
    });
    QTest::newRow("take every item out") << Edit([](QTextDocument &doc) {
        QTextList *list = block(doc, 2).textList();
        for (int n = 2; n < 8; ++n)
            list->remove(block(doc, n)); // the last one takes the list with it
    });
    QTest::newRow("a second list between the items") << Edit([](QTextDocument &doc) {
        QTextCursor(block(doc, 4)).createList(model::listFormat(Numbering::Bullet));
    });
}

void TestLongLists::editsRenumberAsQtsOwnLists()
{
    QFETCH(Edit, edit);
    if (numberedListsAreQtsOwn())
        QSKIP("this build's lists are Qt's own (built without Qt's private headers)");
    for (const bool undo : {false, true}) {
        QTextDocument qts;
        auto ours = newDocument();
        QVERIFY(ours->metaObject() != qts.metaObject()); // the program's own document class
        const Observed expected = apply(qts, edit, undo);
        const Observed seen = apply(*ours, edit, undo);
        QCOMPARE(seen.numbers, expected.numbers);
        QCOMPARE(seen.changes, expected.changes);
        QCOMPARE(seen.lists, expected.lists);
    }
}

QTEST_MAIN(TestLongLists)
#include "tst_longlists.moc"
