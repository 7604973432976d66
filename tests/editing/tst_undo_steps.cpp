// One command, one undo step: after any formatting command of the frame, one
// "Geri Al" gives back the document exactly as it was before the command,
// however many writes the command made. A new document has nothing to undo.

#include "FrameFixture.h"

#include "editing/prgf_ayari.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>

#include <functional>

using namespace kelmora;
using namespace Qt::StringLiterals;

namespace {

using Command = std::function<void(test::FrameFixture &)>;

// Runs `fill` on the modal dialog `act` opens, once it is up.
void onModal(const std::function<void()> &act, const std::function<void(QWidget *)> &fill)
{
    bool done = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QWidget *w = QApplication::activeModalWidget(); w && !done) {
            done = true;
            fill(w);
        }
    });
    poll.start();
    act();
    QVERIFY(done);
}

// Two paragraphs of mixed looks: writes then touch several pieces of text.
void fillDocument(TRichEdit *e)
{
    e->insertPlainText(u"kalın ve ince\nikinci satır"_s);
    e->SetSelStart(0);
    e->SetSelLength(5);
    e->SelAttributes().SetStyle(FontStyle::Bold);
    e->SetSelStart(9);
    e->SetSelLength(4);
    e->SelAttributes().SetSize(16);
    e->Paragraph().SetFirstIndent(10);
    e->selectAll();
}

} // namespace

class TestUndoSteps : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey)); }
    void oneUndoTakesTheCommandBack_data();
    void oneUndoTakesTheCommandBack();
    void newDocumentHasNothingToUndo();
};

void TestUndoSteps::oneUndoTakesTheCommandBack_data()
{
    QTest::addColumn<Command>("command");
    QTest::newRow("Koyu") << Command([](test::FrameFixture &f) { f->ToolButton18->click(); });
    QTest::newRow("Altı Çizili") << Command([](test::FrameFixture &f) { f->ToolButton19->click(); });
    QTest::newRow("İtalic") << Command([](test::FrameFixture &f) { f->ToolButton20->click(); });
    QTest::newRow("Sağa Yasla") << Command([](test::FrameFixture &f) { f->ToolButton24->click(); });
    QTest::newRow("Madde İmi") << Command([](test::FrameFixture &f) { f->ToolButton27->click(); });
    QTest::newRow("Yazı Rengi") << Command([](test::FrameFixture &f) {
        f.platform->colorAnswers.push_back({true, QColor(10, 120, 30)});
        f->ToolButton26->click();
    });
    QTest::newRow("Yazı Tipi") << Command([](test::FrameFixture &f) {
        QFont chosen(u"Liberation Mono"_s);
        chosen.setPointSize(20);
        chosen.setItalic(true);
        chosen.setUnderline(true);
        f.platform->fontAnswers.push_back({true, chosen, QColor(200, 0, 0)});
        f->YazTipi1->trigger();
    });
    QTest::newRow("face box") << Command([](test::FrameFixture &f) {
        f->ComboBox1->lineEdit()->setFocus();
        f->ComboBox1->setEditText(u"Liberation Serif"_s);
    });
    QTest::newRow("Paragraf, Tamam") << Command([](test::FrameFixture &f) {
        f->ToolButton23->setChecked(true);
        onModal([&] { f->Paragraf1->trigger(); }, [](QWidget *w) {
            auto *d = qobject_cast<Tparagraf_ayari *>(w);
            QVERIFY(d);
            d->Edit1->setText(u"2"_s);
            d->Edit2->setText(u"3"_s);
            d->Edit3->setText(u"1"_s);
            d->Button1->click();
        });
    });
}

void TestUndoSteps::oneUndoTakesTheCommandBack()
{
    QFETCH(Command, command);
    test::FrameFixture f;
    paragraf_ayari = new Tparagraf_ayari(f.get(), [] { return Ana ? Ana->activeEditor() : nullptr; }, [] {
        return std::array<bool, 3>{Ana->ToolButton22->isChecked(), Ana->ToolButton23->isChecked(),
                                   Ana->ToolButton24->isChecked()};
    });
    TRichEdit *e = f.newDocument()->RichEdit1;
    fillDocument(e);
    const QString before = e->document()->toHtml();
    command(f);
    QVERIFY(!QTest::currentTestFailed());
    QVERIFY2(e->document()->toHtml() != before, "the command changed nothing");
    QVERIFY(f.platform->errorTexts().isEmpty());
    f->GeriAl2->trigger(); // the context menu's "Geri Al"
    QCOMPARE(e->document()->toHtml(), before);
    delete paragraf_ayari;
    paragraf_ayari = nullptr;
}

// New writes the new document's alignment itself; that is no edit of the user's.
void TestUndoSteps::newDocumentHasNothingToUndo()
{
    test::FrameFixture f;
    TMDIchild *window = f.newDocument();
    TRichEdit *e = window->RichEdit1;
    QVERIFY(!e->document()->isUndoAvailable());
    QVERIFY(!e->Modified());
    f->GeriAl2->trigger();
    QVERIFY(!e->Modified());
    QCOMPARE(e->Paragraph().Alignment(), ParaAlignment::Left);
    // Closing asks nothing (the fixture fails on an unscripted prompt).
    window->closeWindow();
    test::FrameFixture::settle();
    QCOMPARE(f->MDIChildCount(), 0);
    QVERIFY(f.platform->boxes.isEmpty());
}

QTEST_MAIN(TestUndoSteps)
#include "tst_undo_steps.moc"
