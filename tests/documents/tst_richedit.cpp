// The editing surface: text and paragraph attributes with their unit rules,
// selection, find, delete without undo, and the editor hooks.

#include "documents/RichEdit.h"

#include <QApplication>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

using namespace kelmora;
using namespace Qt::StringLiterals;

namespace {

void select(TRichEdit &e, int start, int length)
{
    e.SetSelStart(start);
    e.SetSelLength(length);
}

} // namespace

class TestRichEdit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaults();
    void faceIsCutAt31Characters();
    void sizesTruncateToWholePoints();
    void mixedSelectionReportsCommonStyleAndFirstCharacter();
    void styleWriteCarriesAllFourMembers();
    void writesWithoutSelectionApplyToTextTypedNext();
    void colourAutomaticAndExplicit();
    void indentsAreExactTwips();
    void indentsApplyToEveryTouchedParagraph();
    void bulletRaisesLeftIndentNoneClearsIt_data();
    void bulletRaisesLeftIndentNoneClearsIt();
    void bulletsOverManyParagraphs_data();
    void bulletsOverManyParagraphs();
    void alignmentOfEveryTouchedParagraph();
    void selectionStartAndLength();
    void findWithinRange_data();
    void findWithinRange();
    void deleteCannotBeUndone();
    void hideSelectionFollowsFocus();
    void enterStartsAParagraphLikeTheOneItLeaves();
};

void TestRichEdit::defaults()
{
    TRichEdit e;
    QVERIFY(!e.Modified());
    QVERIFY(!e.PlainText());
    QVERIFY(e.HideSelection());
    QCOMPARE(e.SelAttributes().Name(), u"Arial"_s);
    QCOMPARE(e.SelAttributes().Size(), 12);
    QCOMPARE(e.SelAttributes().Style(), FontStyles());
    QVERIFY(e.SelAttributes().IsAutoColor());
    QCOMPARE(e.Paragraph().Alignment(), ParaAlignment::Left);
    QCOMPARE(e.Paragraph().GetNumbering(), Numbering::None);
    QCOMPARE(e.TextLength(), 0);
}

void TestRichEdit::faceIsCutAt31Characters()
{
    TRichEdit e;
    e.insertPlainText(u"abc"_s);
    e.selectAll();
    e.SelAttributes().SetName(u"A Very Long Font Family Name That Goes On"_s);
    QCOMPARE(e.SelAttributes().Name(), u"A Very Long Font Family Name Th"_s);
    QCOMPARE(e.SelAttributes().Name().size(), 31);
}

void TestRichEdit::sizesTruncateToWholePoints()
{
    TRichEdit e;
    e.insertPlainText(u"abc"_s);
    e.selectAll();
    QTextCharFormat half;
    half.setFontPointSize(10.5); // a size read from a file, in half points
    e.mergeCurrentCharFormat(half);
    QCOMPARE(e.SelAttributes().Size(), 10);
    e.SelAttributes().SetSize(50);
    QCOMPARE(e.SelAttributes().Size(), 50);
}

void TestRichEdit::mixedSelectionReportsCommonStyleAndFirstCharacter()
{
    TRichEdit e;
    e.insertPlainText(u"abcdef"_s);
    select(e, 0, 3);
    e.SelAttributes().SetStyle(FontStyle::Bold | FontStyle::Italic);
    e.SelAttributes().SetName(u"Liberation Serif"_s);
    e.SelAttributes().SetSize(20);
    select(e, 3, 3);
    e.SelAttributes().SetStyle(FontStyle::Bold);
    // Forward and backward selections report the same.
    select(e, 1, 4);
    QCOMPARE(e.SelAttributes().Style(), FontStyles(FontStyle::Bold));
    QCOMPARE(e.SelAttributes().Name(), u"Liberation Serif"_s);
    QCOMPARE(e.SelAttributes().Size(), 20);
    QTextCursor back = e.textCursor();
    back.setPosition(5);
    back.setPosition(1, QTextCursor::KeepAnchor);
    e.setTextCursor(back);
    QCOMPARE(e.SelAttributes().Style(), FontStyles(FontStyle::Bold));
    QCOMPARE(e.SelAttributes().Name(), u"Liberation Serif"_s);
    // Starting in the second run: its own face and size.
    select(e, 3, 3);
    QCOMPARE(e.SelAttributes().Name(), u"Arial"_s);
    QCOMPARE(e.SelAttributes().Size(), 12);
}

void TestRichEdit::styleWriteCarriesAllFourMembers()
{
    TRichEdit e;
    e.insertPlainText(u"abcd"_s);
    select(e, 0, 2);
    e.SelAttributes().SetStyle(FontStyle::Italic | FontStyle::StrikeOut);
    // Toggle bold over the mixed selection: italic and strikeout take the
    // value reported for the whole selection (off).
    select(e, 0, 4);
    FontStyles s = e.SelAttributes().Style();
    s |= FontStyle::Bold;
    e.SelAttributes().SetStyle(s);
    select(e, 0, 1);
    QCOMPARE(e.SelAttributes().Style(), FontStyles(FontStyle::Bold));
    select(e, 3, 1);
    QCOMPARE(e.SelAttributes().Style(), FontStyles(FontStyle::Bold));
}

void TestRichEdit::writesWithoutSelectionApplyToTextTypedNext()
{
    TRichEdit e;
    e.insertPlainText(u"düz "_s);
    e.SelAttributes().SetStyle(FontStyle::Underline);
    e.SelAttributes().SetSize(16);
    e.insertPlainText(u"altı"_s);
    select(e, 0, 3);
    QCOMPARE(e.SelAttributes().Style(), FontStyles());
    QCOMPARE(e.SelAttributes().Size(), 12);
    select(e, 4, 4);
    QCOMPARE(e.SelAttributes().Style(), FontStyles(FontStyle::Underline));
    QCOMPARE(e.SelAttributes().Size(), 16);
}

void TestRichEdit::colourAutomaticAndExplicit()
{
    TRichEdit e;
    e.insertPlainText(u"renk"_s);
    e.selectAll();
    QVERIFY(e.SelAttributes().IsAutoColor());
    QCOMPARE(e.SelAttributes().Color(), e.palette().color(QPalette::Text));
    e.SelAttributes().SetColor(QColor(200, 10, 20));
    QVERIFY(!e.SelAttributes().IsAutoColor());
    QCOMPARE(e.SelAttributes().Color(), QColor(200, 10, 20));
}

void TestRichEdit::indentsAreExactTwips()
{
    TRichEdit e;
    e.insertPlainText(u"paragraf"_s);
    e.Paragraph().SetFirstIndent(20);
    e.Paragraph().SetLeftIndent(-10);
    e.Paragraph().SetRightIndent(7);
    QCOMPARE(e.Paragraph().FirstIndent(), 20);
    QCOMPARE(e.Paragraph().LeftIndent(), -10);
    QCOMPARE(e.Paragraph().RightIndent(), 7);
    // Qt lays the paragraph out from the same values: every line at 10 pt,
    // the first 10 pt further in (96-dpi layout pixels).
    const QTextBlockFormat f = e.document()->firstBlock().blockFormat();
    QCOMPARE(f.leftMargin(), 10 * 96.0 / 72);
    QCOMPARE(f.textIndent(), 10 * 96.0 / 72);
    QCOMPARE(f.rightMargin(), 7 * 96.0 / 72);
    // A value that is not a whole point reads truncated, without drift.
    QTextBlockFormat odd = f;
    model::setIndents(odd, {290, -15, 39}, false);
    QTextCursor(e.document()).setBlockFormat(odd);
    QCOMPARE(e.Paragraph().FirstIndent(), 14);
    QCOMPARE(e.Paragraph().LeftIndent(), 0);
    QCOMPARE(e.Paragraph().RightIndent(), 1);
}

void TestRichEdit::indentsApplyToEveryTouchedParagraph()
{
    TRichEdit e;
    e.insertPlainText(u"bir\niki\nüç"_s);
    QTextCursor c(e.document()->lastBlock());
    QTextBlockFormat f = c.blockFormat();
    model::setIndents(f, {400, 0, 0}, false);
    c.setBlockFormat(f);
    // From the middle of the first paragraph into the second.
    select(e, 1, 4);
    e.Paragraph().SetFirstIndent(30);
    QTextBlock b = e.document()->firstBlock();
    QCOMPARE(model::indents(b.blockFormat()).first, 600);
    QCOMPARE(model::indents(b.next().blockFormat()).first, 600);
    QCOMPARE(model::indents(b.next().next().blockFormat()).first, 400);
}

void TestRichEdit::bulletRaisesLeftIndentNoneClearsIt_data()
{
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("withBullet");
    QTest::newRow("zero is raised") << 0 << 10;
    QTest::newRow("below ten is raised") << 9 << 10;
    QTest::newRow("negative is raised") << -5 << 10;
    QTest::newRow("ten stays") << 10 << 10;
    QTest::newRow("above ten stays") << 25 << 25;
}

void TestRichEdit::bulletRaisesLeftIndentNoneClearsIt()
{
    QFETCH(int, left);
    QFETCH(int, withBullet);
    TRichEdit e;
    e.insertPlainText(u"madde"_s);
    e.Paragraph().SetFirstIndent(5);
    e.Paragraph().SetLeftIndent(left);
    e.Paragraph().SetNumbering(Numbering::Bullet);
    QCOMPARE(e.Paragraph().GetNumbering(), Numbering::Bullet);
    QCOMPARE(e.Paragraph().LeftIndent(), withBullet);
    QCOMPARE(e.Paragraph().FirstIndent(), 5);
    e.Paragraph().SetNumbering(Numbering::None);
    QCOMPARE(e.Paragraph().GetNumbering(), Numbering::None);
    QCOMPARE(e.Paragraph().LeftIndent(), 0);
    QCOMPARE(e.Paragraph().FirstIndent(), 5);
    // Another numbering counts as on and is replaced by bullets.
    e.Paragraph().SetNumbering(Numbering::Other);
    QCOMPARE(e.Paragraph().GetNumbering(), Numbering::Other);
    e.Paragraph().SetNumbering(Numbering::Bullet);
    QCOMPARE(e.Paragraph().GetNumbering(), Numbering::Bullet);
}

void TestRichEdit::bulletsOverManyParagraphs_data()
{
    QTest::addColumn<int>("paragraphs");
    QTest::newRow("1") << 1;
    QTest::newRow("16") << 16;
    QTest::newRow("17") << 17;
    QTest::newRow("20000") << 20000;
}

void TestRichEdit::bulletsOverManyParagraphs()
{
    // Every selected paragraph takes the bullet and its indent, saves as one
    // bulleted list, and goes back to none as one undoable step.
    QFETCH(int, paragraphs);
    TRichEdit e;
    QStringList lines;
    for (int i = 0; i < paragraphs; ++i)
        lines << u"satır "_s + QString::number(i);
    e.textCursor().insertText(lines.join(u'\n'));
    e.selectAll();
    e.Paragraph().SetNumbering(Numbering::Bullet);
    int bulleted = 0;
    for (QTextBlock b = e.document()->begin(); b.isValid(); b = b.next())
        bulleted += model::numbering(b) == Numbering::Bullet && model::indents(b.blockFormat()).left == 200;
    QCOMPARE(bulleted, paragraphs);
    const QByteArray rtf = formats::toRtf(*e.document());
    QCOMPARE(rtf.count("\\ls1\\ilvl0"), paragraphs);
    e.Paragraph().SetNumbering(Numbering::None);
    QCOMPARE(model::numbering(e.document()->lastBlock()), Numbering::None);
    QCOMPARE(model::indents(e.document()->lastBlock().blockFormat()).left, 0);
    e.undo();
    QCOMPARE(model::numbering(e.document()->lastBlock()), Numbering::Bullet);
}

void TestRichEdit::alignmentOfEveryTouchedParagraph()
{
    TRichEdit e;
    e.insertPlainText(u"a\nb\nc"_s);
    select(e, 0, 3);
    e.Paragraph().SetAlignment(ParaAlignment::Right);
    QCOMPARE(e.Paragraph().Alignment(), ParaAlignment::Right);
    e.SetSelStart(4);
    QCOMPARE(e.Paragraph().Alignment(), ParaAlignment::Left);
    e.Paragraph().SetAlignment(ParaAlignment::Center);
    QCOMPARE(e.Paragraph().Alignment(), ParaAlignment::Center);
    e.SetSelStart(2);
    QCOMPARE(e.Paragraph().Alignment(), ParaAlignment::Right);
}

void TestRichEdit::selectionStartAndLength()
{
    TRichEdit e;
    e.insertPlainText(u"satır bir\nsatır iki"_s);
    QCOMPARE(e.TextLength(), 19); // the paragraph end counts as one character
    select(e, 3, 5);
    QCOMPARE(e.SelStart(), 3);
    QCOMPARE(e.SelLength(), 5);
    // Writing the start collapses the selection there.
    e.SetSelStart(6);
    QCOMPARE(e.SelLength(), 0);
    // Lengths beyond the end stop at the end.
    e.SetSelLength(1000);
    QCOMPARE(e.SelStart(), 6);
    QCOMPARE(e.SelLength(), 13);
    e.SetSelStart(-4);
    QCOMPARE(e.SelStart(), 0);
    e.selectAll();
    QCOMPARE(e.SelLength(), e.TextLength());
}

void TestRichEdit::findWithinRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<int>("found");
    QTest::newRow("first") << u"aaaa"_s << u"aa"_s << 0 << 4 << false << 0;
    QTest::newRow("from two") << u"aaaa"_s << u"aa"_s << 2 << 4 << false << 2;
    QTest::newRow("past the last") << u"aaaa"_s << u"aa"_s << 3 << 4 << false << -1;
    QTest::newRow("ignoring case") << u"Kelmora KELMORA"_s << u"kelmora"_s << 1 << 20 << false << 8;
    QTest::newRow("matching case") << u"Kelmora KELMORA"_s << u"kelmora"_s << 0 << 20 << true << -1;
    QTest::newRow("inside a longer word") << u"yazıcılar"_s << u"cı"_s << 0 << 9 << true << 4;
    QTest::newRow("match must end within range") << u"abcdef"_s << u"cde"_s << 0 << 4 << false << -1;
    QTest::newRow("match ending at range end") << u"abcdef"_s << u"cde"_s << 0 << 5 << false << 2;
    QTest::newRow("start beyond end") << u"abc"_s << u"a"_s << 10 << 3 << false << -1;
    QTest::newRow("empty text") << u"abc"_s << QString() << 0 << 3 << false << -1;
    QTest::newRow("dotless I in capitals") << u"Yazıcı"_s << u"YAZI"_s << 0 << 6 << false << 0;
    QTest::newRow("dotted capital") << u"İSTANBUL"_s << u"istanbul"_s << 0 << 8 << false << 0;
    QTest::newRow("Turkish i, matching case") << u"İSTANBUL"_s << u"istanbul"_s << 0 << 8 << true << -1;
    QTest::newRow("Turkish i then limit") << u"xxıı"_s << u"II"_s << 0 << 3 << false << -1;
    // Dotted and dotless i are two letters; only their case folds.
    QTest::newRow("dotted i is not dotless") << u"sınır sinir"_s << u"sinir"_s << 0 << 11 << false << 6;
    QTest::newRow("dotless i is not dotted") << u"sinir sınır"_s << u"sınır"_s << 0 << 11 << false << 6;
    QTest::newRow("I is the capital of ı") << u"ılık"_s << u"ILIK"_s << 0 << 4 << false << 0;
    QTest::newRow("I is not the capital of i") << u"IKI iki"_s << u"İKİ"_s << 0 << 7 << false << 4;
    QTest::newRow("İ is not the capital of ı") << u"ıssız"_s << u"İSSİZ"_s << 0 << 5 << false << -1;
    QTest::newRow("ascii I does not find i") << u"kitap"_s << u"KITAP"_s << 0 << 5 << false << -1;
    QTest::newRow("other letters fold as usual") << u"ÇİĞDEM çiğdem"_s << u"çiğdem"_s << 0 << 13 << false << 0;
    QTest::newRow("ı, matching case") << u"ILIK ılık"_s << u"ılık"_s << 0 << 9 << true << 5;
    QTest::newRow("second paragraph") << u"bir\nüç"_s << u"üç"_s << 0 << 6 << true << 4;
}

void TestRichEdit::findWithinRange()
{
    QFETCH(QString, text);
    QFETCH(QString, what);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(bool, matchCase);
    QFETCH(int, found);
    TRichEdit e;
    e.insertPlainText(text);
    QCOMPARE(e.FindText(what, start, length, matchCase), found);
}

void TestRichEdit::deleteCannotBeUndone()
{
    TRichEdit e;
    e.insertPlainText(u"silinecek metin"_s);
    e.SetModified(false);
    select(e, 0, 9);
    e.ClearSelection();
    QCOMPARE(e.toPlainText(), u" metin"_s);
    QVERIFY(e.Modified());
    e.undo();
    QCOMPARE(e.toPlainText(), u" metin"_s);
    // An empty selection changes nothing.
    e.SetModified(false);
    e.SetSelStart(1);
    e.ClearSelection();
    QVERIFY(!e.Modified());
    // Ordinary edits stay undoable.
    e.insertPlainText(u"x"_s);
    e.undo();
    QCOMPARE(e.toPlainText(), u" metin"_s);
    e.Clear();
    QCOMPARE(e.TextLength(), 0);
    QCOMPARE(e.SelAttributes().Name(), u"Arial"_s);
}

void TestRichEdit::hideSelectionFollowsFocus()
{
    TRichEdit e;
    const QPalette::ColorGroup inactive = QPalette::Inactive;
    QCOMPARE(e.palette().color(inactive, QPalette::Highlight), e.palette().color(inactive, QPalette::Base));
    e.SetHideSelection(false);
    QVERIFY(!e.HideSelection());
    QCOMPARE(e.palette().color(inactive, QPalette::Highlight), e.palette().color(QPalette::Active, QPalette::Highlight));
    e.SetHideSelection(true);
    QCOMPARE(e.palette().color(inactive, QPalette::Highlight), e.palette().color(inactive, QPalette::Base));
}

void TestRichEdit::enterStartsAParagraphLikeTheOneItLeaves()
{
    // Enter on an empty paragraph is a new paragraph too, and keeps the
    // paragraph's alignment and the typed text's format.
    TRichEdit e;
    e.show();
    e.setFocus();
    e.Paragraph().SetAlignment(ParaAlignment::Center);
    e.SelAttributes().SetSize(20);
    QTest::keyClicks(&e, u"ab"_s);
    QTest::keyClick(&e, Qt::Key_Return);
    QTest::keyClick(&e, Qt::Key_Return);
    QTest::keyClick(&e, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClicks(&e, u"c"_s);
    QCOMPARE(e.toPlainText(), u"ab\n\n\nc"_s);
    QCOMPARE(e.Paragraph().Alignment(), ParaAlignment::Center);
    QCOMPARE(e.SelAttributes().Size(), 20);
    // A selection is replaced; one undo takes the new paragraph back.
    e.selectAll();
    QTest::keyClick(&e, Qt::Key_Return);
    QCOMPARE(e.toPlainText(), u"\n"_s);
    e.undo();
    QCOMPARE(e.toPlainText(), u"ab\n\n\nc"_s);
}

QTEST_MAIN(TestRichEdit)
#include "tst_richedit.moc"
