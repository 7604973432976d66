// The command-state refresh (the 200 ms tick and durum_kontrol) and the
// frame's shortcut keys, which win over the focused editor.

#include "FrameFixture.h"

#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolButton>

using namespace kelmora;
using namespace Qt::StringLiterals;

namespace {

QList<QWidget *> documentControls(TAna *a)
{
    return {a->ToolButton18, a->ToolButton19, a->ToolButton20, a->ToolButton22, a->ToolButton23,
            a->ToolButton24, a->ToolButton26, a->ToolButton27, a->ToolButton2,  a->ToolButton12,
            a->ToolButton15, a->ComboBox1,    a->ComboBox2};
}

QList<QAction *> documentCommands(TAna *a)
{
    return {a->MetinAra1, a->Biim1->menuAction(), a->Edit1->menuAction(), a->FileSaveItem,
            a->FileSaveAsItem, a->yazdir, a->Window1->menuAction()};
}

void focusEditor(test::FrameFixture &f)
{
    f.editor()->setFocus();
    QApplication::processEvents();
    QTRY_VERIFY(f.editor()->hasFocus());
}

} // namespace

class TestRefreshKeys : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void withoutDocumentsEverythingDocumentRelatedIsOff();
    void withDocumentUndoFollowsModifiedFlag();
    void closingLastDocumentReleasesButtonsButNotBullets();
    void mirrorsSelectionIntoBar();
    void mirrorDoesNotFireBoxHandlers();
    void justifiedLeavesAlignmentGroupAlone();
    void editorHooksRefresh();
    void frameWinsOverEditorForItsShortcuts();
    void ctrlBSelectsAllAndNeverBolds();
    void disabledShortcutsAreSwallowed();
    void noDocumentShortcutsDoNothing();
    void clipboardActionsNeedAFocusedTextControl();
};

void TestRefreshKeys::withoutDocumentsEverythingDocumentRelatedIsOff()
{
    test::FrameFixture f;
    f->Timer1Timer(nullptr);
    for (QWidget *w : documentControls(f.get()))
        QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
    for (QAction *a : documentCommands(f.get()))
        QVERIFY2(!a->isEnabled(), qPrintable(a->text()));
    QVERIFY(!f->ToolButton17->isEnabled());
    // Untouched by the tick: New, Open, Exit, View and Help, the close item.
    for (QAction *a : {f->FileNewItem, f->FileOpenItem, f->FileExitItem, f->Grnm1->menuAction(),
                       f->Yardm1->menuAction()})
        QVERIFY2(a->isEnabled(), qPrintable(a->text()));
    f->updateActions();
    QVERIFY(!f->FileCloseItem->isEnabled());
    QVERIFY(!f->ToolButton8->isEnabled() && !f->ToolButton10->isEnabled() && !f->ToolButton11->isEnabled());
}

void TestRefreshKeys::withDocumentUndoFollowsModifiedFlag()
{
    test::FrameFixture f;
    f.newDocument();
    f->Timer1Timer(nullptr);
    for (QWidget *w : documentControls(f.get()))
        QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
    for (QAction *a : documentCommands(f.get()))
        QVERIFY2(a->isEnabled(), qPrintable(a->text()));
    // A fresh document is unmodified: undo is off until the first edit.
    QVERIFY(!f->ToolButton17->isEnabled() && !f->GeriAl1->isEnabled());
    focusEditor(f);
    QTest::keyClicks(f.editor(), u"merhaba"_s);
    f->Timer1Timer(nullptr);
    QVERIFY(f->ToolButton17->isEnabled() && f->GeriAl1->isEnabled());
    f.editor()->SetModified(false);
    f->Timer1Timer(nullptr);
    QVERIFY(!f->ToolButton17->isEnabled() && !f->GeriAl1->isEnabled());
    // The context menu's undo is never disabled.
    QVERIFY(f->GeriAl2->isEnabled());
    // The real timer does the same within a tick.
    QTest::keyClicks(f.editor(), u"x"_s);
    QTRY_VERIFY_WITH_TIMEOUT(f->GeriAl1->isEnabled(), 1000);
}

void TestRefreshKeys::closingLastDocumentReleasesButtonsButNotBullets()
{
    test::FrameFixture f;
    f.newDocument();
    focusEditor(f);
    f->ToolButton18->click(); // bold
    f->ToolButton23->click(); // centre
    f->Maddemi1->trigger();   // bullets
    QTest::keyClicks(f.editor(), u"kalin"_s);
    f->durum_kontrol(nullptr);
    QVERIFY(f->ToolButton18->isChecked() && f->ToolButton23->isChecked() && f->ToolButton27->isChecked());
    f.editor()->SetModified(false);
    f->updateActions();
    f->FileClose1->trigger();
    test::FrameFixture::settle();
    QCOMPARE(f->MDIChildCount(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!f->ToolButton18->isEnabled(), 1000);
    QVERIFY(!f->ToolButton18->isChecked());
    QVERIFY(!f->ToolButton22->isChecked() && !f->ToolButton23->isChecked() && !f->ToolButton24->isChecked());
    QVERIFY(f->ToolButton27->isChecked()); // pressed, greyed
}

void TestRefreshKeys::mirrorsSelectionIntoBar()
{
    test::FrameFixture f;
    f.newDocument();
    TRichEdit *e = f.editor();
    e->insertPlainText(u"düz\nkalın ortalı"_s);
    QTextCursor c = e->textCursor();
    c.movePosition(QTextCursor::StartOfBlock);
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    e->setTextCursor(c);
    e->SelAttributes().SetStyle(FontStyle::Bold | FontStyle::Underline);
    e->SelAttributes().SetName(u"Liberation Serif"_s);
    e->SelAttributes().SetSize(18);
    e->Paragraph().SetAlignment(ParaAlignment::Center);
    e->Paragraph().SetNumbering(Numbering::Bullet);
    f->ToolButton22->setChecked(true);

    c.setPosition(c.block().position() + 3);
    e->setTextCursor(c);
    f->durum_kontrol(nullptr);
    QVERIFY(f->ToolButton18->isChecked());
    QVERIFY(f->ToolButton19->isChecked());
    QVERIFY(!f->ToolButton20->isChecked());
    QVERIFY(f->ToolButton23->isChecked() && !f->ToolButton22->isChecked());
    QVERIFY(f->ToolButton27->isChecked());
    QCOMPARE(f->ComboBox1->currentText(), u"Liberation Serif"_s);
    QCOMPARE(f->ComboBox2->currentText(), u"18"_s);

    // Back in the plain first paragraph.
    c.setPosition(1);
    e->setTextCursor(c);
    f->durum_kontrol(nullptr);
    QVERIFY(!f->ToolButton18->isChecked() && !f->ToolButton19->isChecked());
    QVERIFY(f->ToolButton22->isChecked() && !f->ToolButton23->isChecked());
    QVERIFY(!f->ToolButton27->isChecked());
    QCOMPARE(f->ComboBox1->currentText(), u"Arial"_s);
    QCOMPARE(f->ComboBox2->currentText(), u"12"_s);
}

void TestRefreshKeys::mirrorDoesNotFireBoxHandlers()
{
    test::FrameFixture f;
    f.newDocument();
    TRichEdit *e = f.editor();
    e->insertPlainText(u"abcd"_s);
    // "ab" in Liberation Serif 20 pt, "cd" in Arial 9 pt.
    e->SetSelStart(0);
    e->SetSelLength(2);
    e->SelAttributes().SetSize(20);
    e->SelAttributes().SetName(u"Liberation Serif"_s);
    e->SetSelStart(2);
    e->SetSelLength(2);
    e->SelAttributes().SetSize(9);
    e->SetModified(false);
    // Writing the boxes from code must not apply them back to the selection.
    e->SetSelStart(4);
    f->durum_kontrol(nullptr);
    QCOMPARE(f->ComboBox2->currentText(), u"9"_s);
    e->SetSelStart(1);
    f->durum_kontrol(nullptr);
    QCOMPARE(f->ComboBox2->currentText(), u"20"_s);
    QCOMPARE(f->ComboBox1->currentText(), u"Liberation Serif"_s);
    QVERIFY(!e->Modified());
    e->SetSelStart(4);
    QCOMPARE(e->SelAttributes().Size(), 9);
    QCOMPARE(e->SelAttributes().Name(), u"Arial"_s);
    QVERIFY(f.platform->errorTexts().isEmpty());
}

void TestRefreshKeys::justifiedLeavesAlignmentGroupAlone()
{
    test::FrameFixture f;
    f.newDocument();
    TRichEdit *e = f.editor();
    e->insertPlainText(u"iki yana"_s);
    e->Paragraph().SetAlignment(ParaAlignment::Right);
    f->durum_kontrol(nullptr);
    QVERIFY(f->ToolButton24->isChecked());
    e->Paragraph().SetAlignment(ParaAlignment::Justify);
    f->durum_kontrol(nullptr);
    QVERIFY(f->ToolButton24->isChecked());
    QVERIFY(!f->ToolButton22->isChecked() && !f->ToolButton23->isChecked());
    // Any numbering other than none presses the bullets button.
    e->Paragraph().SetNumbering(Numbering::Other);
    f->durum_kontrol(nullptr);
    QVERIFY(f->ToolButton27->isChecked());
}

void TestRefreshKeys::editorHooksRefresh()
{
    test::FrameFixture f;
    f.newDocument();
    TRichEdit *e = f.editor();
    focusEditor(f);
    e->insertPlainText(u"ab"_s);
    QTextCursor c = e->textCursor();
    c.setPosition(1);
    c.setPosition(2, QTextCursor::KeepAnchor);
    e->setTextCursor(c);
    e->SelAttributes().SetStyle(FontStyle::Italic);
    c.setPosition(0);
    e->setTextCursor(c);
    f->durum_kontrol(nullptr);
    QVERIFY(!f->ToolButton20->isChecked());
    // Key down shows the formatting before the move, key up after it.
    QTest::keyPress(e, Qt::Key_Right);
    QVERIFY(!f->ToolButton20->isChecked());
    QTest::keyPress(e, Qt::Key_Right);
    QVERIFY(!f->ToolButton20->isChecked()); // still the state before this move
    QTest::keyRelease(e, Qt::Key_Right);
    QVERIFY(f->ToolButton20->isChecked());
    // A click places the caret, then refreshes.
    const QRect start = e->cursorRect(QTextCursor(e->document()));
    QTest::mouseClick(e->viewport(), Qt::LeftButton, {}, start.center() + QPoint(1, 0));
    QVERIFY(!f->ToolButton20->isChecked());
}

void TestRefreshKeys::frameWinsOverEditorForItsShortcuts()
{
    test::FrameFixture f;
    f.newDocument();
    focusEditor(f);
    TRichEdit *e = f.editor();
    QTest::keyClicks(e, u"bir"_s);
    f->Timer1Timer(nullptr);
    QSignalSpy undo(f->GeriAl1, &QAction::triggered);
    QSignalSpy copy(f->EditCopy1, &QAction::triggered);
    QSignalSpy cut(f->EditCut1, &QAction::triggered);
    QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(undo.count(), 1);
    QCOMPARE(e->toPlainText(), QString());
    e->insertPlainText(u"kopya"_s);
    e->selectAll();
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(e, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(copy.count(), 1);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"kopya"_s);
    QTest::keyClick(e, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(cut.count(), 1);
    QCOMPARE(e->toPlainText(), QString());
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(e->toPlainText(), u"kopya"_s);
}

void TestRefreshKeys::ctrlBSelectsAllAndNeverBolds()
{
    test::FrameFixture f;
    f.newDocument();
    focusEditor(f);
    TRichEdit *e = f.editor();
    QTest::keyClicks(e, u"tumu"_s);
    QTextCursor c = e->textCursor();
    c.setPosition(2);
    e->setTextCursor(c);
    QTest::keyClick(e, Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(e->SelStart(), 0);
    QCOMPARE(e->SelLength(), 4);
    QVERIFY(!e->SelAttributes().Style().testFlag(FontStyle::Bold));
    // Typing now replaces the whole document.
    QTest::keyClicks(e, u"yeni"_s);
    QCOMPARE(e->toPlainText(), u"yeni"_s);
    // With the focus in the font box Ctrl+B still selects the document's text.
    f->ComboBox1->lineEdit()->setFocus();
    QTRY_VERIFY(f->ComboBox1->lineEdit()->hasFocus());
    QTest::keyClick(f->ComboBox1->lineEdit(), Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(e->SelLength(), 4);
}

void TestRefreshKeys::disabledShortcutsAreSwallowed()
{
    test::FrameFixture f;
    f.newDocument();
    focusEditor(f);
    TRichEdit *e = f.editor();
    QTest::keyClicks(e, u"kayitli"_s);
    e->SetModified(false); // as after a save
    f->Timer1Timer(nullptr);
    QVERIFY(!f->GeriAl1->isEnabled());
    QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier);
    // The editor could have undone the typing; the key never reached it.
    QCOMPARE(e->toPlainText(), u"kayitli"_s);
    // The context menu's undo still undoes.
    f->GeriAl2->trigger();
    QCOMPARE(e->toPlainText(), QString());

    // A disabled menu disables its items' keys too: with the Edit menu off,
    // Ctrl+B does nothing even though the item itself is enabled.
    e->insertPlainText(u"abc"_s);
    e->SetSelStart(1);
    f->Edit1->menuAction()->setEnabled(false);
    QVERIFY(f->TmnSe1->isEnabled());
    QTest::keyClick(e, Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(e->SelLength(), 0);
    QCOMPARE(e->toPlainText(), u"abc"_s);
}

void TestRefreshKeys::noDocumentShortcutsDoNothing()
{
    test::FrameFixture f;
    f->Timer1Timer(nullptr);
    QSignalSpy search(f->MetinAra1, &QAction::triggered);
    QSignalSpy selectAll(f->TmnSe1, &QAction::triggered);
    QSignalSpy close(f->FileClose1, &QAction::triggered);
    QSignalSpy undo(f->GeriAl1, &QAction::triggered);
    f->menuBar()->setFocus();
    for (Qt::Key k : {Qt::Key_Z, Qt::Key_B, Qt::Key_F, Qt::Key_W})
        QTest::keyClick(f.get(), k, Qt::ControlModifier);
    QCOMPARE(search.count() + selectAll.count() + close.count() + undo.count(), 0);
    // Ctrl+N always works.
    QTest::keyClick(f.get(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(f.captions(), QStringList{u"ADSIZ1"_s});
}

void TestRefreshKeys::clipboardActionsNeedAFocusedTextControl()
{
    test::FrameFixture f;
    f.newDocument();
    TRichEdit *e = f.editor();
    focusEditor(f);
    e->insertPlainText(u"seçili"_s);
    e->selectAll();
    QGuiApplication::clipboard()->setText(u"pano"_s);
    f->updateActions();
    QVERIFY(f->EditCut1->isEnabled() && f->EditCopy1->isEnabled() && f->EditPaste1->isEnabled());
    QVERIFY(f->ToolButton4->isEnabled() && f->CutItem->isEnabled() && f->Cut1->isEnabled());
    // The font box is a drop-down list, not a target.
    f->ComboBox1->lineEdit()->setFocus();
    QTRY_VERIFY(f->ComboBox1->lineEdit()->hasFocus());
    f->updateActions();
    QVERIFY(!f->EditCut1->isEnabled() && !f->EditCopy1->isEnabled() && !f->EditPaste1->isEnabled());
    QVERIFY(!f->ToolButton4->isEnabled() && !f->CopyItem->isEnabled());
    const QString before = f->ComboBox1->currentText();
    QTest::keyClick(f->ComboBox1->lineEdit(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f->ComboBox1->currentText(), before);
    // Empty selection: nothing to cut or copy; a clipboard without text: no paste.
    focusEditor(f);
    e->SetSelStart(0);
    QGuiApplication::clipboard()->clear();
    QTRY_VERIFY(QGuiApplication::clipboard()->text().isEmpty());
    f->updateActions();
    QVERIFY(!f->EditCut1->isEnabled() && !f->EditCopy1->isEnabled() && !f->EditPaste1->isEnabled());
}

QTEST_MAIN(TestRefreshKeys)
#include "tst_refresh_keys.moc"
