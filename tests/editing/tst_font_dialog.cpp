// The font dialog (Biçim > Yazı Tipi) as the user works it: opened with the
// two boxes and the selection's colour, the last confirmed style set kept,
// OK writing face, size, style set and colour in that order, the automatic
// colour kept unless another is picked, cancel changing nothing, and its
// place on the screen.

#include "FrameFixture.h"

#include "base/ui/DialogPlacement.h"
#include "editing/FontDialog.h"
#include "formats/DocumentIO.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include <functional>

using namespace kelmora;
using namespace Qt::StringLiterals;

namespace {

// The scripted platform, with the real font dialog: each showing runs the
// next queued step on the dialog once it is up; the step closes it.
class DialogPlatform : public test::ScriptedPlatform {
public:
    QList<std::function<void(FontDialog &)>> steps;

    bool fontDialog(QWidget *parent, FontChoice &choice) override
    {
        fontChoicesOpenedWith.append(choice);
        if (steps.isEmpty()) {
            unexpected.append(u"font dialog"_s);
            return false;
        }
        auto step = steps.takeFirst();
        QTimer::singleShot(0, [step] {
            if (auto *dialog = qobject_cast<FontDialog *>(QApplication::activeModalWidget()))
                step(*dialog);
        });
        return FontDialog::run(parent, choice);
    }
};

// Puts a DialogPlatform in place of the fixture's for the life of the object.
class RealFontDialog {
public:
    RealFontDialog()
    {
        auto p = std::make_unique<DialogPlatform>();
        platform = p.get();
        m_scripted = setPlatform(std::move(p));
    }
    ~RealFontDialog() { setPlatform(std::move(m_scripted)); }
    DialogPlatform *platform;

private:
    std::unique_ptr<Platform> m_scripted;
};

void clickItem(QListWidget *list, const QString &text)
{
    const QList<QListWidgetItem *> items = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!items.isEmpty(), qPrintable(text));
    list->scrollToItem(items.constFirst());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items.constFirst()).center());
}

// Picks an entry of the colour list with the keyboard, as the list is closed.
void pickColour(QComboBox *box, const QString &name)
{
    box->setFocus();
    const int target = box->findText(name);
    QVERIFY2(target >= 0, qPrintable(name));
    while (box->currentIndex() != target)
        QTest::keyClick(box, box->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
}

// A click on the check box's square.
void tick(QCheckBox *box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

void typeInto(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

struct Shown {
    QString face, size, style, colourName;
    QColor colour;
    bool underline = false, strikeOut = false;
};

Shown shown(const FontDialog &d)
{
    return {d.FaceEdit->text(),
            d.SizeEdit->text(),
            d.StyleList->currentItem() ? d.StyleList->currentItem()->text() : QString(),
            d.ColourBox->currentText(),
            d.ColourBox->currentData().value<QColor>(),
            d.UnderlineBox->isChecked(),
            d.StrikeOutBox->isChecked()};
}

void select(TRichEdit *e, int start, int length)
{
    e->SetSelStart(start);
    e->SetSelLength(length);
}

} // namespace

class TestFontDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensWithTheBoxesAndTheSelectionsColour_data();
    void opensWithTheBoxesAndTheSelectionsColour();
    void okWritesTheColourPickedElseTheOneGiven_data();
    void okWritesTheColourPickedElseTheOneGiven();
    void okWritesFaceSizeStyleColourAsOneStep();
    void styleSetKeptBetweenUsesCancelKeepsIt();
    void colourDialogPlacedLikeTheFontDialog();
};

void TestFontDialog::opensWithTheBoxesAndTheSelectionsColour_data()
{
    QTest::addColumn<QColor>("first");  // invalid: automatic
    QTest::addColumn<QColor>("second"); // colour of the rest of the selection
    QTest::addColumn<QString>("colourName");
    QTest::addColumn<QColor>("colour");
    const QColor text = QGuiApplication::palette().color(QPalette::Text);
    QTest::newRow("automatic") << QColor() << QColor() << u"Otomatik"_s << text;
    QTest::newRow("a standard colour") << QColor(Qt::red) << QColor(Qt::red) << u"Kırmızı"_s << QColor(Qt::red);
    QTest::newRow("any other colour") << QColor(10, 120, 30) << QColor(10, 120, 30) << u"Özel"_s
                                      << QColor(10, 120, 30);
    QTest::newRow("mixed: the first character's") << QColor(0, 0, 255) << QColor() << u"Mavi"_s
                                                  << QColor(0, 0, 255);
    QTest::newRow("mixed, automatic first") << QColor() << QColor(Qt::red) << u"Otomatik"_s << text;
}

void TestFontDialog::opensWithTheBoxesAndTheSelectionsColour()
{
    QFETCH(QColor, first);
    QFETCH(QColor, second);
    QFETCH(QString, colourName);
    QFETCH(QColor, colour);
    test::FrameFixture f;
    RealFontDialog real;
    TRichEdit *e = f.newDocument()->RichEdit1;
    e->insertPlainText(u"renkli metin"_s);
    select(e, 0, 1);
    e->SelAttributes().SetName(u"Liberation Mono"_s);
    e->SelAttributes().SetSize(20);
    e->SelAttributes().SetStyle(FontStyle::Italic);
    if (first.isValid())
        e->SelAttributes().SetColor(first);
    select(e, 1, 11);
    if (second.isValid())
        e->SelAttributes().SetColor(second);
    e->selectAll();
    f->durum_kontrol(nullptr);
    const QString before = e->document()->toHtml();
    const int steps = e->document()->availableUndoSteps();
    Shown seen;
    QPoint offset;
    real.platform->steps.append([&](FontDialog &d) {
        seen = shown(d);
        const QRect area = d.screen()->availableGeometry();
        const QRect frame = d.frameGeometry();
        offset = {frame.center().x() - area.center().x(), frame.top() - area.top() - (area.height() - frame.height()) / 3};
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    f->YazTipi1->trigger();
    // Face and size from the two boxes; the style set is the dialog's own
    // (regular at first), never the selection's italic.
    QCOMPARE(seen.face, u"Liberation Mono"_s);
    QCOMPARE(seen.size, u"20"_s);
    QCOMPARE(seen.style, u"Normal"_s);
    QVERIFY(!seen.underline && !seen.strikeOut);
    QCOMPARE(seen.colourName, colourName);
    QCOMPARE(seen.colour, colour);
    QVERIFY2(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1, "centred, a third of the free height down");
    QCOMPARE(e->document()->toHtml(), before);
    QCOMPARE(e->document()->availableUndoSteps(), steps);
}

void TestFontDialog::okWritesTheColourPickedElseTheOneGiven_data()
{
    QTest::addColumn<QColor>("given"); // invalid: automatic
    QTest::addColumn<QStringList>("picks");
    QTest::addColumn<QColor>("written"); // invalid: automatic
    QTest::newRow("automatic, nothing picked") << QColor() << QStringList() << QColor();
    QTest::newRow("automatic, a colour picked") << QColor() << QStringList{u"Kırmızı"_s} << QColor(Qt::red);
    QTest::newRow("automatic, black picked") << QColor() << QStringList{u"Siyah"_s} << QColor(Qt::black);
    QTest::newRow("picked, then back to automatic") << QColor() << QStringList{u"Mavi"_s, u"Otomatik"_s}
                                                    << QColor();
    QTest::newRow("explicit, nothing picked") << QColor(10, 120, 30) << QStringList() << QColor(10, 120, 30);
    QTest::newRow("explicit, another picked") << QColor(10, 120, 30) << QStringList{u"Mor"_s}
                                              << QColor(0x80, 0, 0x80);
}

void TestFontDialog::okWritesTheColourPickedElseTheOneGiven()
{
    QFETCH(QColor, given);
    QFETCH(QStringList, picks);
    QFETCH(QColor, written);
    test::FrameFixture f;
    RealFontDialog real;
    TRichEdit *e = f.newDocument()->RichEdit1;
    // A dark desktop: the automatic colour shows light, and must stay automatic.
    QPalette dark = e->palette();
    dark.setColor(QPalette::Text, QColor(0xe0, 0xe0, 0xe0));
    dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    e->setPalette(dark);
    e->insertPlainText(u"iki renk"_s);
    e->selectAll();
    if (given.isValid())
        e->SelAttributes().SetColor(given);
    // The rest of the text another colour: OK writes one colour to all of it.
    select(e, 4, 4);
    e->SelAttributes().SetColor(QColor(0xff, 0x80, 0));
    e->selectAll();
    f->durum_kontrol(nullptr);
    real.platform->steps.append([&](FontDialog &d) {
        for (const QString &name : picks)
            pickColour(d.ColourBox, name);
        QTest::mouseClick(d.OkButton, Qt::LeftButton);
    });
    f->YazTipi1->trigger();
    for (int at : {0, 6}) {
        select(e, at, 1);
        QCOMPARE(e->SelAttributes().IsAutoColor(), !written.isValid());
        if (written.isValid())
            QCOMPARE(e->SelAttributes().Color(), written);
    }
    // Saved and printed the way it reads: no colour of its own when automatic.
    const QByteArray rtf = formats::toRtf(*e->document());
    QCOMPARE(rtf.contains("\\cf"), written.isValid());
}

void TestFontDialog::okWritesFaceSizeStyleColourAsOneStep()
{
    test::FrameFixture f;
    RealFontDialog real;
    TRichEdit *e = f.newDocument()->RichEdit1;
    e->insertPlainText(u"sıra"_s);
    e->selectAll();
    f->durum_kontrol(nullptr);
    bool okWhenEmpty = true;
    real.platform->steps.append([&](FontDialog &d) {
        clickItem(d.FaceList, u"Liberation Serif"_s);
        typeInto(d.SizeEdit, QString());
        okWhenEmpty = d.OkButton->isEnabled();
        QTest::keyClicks(d.SizeEdit, u"1x20"_s); // a letter is not taken; no size limit
        clickItem(d.StyleList, u"Kalın İtalik"_s);
        tick(d.StrikeOutBox);
        pickColour(d.ColourBox, u"Yeşil"_s);
        QTest::keyClick(d.SizeEdit, Qt::Key_Return); // Enter in a box is OK
    });
    f->YazTipi1->trigger();
    QVERIFY(!okWhenEmpty);
    const model::SelectionLook chosen{u"Liberation Serif"_s, 120,
                                      FontStyle::Bold | FontStyle::Italic | FontStyle::StrikeOut,
                                      QColor(0, 0x80, 0)};
    QCOMPARE(e->selectionLook(), chosen);
    // The four writes are one command: one undo takes them all back.
    e->undo();
    e->selectAll();
    QCOMPARE(e->selectionLook(), (model::SelectionLook{u"Arial"_s, 12, {}, std::nullopt}));
    QCOMPARE(e->toPlainText(), u"sıra"_s);
}

void TestFontDialog::styleSetKeptBetweenUsesCancelKeepsIt()
{
    test::FrameFixture f;
    RealFontDialog real;
    TRichEdit *e = f.newDocument()->RichEdit1;
    e->insertPlainText(u"stil"_s);
    e->selectAll();
    f->durum_kontrol(nullptr);
    QList<Shown> seen;
    real.platform->steps.append([&](FontDialog &d) {
        clickItem(d.StyleList, u"Kalın İtalik"_s);
        tick(d.UnderlineBox);
        QTest::mouseClick(d.OkButton, Qt::LeftButton);
    });
    const auto lookAndCancel = [&](FontDialog &d) {
        seen.append(shown(d));
        clickItem(d.StyleList, u"Normal"_s);
        QTest::mouseClick(d.CancelButton, Qt::LeftButton);
    };
    real.platform->steps.append(lookAndCancel);
    real.platform->steps.append(lookAndCancel);
    f->YazTipi1->trigger();
    QCOMPARE(e->SelAttributes().Style(), FontStyle::Bold | FontStyle::Italic | FontStyle::Underline);
    // The boxes are not refreshed by the command; a new face in the box is
    // what the dialog opens with, with the style set confirmed last.
    QVERIFY(!f->ToolButton18->isChecked());
    f->ComboBox1->setEditText(u"Liberation Sans"_s);
    const QString before = e->document()->toHtml();
    f->YazTipi1->trigger();
    f->YazTipi1->trigger();
    QCOMPARE(seen.size(), 2);
    for (const Shown &s : seen) {
        QCOMPARE(s.face, u"Liberation Sans"_s);
        QCOMPARE(s.style, u"Kalın İtalik"_s);
        QVERIFY(s.underline);
        QVERIFY(!s.strikeOut);
    }
    QCOMPARE(e->document()->toHtml(), before);
}

void TestFontDialog::colourDialogPlacedLikeTheFontDialog()
{
    test::FrameFixture f;
    QtPlatform qt;
    QRect frame, area;
    QTimer::singleShot(0, [&] {
        if (auto *d = qobject_cast<QColorDialog *>(QApplication::activeModalWidget())) {
            frame = d->frameGeometry();
            area = d->screen()->availableGeometry();
            d->reject();
        }
    });
    QColor colour = Qt::black;
    QVERIFY(!qt.colorDialog(f.get(), colour));
    QVERIFY(frame.isValid());
    QCOMPARE(frame.topLeft(), placementOnMonitor(area, frame.size()));
    QVERIFY(qAbs(frame.center().x() - area.center().x()) <= 1);
}

QTEST_MAIN(TestFontDialog)
#include "tst_font_dialog.moc"
