// The copy a document is printed from: everything QTextDocument::clone()
// keeps, paragraph by paragraph (formats, runs, which paragraphs share a
// list and their numbers, tables), the document's settings and its pictures;
// and lists of the kind the editor's own documents hold.

#include "FormatTestSupport.h"

#include "model/Pictures.h"
#include "model/TextDocument.h"

#include <QTest>
#include <QTextCursor>
#include <QTextList>
#include <QTextTable>

#include <functional>
#include <typeinfo>

using namespace kelmora;
using namespace kelmora::model;
using namespace Qt::StringLiterals;

namespace {

using Build = std::function<void(QTextDocument &)>;

// A format's properties in one line, its object index (which differs from
// document to document) left out.
QString describe(const QTextFormat &format)
{
    QStringList parts;
    const QMap<int, QVariant> properties = format.properties();
    for (auto it = properties.begin(); it != properties.end(); ++it) {
        if (it.key() != QTextFormat::ObjectIndex)
            parts << QString::number(it.key()) + u'=' + it.value().toString() + u'/'
                    + QLatin1String(it.value().typeName());
    }
    return parts.join(u' ');
}

// One line per paragraph: its formats, its list (numbered in order of first
// appearance) and item text, its table cell, and its runs.
QStringList paragraphs(const QTextDocument &doc)
{
    QStringList out;
    QList<const QTextList *> lists;
    QList<const QTextTable *> tables;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QString line = describe(b.blockFormat()) + u" | " + describe(b.charFormat());
        if (const QTextList *list = b.textList()) {
            if (!lists.contains(list))
                lists << list;
            line += u" | list "_s + QString::number(lists.indexOf(list)) + u' ' + list->itemText(b) + u' '
                + describe(list->format());
        }
        if (const QTextTable *table = QTextCursor(b).currentTable()) {
            if (!tables.contains(table))
                tables << table;
            const QTextTableCell cell = table->cellAt(b.position());
            line += u" | table "_s + QString::number(tables.indexOf(table)) + u' ' + QString::number(cell.row())
                + u',' + QString::number(cell.column()) + u' ' + QString::number(cell.rowSpan()) + u'x'
                + QString::number(cell.columnSpan());
        }
        for (auto it = b.begin(); !it.atEnd(); ++it)
            line += u" | \""_s + it.fragment().text() + u"\" " + describe(it.fragment().charFormat());
        out << line;
    }
    return out;
}

QStringList settings(const QTextDocument &doc)
{
    return {doc.metaInformation(QTextDocument::DocumentTitle), doc.metaInformation(QTextDocument::DocumentUrl),
            doc.defaultFont().toString(), QString::number(doc.pageSize().width()),
            QString::number(doc.pageSize().height()), QString::number(doc.indentWidth()),
            QString::number(doc.defaultTextOption().wrapMode()), describe(doc.rootFrame()->frameFormat())};
}

QTextCharFormat coloured(const QColor &colour, bool bold)
{
    QTextCharFormat f;
    f.setForeground(colour);
    if (bold)
        f.setFontWeight(QFont::Bold);
    return f;
}

// count paragraphs "<prefix>N" after the cursor's, added to list when one is
// given.
void appendItems(QTextCursor &c, int count, const QString &prefix, QTextList *list = nullptr)
{
    for (int i = 0; i < count; ++i) {
        if (!c.document()->isEmpty() || i > 0)
            c.insertBlock(QTextBlockFormat());
        c.insertText(prefix + QString::number(i), coloured(i % 3 ? Qt::red : Qt::blue, i % 2));
        if (list)
            list->add(c.block());
    }
}

QTextList *numberedList(QTextCursor &c)
{
    return c.createList(listFormat(Numbering::Other));
}

} // namespace

Q_DECLARE_METATYPE(Build)

class TestDocumentCopy : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keepsWhatQtsCloneKeeps_data();
    void keepsWhatQtsCloneKeeps();
    void picturesShowAndSaveFromTheCopy();
    void listsOfTheEditorsKind();
};

void TestDocumentCopy::keepsWhatQtsCloneKeeps_data()
{
    QTest::addColumn<Build>("build");

    QTest::newRow("empty, with a centred bold paragraph format") << Build([](QTextDocument &doc) {
        QTextCursor c(&doc);
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignHCenter);
        c.setBlockFormat(centred);
        c.setBlockCharFormat(coloured(Qt::green, true));
    });
    QTest::newRow("one paragraph of runs") << Build([](QTextDocument &doc) {
        QTextCursor c(&doc);
        c.insertText(u"kırmızı "_s, coloured(Qt::red, false));
        c.insertText(u"kalın"_s, coloured(Qt::black, true));
    });
    QTest::newRow("settings: title, page, font, indent") << Build([](QTextDocument &doc) {
        doc.setMetaInformation(QTextDocument::DocumentTitle, u"Başlık"_s);
        doc.setPageSize(QSizeF(500, 700));
        doc.setDefaultFont(QFont(u"Courier New"_s, 15));
        doc.setIndentWidth(33);
        doc.setDocumentMargin(7);
        QTextCursor(&doc).insertText(u"metin"_s);
    });
    QTest::newRow("numbered list of 300 items, numbers counting on") << Build([](QTextDocument &doc) {
        QTextCursor c(&doc);
        c.insertText(u"başlık"_s);
        c.insertBlock();
        c.insertText(u"madde"_s);
        appendItems(c, 299, u"madde "_s, numberedList(c));
        appendItems(c, 3, u"son "_s);
    });
    QTest::newRow("bulleted pieces of 16 stay pieces") << Build([](QTextDocument &doc) {
        QTextCursor c(&doc);
        for (int piece = 0; piece < 12; ++piece) {
            c.insertBlock();
            c.insertText(u"parça"_s);
            QTextList *list = c.createList(listFormat(Numbering::Bullet));
            appendItems(c, BulletListPiece - 1, u"i "_s, list);
        }
    });
    QTest::newRow("two numbered lists interleaved over 200 paragraphs") << Build([](QTextDocument &doc) {
        QTextCursor c(&doc);
        c.insertText(u"a0"_s);
        QTextList *a = numberedList(c);
        c.insertBlock();
        c.insertText(u"b0"_s);
        QTextListFormat roman = listFormat(Numbering::Other);
        roman.setStyle(QTextListFormat::ListUpperRoman);
        QTextList *b = c.createList(roman);
        for (int i = 1; i < 100; ++i) {
            appendItems(c, 1, u"a"_s, a);
            appendItems(c, 1, u"b"_s, b);
        }
    });
    QTest::newRow("a list going on past a table, paragraphs either side") << Build([](QTextDocument &doc) {
        QTextCursor c(&doc);
        c.insertText(u"madde"_s);
        QTextList *list = numberedList(c);
        appendItems(c, 99, u"önce "_s, list);
        QTextTable *table = c.insertTable(3, 3);
        table->mergeCells(0, 0, 1, 2);
        for (int cell = 0; cell < 9; ++cell) {
            c = table->cellAt(cell / 3, cell % 3).firstCursorPosition();
            c.insertText(u"hücre "_s + QString::number(cell));
        }
        c.movePosition(QTextCursor::End);
        appendItems(c, 100, u"sonra "_s, list);
    });
    QTest::newRow("tables back to back, one nested, a list in a cell") << Build([](QTextDocument &doc) {
        QTextCursor c(&doc);
        appendItems(c, 70, u"p"_s);
        QTextTable *outer = c.insertTable(2, 2);
        QTextCursor cell = outer->cellAt(1, 1).firstCursorPosition();
        cell.insertText(u"dış"_s);
        cell.insertTable(2, 1)->cellAt(1, 0).firstCursorPosition().insertText(u"iç"_s);
        QTextCursor listCell = outer->cellAt(0, 0).firstCursorPosition();
        listCell.insertText(u"x"_s);
        appendItems(listCell, 80, u"hücrede "_s, numberedList(listCell));
        c.movePosition(QTextCursor::End);
        c.insertTable(1, 2);
        c.movePosition(QTextCursor::End);
        appendItems(c, 70, u"q"_s);
    });
    QTest::newRow("tables after every count of paragraphs up to 80") << Build([](QTextDocument &doc) {
        QTextCursor c(&doc);
        for (int paragraphs = 0; paragraphs <= 80; ++paragraphs) {
            appendItems(c, paragraphs, u"p"_s);
            c.insertTable(1, 2)->cellAt(0, 1).firstCursorPosition().insertText(QString::number(paragraphs));
            c.movePosition(QTextCursor::End);
        }
    });
}

void TestDocumentCopy::keepsWhatQtsCloneKeeps()
{
    QFETCH(Build, build);
    const auto doc = formats::test::newDocument();
    build(*doc);
    const std::unique_ptr<QTextDocument> clone(doc->clone());
    const std::unique_ptr<TextDocument> copy = copyDocument(*doc);
    QCOMPARE(paragraphs(*copy), paragraphs(*clone));
    QCOMPARE(paragraphs(*copy), paragraphs(*doc));
    QCOMPARE(settings(*copy), settings(*clone));
    QCOMPARE(copy->toHtml(), clone->toHtml());
    QVERIFY(!copy->isUndoAvailable());
}

void TestDocumentCopy::picturesShowAndSaveFromTheCopy()
{
    const auto doc = formats::test::newDocument();
    const QByteArray png = formats::test::pictureBytes("PNG", QSize(7, 5));
    const QByteArray jpeg = formats::test::pictureBytes("JPEG", QSize(9, 4));
    QTextCursor c(doc.get());
    appendItems(c, 100, u"p"_s);
    c.insertImage(pictures::addPicture(*doc, {pictures::Kind::Png, png, {}, {}}, QSize(700, 500)));
    appendItems(c, 100, u"q"_s);
    c.insertImage(pictures::addPicture(*doc, {pictures::Kind::Jpeg, jpeg, {}, {}}, QSize(900, 400)));

    const std::unique_ptr<TextDocument> copy = copyDocument(*doc);
    QList<QByteArray> saved;
    for (QTextBlock b = copy->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (!f.isImageFormat())
                continue;
            const auto picture = pictures::pictureOf(*copy, f.toImageFormat());
            QVERIFY(picture);
            saved << picture->data;
        }
    }
    QCOMPARE(saved, (QList<QByteArray>{png, jpeg}));
}

void TestDocumentCopy::listsOfTheEditorsKind()
{
    const auto doc = formats::test::newDocument();
    QTextCursor c(doc.get());
    c.insertText(u"a"_s);
    appendItems(c, 10, u"madde "_s, numberedList(c));
    const std::unique_ptr<TextDocument> copy = copyDocument(*doc);
    const QTextList *original = doc->begin().textList();
    const QTextList *copied = copy->begin().textList();
    QVERIFY(original && copied);
    QCOMPARE(typeid(*copied).name(), typeid(*original).name());
}

QTEST_MAIN(TestDocumentCopy)
#include "tst_documentcopy.moc"
