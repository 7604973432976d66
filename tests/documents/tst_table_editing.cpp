// Editing a document with tables: deleting, cutting, copying and pasting
// across and inside them, and the paragraph commands in cells, leave a
// document whose tables save and read back as they are, and one undo
// brings back the document as it was.

#include "documents/RichEdit.h"
#include "formats/DocumentIO.h"
#include "model/TextDocument.h"
#include "FormatTestSupport.h"
#include "TableShapes.h"

#include <QApplication>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>
#include <QTextTable>

#include <functional>

using namespace kelmora;
using namespace Qt::StringLiterals;

namespace {

// "önce", a 2x2 table of "a" "b" / "c" "d" with a merged cell below, "sonra".
const QByteArray Document = R"({\rtf1\ansi\ansicpg1254\deff0{\fonttbl{\f0 Arial;}}\pard \'f6nce\par)"
                            R"(\trowd\cellx2000\cellx4000\pard\intbl a\cell b\cell\row)"
                            R"(\trowd\cellx2000\cellx4000\pard\intbl c\cell d\cell\row)"
                            R"(\trowd\cellx4000\pard\intbl e\cell\row\pard sonra\par})";

const QString Original = u"table 1, 2 columns: 50% 50%\n  \"a\" | \"b\"\n  \"c\" | \"d\"\n  \"e\" (2 columns)\n"_s;

// Where text starts: a whole word if there is one ("c", not the c of "önce").
int positionOf(const TRichEdit &e, const QString &text)
{
    QTextCursor found = e.document()->find(text, 0, QTextDocument::FindWholeWords);
    if (found.isNull())
        found = e.document()->find(text);
    return found.selectionStart();
}

void selectBetween(TRichEdit &e, const QString &from, const QString &to)
{
    QTextCursor c = e.textCursor();
    c.setPosition(positionOf(e, from));
    c.setPosition(positionOf(e, to) + int(to.size()), QTextCursor::KeepAnchor);
    e.setTextCursor(c);
}

void caretAt(TRichEdit &e, const QString &text)
{
    QTextCursor c = e.textCursor();
    c.setPosition(positionOf(e, text));
    e.setTextCursor(c);
}

// The tables of the editor's document as our RTF writes and reads them.
QString savedShapes(const TRichEdit &e)
{
    auto back = formats::test::newDocument();
    formats::readRtf(*back, formats::toRtf(*e.document()));
    return formats::test::tableShapes(*back);
}

} // namespace

class TestTableEditing : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void editsKeepTheTables_data();
    void editsKeepTheTables();
    void paragraphCommandsActInCells();
    void commandsOnSelectedCells();
    void findReachesCells();
    void printingCopyKeepsTables();
};

using Edit = std::function<void(TRichEdit &)>;
Q_DECLARE_METATYPE(Edit)

void TestTableEditing::editsKeepTheTables_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("tables");
    QTest::addColumn<QString>("text");

    const Edit del = [](TRichEdit &e) { QTest::keyClick(&e, Qt::Key_Delete); };
    QTest::newRow("select all, delete") << Edit([del](TRichEdit &e) {
        e.selectAll();
        del(e);
    }) << QString() << QString();
    // A selection reaching into a table from outside takes the whole table,
    // one between cells the cells of that rectangle, as they show selected.
    QTest::newRow("from before the table into a cell, delete") << Edit([del](TRichEdit &e) {
        selectBetween(e, u"nce"_s, u"a"_s);
        del(e);
    }) << QString() << u"ösonra"_s;
    QTest::newRow("across cells, delete") << Edit([del](TRichEdit &e) {
        selectBetween(e, u"b"_s, u"c"_s);
        del(e);
    }) << u"table 1, 2 columns: 50% 50%\n  \"\" | \"\"\n  \"\" | \"\"\n  \"e\" (2 columns)\n"_s
                                          << u"önce\n\n\n\n\ne\nsonra"_s;
    QTest::newRow("inside a cell, delete") << Edit([del](TRichEdit &e) {
        selectBetween(e, u"e"_s, u"e"_s);
        del(e);
    }) << u"table 1, 2 columns: 50% 50%\n  \"a\" | \"b\"\n  \"c\" | \"d\"\n  \"\" (2 columns)\n"_s
                                          << u"önce\na\nb\nc\nd\n\nsonra"_s;
    QTest::newRow("cut everything, paste it back") << Edit([](TRichEdit &e) {
        e.selectAll();
        e.cut();
        e.paste();
    }) << Original << u"önce\na\nb\nc\nd\ne\nsonra"_s;
    QTest::newRow("copy the table, paste it at the end") << Edit([](TRichEdit &e) {
        selectBetween(e, u"a"_s, u"e"_s);
        e.copy();
        e.moveCursor(QTextCursor::End);
        e.paste();
    }) << Original + u"table 2, 2 columns: 50% 50%\n  \"a\" | \"b\"\n  \"c\" | \"d\"\n  \"e\" (2 columns)\n"_s
       << u"önce\na\nb\nc\nd\ne\nsonra\na\nb\nc\nd\ne\n"_s;
    QTest::newRow("typing in a cell") << Edit([](TRichEdit &e) {
        caretAt(e, u"d"_s);
        QTest::keyClicks(&e, u"yeni "_s);
        QTest::keyClick(&e, Qt::Key_Return);
    }) << u"table 1, 2 columns: 50% 50%\n  \"a\" | \"b\"\n  \"c\" | \"yeni ¶d\"\n  \"e\" (2 columns)\n"_s
       << u"önce\na\nb\nc\nyeni \nd\ne\nsonra"_s;
}

void TestTableEditing::editsKeepTheTables()
{
    QFETCH(Edit, edit);
    QFETCH(QString, tables);
    QFETCH(QString, text);
    TRichEdit e;
    e.show();
    e.setFocus();
    formats::readRtf(*e.document(), Document);
    const QString before = e.toPlainText();
    QCOMPARE(formats::test::tableShapes(*e.document()), Original);

    edit(e);
    QCOMPARE(formats::test::tableShapes(*e.document()), tables);
    QCOMPARE(e.toPlainText(), text);
    QCOMPARE(savedShapes(e), tables);

    while (e.document()->isUndoAvailable())
        e.undo();
    QCOMPARE(formats::test::tableShapes(*e.document()), Original);
    QCOMPARE(e.toPlainText(), before);
}

void TestTableEditing::paragraphCommandsActInCells()
{
    // With the caret in a cell, alignment, indents and bullets change that
    // cell's paragraph as they change one outside, and come back from a save.
    TRichEdit e;
    formats::readRtf(*e.document(), Document);
    const auto apply = [&e](const QString &where) {
        caretAt(e, where);
        e.Paragraph().SetAlignment(ParaAlignment::Center);
        e.Paragraph().SetLeftIndent(18);
        e.Paragraph().SetNumbering(Numbering::Bullet);
    };
    apply(u"önce"_s);
    apply(u"c"_s);
    const QString outside = formats::test::describeParagraph(e.document()->begin());
    QVERIFY(outside.contains(u"numbering=1"_s));
    auto back = formats::test::newDocument();
    formats::readRtf(*back, formats::toRtf(*e.document()));
    for (const QTextDocument *doc : {static_cast<const QTextDocument *>(e.document()),
                                     static_cast<const QTextDocument *>(back.get())}) {
        const QTextBlock cell = doc->find(u"c"_s, 0, QTextDocument::FindWholeWords).block();
        QVERIFY(QTextCursor(cell).currentTable());
        QCOMPARE(formats::test::describeParagraph(cell), outside);
        QCOMPARE(cell.next().text(), u"d"_s);
        QVERIFY(!cell.next().textList());
    }
}

void TestTableEditing::commandsOnSelectedCells()
{
    // A selection from "b" to "c" is the rectangle of four cells: alignment
    // and bullets change all four paragraphs, each cell's list its own.
    TRichEdit e;
    e.show();
    formats::readRtf(*e.document(), Document);
    selectBetween(e, u"b"_s, u"c"_s);
    QVERIFY(e.textCursor().hasComplexSelection());
    e.Paragraph().SetAlignment(ParaAlignment::Right);
    e.Paragraph().SetNumbering(Numbering::Bullet);
    QStringList looks;
    QSet<const QTextList *> lists;
    for (QTextBlock b = e.document()->begin(); b.isValid(); b = b.next()) {
        looks.append(b.text() + u' ' + QString::number(int(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask)) +
                     (b.textList() ? u" list"_s : QString()));
        if (b.textList())
            lists.insert(b.textList());
    }
    const QString right = QString::number(int(Qt::AlignRight));
    const QString left = QString::number(int(Qt::AlignLeft));
    QCOMPARE(looks, QStringList({u"önce "_s + left, u"a "_s + right + u" list"_s, u"b "_s + right + u" list"_s,
                                 u"c "_s + right + u" list"_s, u"d "_s + right + u" list"_s, u"e "_s + left,
                                 u"sonra "_s + left}));
    QCOMPARE(lists.size(), 4);
}

void TestTableEditing::findReachesCells()
{
    // The search finds text in cells and after tables at its place in the
    // document, and no match runs from one cell into the next.
    TRichEdit e;
    formats::readRtf(*e.document(), Document);
    const int end = e.document()->characterCount();
    QCOMPARE(e.FindText(u"D"_s, 0, end, false), positionOf(e, u"d"_s));
    QCOMPARE(e.FindText(u"e"_s, positionOf(e, u"d"_s), end, true), positionOf(e, u"e"_s));
    QCOMPARE(e.FindText(u"sonra"_s, 0, end, true), positionOf(e, u"sonra"_s));
    QCOMPARE(e.FindText(u"cd"_s, 0, end, false), -1);
    QCOMPARE(e.FindText(u"c\nd"_s, 0, end, false), -1);
}

void TestTableEditing::printingCopyKeepsTables()
{
    // Printing lays out a copy: it holds the same tables, widths included,
    // also past the slices the copy is made in.
    QByteArray many = R"({\rtf1\ansi\deff0{\fonttbl{\f0 Arial;}})";
    for (int i = 0; i < 150; ++i)
        many += "\\pard p" + QByteArray::number(i) + "\\par";
    many += Document.mid(Document.indexOf("\\trowd"));
    TRichEdit e;
    formats::readRtf(*e.document(), many);
    const auto copy = model::copyDocument(*e.document());
    QCOMPARE(formats::test::tableShapes(*copy), Original);
    QCOMPARE(formats::toRtf(*copy), formats::toRtf(*e.document()));
}

QTEST_MAIN(TestTableEditing)
#include "tst_table_editing.moc"
