// The text search dialog and the paragraph settings dialog, driven as the
// user drives them: shown, typed into, Enter and the buttons.

#include "FrameFixture.h"
#include "editing/metinara.h"
#include "editing/prgf_ayari.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace kelmora;
using namespace Qt::StringLiterals;

namespace {

struct Dialogs {
    explicit Dialogs(TAna *frame)
        : search(frame, [frame] { return frame->activeEditor(); }),
          paragraph(
              frame, [frame] { return frame->activeEditor(); },
              [frame] {
                  return std::array<bool, 3>{frame->ToolButton22->isChecked(), frame->ToolButton23->isChecked(),
                                             frame->ToolButton24->isChecked()};
              })
    {
        Tmetin_ara::setSearchStart(0);
    }
    Tmetin_ara search;
    Tparagraf_ayari paragraph;
};

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey)); }
    void searchWalksThroughOccurrences();
    void searchCaseAndInsideWords();
    void searchPositionIsSharedAndNotFoundSelectsAll();
    void searchShowingEmptiesBoxAndEnterSearches();
    void paragraphShowsTensOfPoints();
    void paragraphAppliesAndAlignment();
    void paragraphRefusesDecimalsAndEmptyBoxes();
    void paragraphKeyFilterAndCancel();
    void restoringFromIconKeepsWhatWasTyped_data();
    void restoringFromIconKeepsWhatWasTyped();
};

void TestDialogs::searchWalksThroughOccurrences()
{
    test::FrameFixture f;
    Dialogs d(f.get());
    f.newDocument()->RichEdit1->insertPlainText(u"aaaa"_s);
    d.search.show();
    d.search.Edit1->setText(u"aa"_s);
    QList<int> starts;
    for (int i = 0; i < 4; ++i) {
        const qsizetype boxesBefore = f.platform->boxes.size();
        d.search.Button1->click();
        starts << (f.platform->boxes.size() > boxesBefore ? -1 : f.editor()->SelStart());
    }
    QCOMPARE(starts, (QList<int>{0, 2, -1, 0}));
    QCOMPARE(f.platform->boxTexts(), QStringList{u"Aranan Metin Bulunamadı"_s});
    const MessageRequest &r = f.platform->boxes.first().request;
    QCOMPARE(r.caption, u"Metin Ara"_s);
    QCOMPARE(r.icon, QMessageBox::Question);
    QCOMPARE(r.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    // A match shows even while the editor lacks the focus.
    QCOMPARE(f.editor()->SelLength(), 2);
    QVERIFY(!f.editor()->HideSelection());
}

void TestDialogs::searchCaseAndInsideWords()
{
    test::FrameFixture f;
    Dialogs d(f.get());
    f.newDocument()->RichEdit1->insertPlainText(u"Yazıcılar ve YAZI"_s);
    d.search.show();
    d.search.Edit1->setText(u"YAZI"_s);
    d.search.Button1->click();
    QCOMPARE(f.editor()->SelStart(), 0); // "Yazı" inside "Yazıcılar", case ignored
    d.search.CheckBox1->setChecked(true);
    d.search.Button1->click();
    QCOMPARE(f.editor()->SelStart(), 13);
    QCOMPARE(Tmetin_ara::searchStart(), 17);
    // The check box keeps its state between showings.
    d.search.hide();
    d.search.show();
    QVERIFY(d.search.CheckBox1->isChecked());
}

void TestDialogs::searchPositionIsSharedAndNotFoundSelectsAll()
{
    test::FrameFixture f;
    Dialogs d(f.get());
    f.newDocument()->RichEdit1->insertPlainText(u"uzun bir belge, uzun"_s);
    d.search.show();
    d.search.Edit1->setText(u"uzun"_s);
    d.search.Button1->click();
    d.search.Button1->click();
    QCOMPARE(Tmetin_ara::searchStart(), 20);
    // A second, shorter document: the search begins where the first left off.
    TRichEdit *second = f.newDocument()->RichEdit1;
    second->insertPlainText(u"uzun"_s);
    d.search.Button1->click();
    QCOMPARE(f.platform->boxTexts(), QStringList{u"Aranan Metin Bulunamadı"_s});
    QCOMPARE(Tmetin_ara::searchStart(), 0);
    QCOMPARE(second->SelLength(), second->TextLength()); // left selected
    // Changing the text does not restart; moving the caret does not either.
    d.search.Button1->click();
    QCOMPARE(second->SelStart(), 0);
    second->SetSelStart(0);
    d.search.Edit1->setText(u"zun"_s);
    d.search.Button1->click();
    QCOMPARE(f.platform->boxTexts().size(), 2);
}

void TestDialogs::searchShowingEmptiesBoxAndEnterSearches()
{
    test::FrameFixture f;
    Dialogs d(f.get());
    f.newDocument()->RichEdit1->insertPlainText(u"ara bul ara"_s);
    d.search.show();
    QApplication::setActiveWindow(&d.search);
    QTest::keyClicks(d.search.Edit1, u"ara"_s);
    QTest::keyClick(d.search.Edit1, Qt::Key_Return);
    QCOMPARE(d.search.Edit1->text(), u"ara"_s); // the Enter is dropped
    QCOMPARE(f.editor()->SelStart(), 0);
    QTest::keyClick(d.search.Edit1, Qt::Key_Return);
    QCOMPARE(f.editor()->SelStart(), 8);
    QVERIFY(d.search.Edit1->hasFocus());
    d.search.hide();
    d.search.show();
    QCOMPARE(d.search.Edit1->text(), QString());
    // Escape closes; the document keeps the last match selected.
    QTest::keyClick(d.search.Edit1, Qt::Key_Escape);
    QVERIFY(!d.search.isVisible());
    QCOMPARE(f.editor()->SelStart(), 8);
}

void TestDialogs::paragraphShowsTensOfPoints()
{
    test::FrameFixture f;
    Dialogs d(f.get());
    TRichEdit *e = f.newDocument()->RichEdit1;
    e->insertPlainText(u"paragraf"_s);
    e->Paragraph().SetFirstIndent(20);
    e->Paragraph().SetLeftIndent(-10);
    e->Paragraph().SetRightIndent(15);
    d.paragraph.show();
    QCOMPARE(d.paragraph.Edit1->text(), u"2"_s);
    QCOMPARE(d.paragraph.Edit2->text(), u"1"_s);
    QCOMPARE(d.paragraph.Edit3->text(), u"1,5"_s);
    // Unchanged "&Tamam" on whole values writes the same indents back.
    d.paragraph.Edit3->setText(u"0"_s);
    d.paragraph.Button1->click();
    QCOMPARE(e->Paragraph().FirstIndent(), 20);
    QCOMPARE(e->Paragraph().LeftIndent(), -10);
    QCOMPARE(e->Paragraph().RightIndent(), 0);
    QVERIFY(f.platform->errorTexts().isEmpty());
}

void TestDialogs::paragraphAppliesAndAlignment()
{
    test::FrameFixture f;
    Dialogs d(f.get());
    TRichEdit *e = f.newDocument()->RichEdit1;
    e->insertPlainText(u"bir\niki"_s);
    e->selectAll();
    f->ToolButton24->setChecked(true); // out of date, yet preselected
    d.paragraph.show();
    QCOMPARE(d.paragraph.ComboBox1->currentIndex(), 2);
    d.paragraph.Edit1->setText(u"2"_s);
    d.paragraph.Edit2->setText(u"1"_s);
    d.paragraph.Edit3->setText(u"3"_s);
    QTest::keyClick(d.paragraph.Edit3, Qt::Key_Return);
    QVERIFY(!d.paragraph.isVisible());
    for (int pos : {0, 5}) {
        e->SetSelStart(pos);
        QCOMPARE(e->Paragraph().FirstIndent(), 20);
        QCOMPARE(e->Paragraph().LeftIndent(), -10);
        QCOMPARE(e->Paragraph().RightIndent(), 30);
        QCOMPARE(e->Paragraph().Alignment(), ParaAlignment::Right);
    }
}

void TestDialogs::paragraphRefusesDecimalsAndEmptyBoxes()
{
    test::FrameFixture f;
    Dialogs d(f.get());
    TRichEdit *e = f.newDocument()->RichEdit1;
    e->insertPlainText(u"x"_s);
    e->Paragraph().SetFirstIndent(15);
    d.paragraph.show();
    QCOMPARE(d.paragraph.Edit1->text(), u"1,5"_s);
    d.paragraph.Edit3->clear();
    d.paragraph.Button1->click();
    // The first failing box is reported; nothing is written, the dialog stays.
    QCOMPARE(f.platform->errorTexts(), QStringList{u"'1,5' is not a valid integer value."_s});
    QVERIFY(d.paragraph.isVisible());
    QCOMPARE(e->Paragraph().FirstIndent(), 15);
    d.paragraph.Edit1->setText(u"1"_s);
    d.paragraph.Edit2->setText(u"1"_s);
    d.paragraph.Button1->click();
    QCOMPARE(f.platform->errorTexts().last(), u"'' is not a valid integer value."_s);
    QCOMPARE(e->Paragraph().FirstIndent(), 15);
}

void TestDialogs::paragraphKeyFilterAndCancel()
{
    test::FrameFixture f;
    Dialogs d(f.get());
    TRichEdit *e = f.newDocument()->RichEdit1;
    e->insertPlainText(u"x"_s);
    d.paragraph.show();
    QApplication::setActiveWindow(&d.paragraph);
    d.paragraph.Edit1->clear();
    QTest::keyClicks(d.paragraph.Edit1, u"-1,a2"_s);
    QCOMPARE(d.paragraph.Edit1->text(), u"12"_s);
    QTest::keyClick(d.paragraph.Edit1, Qt::Key_Backspace);
    QCOMPARE(d.paragraph.Edit1->text(), u"1"_s);
    QTest::keyClick(d.paragraph.Edit1, Qt::Key_Escape);
    QVERIFY(!d.paragraph.isVisible());
    QCOMPARE(e->Paragraph().FirstIndent(), 0);
    // A negative value shown by the filling is accepted when whole.
    e->Paragraph().SetLeftIndent(-20);
    d.paragraph.show();
    QCOMPARE(d.paragraph.Edit2->text(), u"-2"_s);
    d.paragraph.Button1->click();
    QCOMPARE(e->Paragraph().LeftIndent(), -20);
}

// The window manager iconifies a dialog (with its frame, say) and restores it:
// Qt then sends the dialog a show event of the window system's. Only a real
// showing fills the boxes anew.
void TestDialogs::restoringFromIconKeepsWhatWasTyped_data()
{
    QTest::addColumn<QString>("dialog"); // "search", "paragraph"
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("hiddenInstead"); // hidden and shown again instead
    QTest::addColumn<QString>("after");
    QTest::newRow("search text") << u"search"_s << u"Edit1"_s << u"kelime"_s << false << u"kelime"_s;
    QTest::newRow("search text, shown again") << u"search"_s << u"Edit1"_s << u"kelime"_s << true << QString();
    QTest::newRow("first indent") << u"paragraph"_s << u"Edit1"_s << u"3"_s << false << u"3"_s;
    QTest::newRow("left indent") << u"paragraph"_s << u"Edit2"_s << u"4"_s << false << u"4"_s;
    QTest::newRow("right indent") << u"paragraph"_s << u"Edit3"_s << u"5"_s << false << u"5"_s;
    QTest::newRow("alignment") << u"paragraph"_s << u"ComboBox1"_s << u"Ortalı"_s << false << u"Ortalı"_s;
    QTest::newRow("first indent, shown again") << u"paragraph"_s << u"Edit1"_s << u"3"_s << true << u"0"_s;
    QTest::newRow("alignment, shown again") << u"paragraph"_s << u"ComboBox1"_s << u"Ortalı"_s << true
                                            << u"Sola Dayalı"_s;
}

void TestDialogs::restoringFromIconKeepsWhatWasTyped()
{
    QFETCH(QString, dialog);
    QFETCH(QString, control);
    QFETCH(QString, typed);
    QFETCH(bool, hiddenInstead);
    test::FrameFixture f;
    Dialogs d(f.get());
    f.newDocument()->RichEdit1->insertPlainText(u"paragraf"_s);
    f->durum_kontrol(f.get()); // "Sola Yasla" down
    QDialog *box = dialog == u"search"_s ? static_cast<QDialog *>(&d.search) : &d.paragraph;
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box));
    QApplication::setActiveWindow(box);
    QWidget *target = box->findChild<QWidget *>(control);
    QVERIFY(target);
    const auto text = [target] {
        if (auto *list = qobject_cast<QComboBox *>(target))
            return list->currentText();
        return static_cast<QLineEdit *>(target)->text();
    };
    if (auto *list = qobject_cast<QComboBox *>(target)) {
        list->setCurrentIndex(list->findText(typed));
    } else {
        static_cast<QLineEdit *>(target)->clear();
        QTest::keyClicks(target, typed);
    }
    QCOMPARE(text(), typed);
    if (hiddenInstead) {
        box->hide();
        box->show();
    } else {
        box->setWindowState(Qt::WindowMinimized);
        QVERIFY(box->isMinimized());
        box->setWindowState(Qt::WindowNoState);
        QVERIFY(!box->isMinimized() && box->isVisible());
    }
    QTEST(text(), "after");
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
