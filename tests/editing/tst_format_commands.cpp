// The formatting commands: the command class on a scripted host, and the
// formatting bar's buttons and boxes of the frame where they are the point.

#include "FrameFixture.h"
#include "HostFixture.h"

#include "base/ui/Guard.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

using namespace kelmora;
using namespace Qt::StringLiterals;

class TestFormatCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void styleTogglesFollowTheSelection();
    void alignmentButtons();
    void sizeBoxTypingAppliesAndFilters();
    void sizeBoxEmptyReportsAndKeepsSize();
    void faceBoxAppliesWhatIsTyped();
    void colourDialogKeepsItsLastColour();
    void fontDialogWritesFaceSizeStyleColour();
    void bulletToggleAndMenuTick();
};

void TestFormatCommands::styleTogglesFollowTheSelection()
{
    test::HostFixture f;
    QCOMPARE(f.format.toggleStyle(FontStyle::Bold), std::nullopt); // no document: nothing
    TRichEdit *e = f.newDocument()->RichEdit1;
    e->insertPlainText(u"yarı eğik"_s);
    e->SetSelStart(0);
    e->SetSelLength(4);
    e->SelAttributes().SetStyle(FontStyle::Italic);
    e->selectAll();
    QCOMPARE(f.format.toggleStyle(FontStyle::Bold), std::optional<bool>(true));
    // Italic was not common to the whole selection, so it is gone everywhere.
    for (int pos : {1, 7}) {
        e->SetSelStart(pos);
        QCOMPARE(e->SelAttributes().Style(), FontStyles(FontStyle::Bold));
    }
    e->selectAll();
    QCOMPARE(f.format.toggleStyle(FontStyle::Bold), std::optional<bool>(false));
    QCOMPARE(e->SelAttributes().Style(), FontStyles());
    f.format.toggleStyle(FontStyle::Underline);
    f.format.toggleStyle(FontStyle::Italic);
    QCOMPARE(e->SelAttributes().Style(), FontStyle::Underline | FontStyle::Italic);
}

void TestFormatCommands::alignmentButtons()
{
    test::FrameFixture f;
    TRichEdit *e = f.newDocument()->RichEdit1;
    e->insertPlainText(u"hizalı"_s);
    f->ToolButton24->click();
    QCOMPARE(e->Paragraph().Alignment(), ParaAlignment::Right);
    f->ToolButton23->click();
    QCOMPARE(e->Paragraph().Alignment(), ParaAlignment::Center);
    QVERIFY(!f->ToolButton24->isChecked());
    f->ToolButton22->click();
    QCOMPARE(e->Paragraph().Alignment(), ParaAlignment::Left);
}

void TestFormatCommands::sizeBoxTypingAppliesAndFilters()
{
    test::FrameFixture f;
    TRichEdit *e = f.newDocument()->RichEdit1;
    e->insertPlainText(u"boyut"_s);
    e->selectAll();
    // Keys go to the box itself, which keeps the focus (as under X).
    QComboBox *box = f->ComboBox2;
    box->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    f.platform->boxes.clear(); // the emptied box reported itself; not this test's point
    // "1" completes to "10" and applies it once; "6" alone matches nothing and applies 6.
    const int undoBefore = e->document()->availableUndoSteps();
    QTest::keyClicks(box, u"1"_s);
    QCOMPARE(box->currentText(), u"10"_s);
    QCOMPARE(box->lineEdit()->selectedText(), u"0"_s);
    QCOMPARE(e->SelAttributes().Size(), 10);
    QCOMPARE(e->document()->availableUndoSteps(), undoBefore + 1);
    QTest::keyClicks(box, u"2"_s);
    QCOMPARE(e->SelAttributes().Size(), 12);
    // A letter beeps and does not appear; a third digit is not taken.
    QTest::keyClicks(box, u"a"_s);
    QCOMPARE(f.platform->beeps, 1);
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClicks(box, u"5"_s);
    QCOMPARE(box->currentText(), u"12"_s);
    QCOMPARE(f.platform->beeps, 1);
    box->lineEdit()->selectAll();
    QTest::keyClicks(box, u"6"_s);
    QCOMPARE(e->SelAttributes().Size(), 6);
    // Enter applies again and gives the focus back to the document.
    QTest::keyClick(box, Qt::Key_Return);
    QTRY_VERIFY(e->hasFocus());
    QVERIFY(f.platform->errorTexts().isEmpty());
}

void TestFormatCommands::sizeBoxEmptyReportsAndKeepsSize()
{
    test::FrameFixture f;
    TRichEdit *e = f.newDocument()->RichEdit1;
    e->insertPlainText(u"boyut"_s);
    e->selectAll();
    e->SelAttributes().SetSize(14);
    QComboBox *box = f->ComboBox2;
    box->setFocus();
    box->setEditText(u"8"_s);
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(f.platform->errorTexts().last(), u"'' is not a valid integer value."_s);
    QCOMPARE(e->SelAttributes().Size(), 8);
}

void TestFormatCommands::faceBoxAppliesWhatIsTyped()
{
    test::FrameFixture f;
    TRichEdit *e = f.newDocument()->RichEdit1;
    e->insertPlainText(u"yazı tipi"_s);
    e->selectAll();
    f->ComboBox1->lineEdit()->setFocus();
    f->ComboBox1->setEditText(u"Olmayan Yazı Tipi"_s);
    QCOMPARE(e->SelAttributes().Name(), u"Olmayan Yazı Tipi"_s);
    const int liberation = f->ComboBox1->findText(u"Liberation Sans"_s);
    QVERIFY(liberation >= 0);
    f->ComboBox1->setCurrentIndex(liberation);
    QCOMPARE(e->SelAttributes().Name(), u"Liberation Sans"_s);
}

void TestFormatCommands::colourDialogKeepsItsLastColour()
{
    test::HostFixture f;
    TRichEdit *e = f.newDocument()->RichEdit1;
    e->insertPlainText(u"renkli"_s);
    e->selectAll();
    f.platform->colorAnswers.push_back({true, QColor(10, 120, 30)});
    f.platform->colorAnswers.push_back({false, QColor()});
    QColor dialogColour = Qt::black;
    f.format.textColour(dialogColour);
    QCOMPARE(e->SelAttributes().Color(), QColor(10, 120, 30));
    QVERIFY(!e->SelAttributes().IsAutoColor());
    e->SelAttributes().SetColor(Qt::red);
    f.format.textColour(dialogColour); // cancelled: nothing changes
    QCOMPARE(f.platform->colorDialogsOpenedWith, (QList<QColor>{Qt::black, QColor(10, 120, 30)}));
    QCOMPARE(e->SelAttributes().Color(), QColor(Qt::red));
}

void TestFormatCommands::fontDialogWritesFaceSizeStyleColour()
{
    test::HostFixture f;
    TRichEdit *e = f.newDocument()->RichEdit1;
    e->insertPlainText(u"diyalog"_s);
    e->selectAll();
    QFont chosen(u"Liberation Mono"_s);
    chosen.setPointSize(20);
    chosen.setBold(true);
    chosen.setStrikeOut(true);
    f.platform->fontAnswers.push_back({true, chosen});
    QFont dialogFont(u"MS Sans Serif"_s);
    const int refreshes = f.refreshes;
    f.format.fontDialog(u"Arial"_s, u"12"_s, dialogFont);
    QCOMPARE(f.platform->fontDialogsOpenedWith.first().family(), u"Arial"_s);
    QCOMPARE(f.platform->fontDialogsOpenedWith.first().pointSize(), 12);
    QCOMPARE(e->SelAttributes().Name(), u"Liberation Mono"_s);
    QCOMPARE(e->SelAttributes().Size(), 20);
    QCOMPARE(e->SelAttributes().Style(), FontStyle::Bold | FontStyle::StrikeOut);
    // The bar is not refreshed by this command.
    QCOMPARE(f.refreshes, refreshes);
    // A size box that is not a number stops the command before the dialog.
    QVERIFY(!guarded([&] { f.format.fontDialog(u"Arial"_s, QString(), dialogFont); }));
    QCOMPARE(f.platform->fontDialogsOpenedWith.size(), 1);
    QCOMPARE(f.platform->errorTexts(), QStringList{u"'' is not a valid integer value."_s});
}

void TestFormatCommands::bulletToggleAndMenuTick()
{
    test::FrameFixture f;
    TRichEdit *e = f.newDocument()->RichEdit1;
    e->insertPlainText(u"madde"_s);
    f->ToolButton27->click();
    QCOMPARE(e->Paragraph().GetNumbering(), Numbering::Bullet);
    QVERIFY(f->ToolButton27->isChecked());
    QVERIFY(f->Maddemi1->isChecked());
    QCOMPARE(e->Paragraph().LeftIndent(), 10);
    f->Maddemi1->trigger();
    QCOMPARE(e->Paragraph().GetNumbering(), Numbering::None);
    QVERIFY(!f->ToolButton27->isChecked() && !f->Maddemi1->isChecked());
    QCOMPARE(e->Paragraph().LeftIndent(), 0);
    // Another numbering counts as on: the toggle removes it.
    e->Paragraph().SetNumbering(Numbering::Other);
    f->Maddemi1->trigger();
    QCOMPARE(e->Paragraph().GetNumbering(), Numbering::None);
}

QTEST_MAIN(TestFormatCommands)
#include "tst_format_commands.moc"
