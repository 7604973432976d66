// Selections of paragraph ends on the formatting bar, with the user's keys:
// the style buttons show what a caret at the selection start has, and a
// click on "Koyu" writes exactly that set with bold flipped, so text typed
// in the next empty paragraph shows no style nobody chose.

#include "FrameFixture.h"

#include <QTextBlock>
#include <QToolButton>

using namespace kelmora;
using namespace Qt::StringLiterals;

namespace {

// The style set of the character at position, a paragraph end included
// (whose format Qt gives the next paragraph as its block format).
FontStyles stylesAt(const TRichEdit *e, int position)
{
    const QTextBlock block = e->document()->findBlock(position);
    if (position == block.position() + block.length() - 1)
        return model::stylesOf(block.next().charFormat());
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        if (position >= f.position() && position < f.position() + f.length())
            return model::stylesOf(f.charFormat());
    }
    qFatal("no character at %d", position);
}

FontStyles pressedButtons(const TAna *frame)
{
    FontStyles s;
    s.setFlag(FontStyle::Bold, frame->ToolButton18->isChecked());
    s.setFlag(FontStyle::Underline, frame->ToolButton19->isChecked());
    s.setFlag(FontStyle::Italic, frame->ToolButton20->isChecked());
    return s;
}

} // namespace

class TestParagraphEndStyles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void boldOnParagraphEnds_data();
    void boldOnParagraphEnds();
};

void TestParagraphEndStyles::boldOnParagraphEnds_data()
{
    QTest::addColumn<QString>("typed");     // written into an empty document
    QTest::addColumn<FontStyles>("typing"); // the style set typed with
    QTest::addColumn<bool>("italicFirst"); // then made italic as well: a mixed run
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("shiftRights");
    QTest::addColumn<FontStyles>("reported");
    QTest::addColumn<FontStyles>("written");
    const FontStyles underline = FontStyle::Underline;
    // "yukarı", an empty line, an empty last line; the empty line's end selected.
    QTest::newRow("empty line") << u"yukarı\n\n"_s << underline << false << 7 << 1 << underline
                                << (FontStyle::Bold | FontStyle::Underline);
    // Shift+Right at the end of "ab" takes its paragraph end only.
    QTest::newRow("line end") << u"ab\n"_s << FontStyles() << false << 2 << 1 << FontStyles() << FontStyles(FontStyle::Bold);
    // A mixed run with its paragraph end: only what every character has counts.
    QTest::newRow("mixed run and its paragraph end") << u"ab\n"_s << FontStyles(FontStyle::Bold) << true << 0 << 3
                                                     << FontStyles(FontStyle::Bold) << FontStyles();
    QTest::newRow("italic line end") << u"ab\n"_s << FontStyles(FontStyle::Italic) << false << 2 << 1
                                     << FontStyles(FontStyle::Italic) << (FontStyle::Bold | FontStyle::Italic);
}

void TestParagraphEndStyles::boldOnParagraphEnds()
{
    QFETCH(QString, typed);
    QFETCH(FontStyles, typing);
    QFETCH(bool, italicFirst);
    QFETCH(int, caret);
    QFETCH(int, shiftRights);
    QFETCH(FontStyles, reported);
    QFETCH(FontStyles, written);
    test::FrameFixture f;
    TRichEdit *e = f.newDocument()->RichEdit1;
    e->SelAttributes().SetStyle(typing);
    e->insertPlainText(typed); // the paragraph ends take the format typed with
    QCOMPARE(e->document()->blockCount(), typed.count(u'\n') + 1);
    if (italicFirst) {
        e->SetSelStart(0);
        e->SetSelLength(1);
        e->SelAttributes().SetStyle(typing | FontStyle::Italic);
    }
    e->SetSelStart(caret);
    for (int i = 0; i < shiftRights; ++i)
        QTest::keyClick(e, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(e->SelAttributes().Style(), reported);
    QCOMPARE(pressedButtons(f.get()), reported & ~FontStyles(FontStyle::StrikeOut));
    f->ToolButton18->click();
    QCOMPARE(f->ToolButton18->isChecked(), written.testFlag(FontStyle::Bold));
    for (int i = 0; i < shiftRights; ++i)
        QCOMPARE(stylesAt(e, caret + i), written);
    // The paragraph after the selection is empty: what is typed there takes
    // the written set, and nothing more.
    QTest::keyClick(e, Qt::Key_Right);
    QTest::keyClicks(e, u"x"_s);
    QCOMPARE(stylesAt(e, caret + shiftRights), written);
    QCOMPARE(e->document()->lastBlock().text(), u"x"_s);
}

QTEST_MAIN(TestParagraphEndStyles)
#include "tst_paragraph_end_styles.moc"
