// Edits while Qt still lays a large document out in the background: whatever
// the edit and whenever it comes, the layout ends with every paragraph laid
// out and the document as tall as its paragraphs.

#include "documents/RichEdit.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

#include <functional>

using namespace kelmora;
using namespace Qt::StringLiterals;

namespace {

constexpr int Paragraphs = 40000;

bool laidOut(const QTextBlock &b) { return b.layout()->lineCount() > 0; }

// How many paragraphs from the top Qt has laid out (it goes top down).
int laidOutParagraphs(const QTextDocument &doc)
{
    int low = 0;
    int high = doc.blockCount();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (laidOut(doc.findBlockByNumber(middle)))
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

int paragraphsWithoutLines(const QTextDocument &doc)
{
    int n = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        n += laidOut(b) ? 0 : 1;
    return n;
}

} // namespace

using Edit = std::function<void(TRichEdit &)>;
Q_DECLARE_METATYPE(Edit)

class TestLayoutHeight : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void editDuringBackgroundLayout_data();
    void editDuringBackgroundLayout();
    void viewStaysWhenTheLayoutStartsAgain();

private:
    QTemporaryDir m_dir;
    QString m_file;
};

void TestLayoutHeight::initTestCase()
{
    // Short paragraphs, one line each at the editor's width.
    QByteArray text;
    for (int n = 1; n <= Paragraphs; ++n)
        text += "Paragraf " + QByteArray::number(n) + ": kısa bir satır\n";
    text.chop(1);
    m_file = m_dir.filePath(u"paragraflar.txt"_s);
    QFile f(m_file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(text), text.size());
}

void TestLayoutHeight::editDuringBackgroundLayout_data()
{
    QTest::addColumn<int>("laidOutBefore"); // paragraphs Qt has laid out when the edit comes
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<int>("paragraphsAdded");

    const Edit typing = [](TRichEdit &e) { QTest::keyClicks(&e, u"x"_s); };
    const Edit enter = [](TRichEdit &e) { QTest::keyClick(&e, Qt::Key_Return); };
    const Edit deleting = [](TRichEdit &e) { QTest::keyClick(&e, Qt::Key_Delete); };
    const Edit paste = [](TRichEdit &e) {
        QGuiApplication::clipboard()->setText(u"yapıştırılan\nmetin "_s);
        QTest::keyClick(&e, Qt::Key_V, Qt::ControlModifier);
    };
    const Edit bold = [](TRichEdit &e) {
        QTest::keyClick(&e, Qt::Key_End, Qt::ShiftModifier);
        e.SelAttributes().SetStyle(FontStyle::Bold);
    };
    // Right after opening only the first page is laid out; a few steps in
    // the frontier is still near the top; far in it is well past the edit.
    const struct {
        const char *name;
        int laidOut;
    } moments[] = {{"at once", 0}, {"a few steps in", 1000}, {"far in", 10000}};
    for (const auto &m : moments) {
        QTest::addRow("%s, typing", m.name) << m.laidOut << typing << 0;
        QTest::addRow("%s, Enter", m.name) << m.laidOut << enter << 1;
        QTest::addRow("%s, Delete", m.name) << m.laidOut << deleting << 0;
        QTest::addRow("%s, paste", m.name) << m.laidOut << paste << 1;
        QTest::addRow("%s, bold", m.name) << m.laidOut << bold << 0;
    }
}

void TestLayoutHeight::editDuringBackgroundLayout()
{
    QFETCH(int, laidOutBefore);
    QFETCH(Edit, edit);
    QFETCH(int, paragraphsAdded);
    TRichEdit e;
    e.resize(760, 470);
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    e.LoadFromFile(m_file);
    QTextDocument *doc = e.document();
    while (laidOutParagraphs(*doc) < laidOutBefore && !laidOut(doc->lastBlock()))
        QCoreApplication::processEvents();
    QVERIFY2(!laidOut(doc->lastBlock()), "the layout ended before the edit");

    edit(e);
    QCoreApplication::processEvents();

    // A layout still under way finishes when asked for the size; one that
    // stopped short gives the height of what it laid out.
    const double height = doc->documentLayout()->documentSize().height();
    QCOMPARE(doc->blockCount(), Paragraphs + paragraphsAdded);
    QCOMPARE(paragraphsWithoutLines(*doc), 0);
    const double line = doc->documentLayout()->blockBoundingRect(doc->lastBlock()).height();
    const double expected = doc->blockCount() * line + 2 * doc->documentMargin();
    QVERIFY2(qAbs(height - expected) < line / 2, qPrintable(u"%1 against %2"_s.arg(height).arg(expected)));

    // Half way down the scroll bar shows the middle of the document.
    QScrollBar *bar = e.verticalScrollBar();
    QTRY_VERIFY(qAbs(bar->maximum() + e.viewport()->height() - height) < line);
    bar->setValue(bar->maximum() / 2);
    const int middle = e.cursorForPosition(QPoint(4, e.viewport()->height() / 2)).blockNumber();
    QVERIFY2(qAbs(middle - doc->blockCount() / 2) < 30, qPrintable(QString::number(middle)));
}

void TestLayoutHeight::viewStaysWhenTheLayoutStartsAgain()
{
    // Scrolled well down while Qt lays out, a letter typed at the top makes
    // the layout start again; the view and what it shows stay.
    TRichEdit e;
    e.resize(760, 470);
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    e.LoadFromFile(m_file);
    QTextDocument *doc = e.document();
    while (laidOutParagraphs(*doc) < 10000 && !laidOut(doc->lastBlock()))
        QCoreApplication::processEvents();
    QVERIFY2(!laidOut(doc->lastBlock()), "the layout ended before the edit");
    QScrollBar *bar = e.verticalScrollBar();
    bar->setValue(8000 * 19);
    const int value = bar->value();
    QVERIFY(value > 0);
    const QString top = e.cursorForPosition(QPoint(4, 4)).block().text();
    QTextCursor(doc).insertText(u"x"_s);
    QCoreApplication::processEvents();
    QCOMPARE(bar->value(), value);
    QCOMPARE(e.cursorForPosition(QPoint(4, 4)).block().text(), top);
    doc->documentLayout()->documentSize();
    QCOMPARE(paragraphsWithoutLines(*doc), 0);
}

QTEST_MAIN(TestLayoutHeight)
#include "tst_layout_height.moc"
