// The forms' one key-press mechanism: which character a key types for a
// handler, and how the preview reaches the widget X really delivers keys to.

#include "base/ui/KeyPreview.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace kelmora;
using namespace Qt::StringLiterals;

class TestKeyPreview : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typedCharacterOfRealKeys_data();
    void typedCharacterOfRealKeys();
    void handlerSeesEachKeyOnceAtItsFirstReceiver();
    void droppedKeysNeverReachTheControl();
    void escapeAndEnterOnButtons();
    void watchedControlGetsTheKeyBetweenItsCalls();
};

void TestKeyPreview::typedCharacterOfRealKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("typed"); // empty: no character
    const int none = Qt::NoModifier;
    // What X delivers: control keys carry text too.
    QTest::newRow("digit") << int(Qt::Key_5) << none << u"5"_s << u"5"_s;
    QTest::newRow("keypad digit") << int(Qt::Key_5) << int(Qt::KeypadModifier) << u"5"_s << u"5"_s;
    QTest::newRow("shifted letter") << int(Qt::Key_A) << int(Qt::ShiftModifier) << u"A"_s << u"A"_s;
    QTest::newRow("Turkish letter") << int(Qt::Key_Ccedilla) << none << u"ç"_s << u"ç"_s;
    QTest::newRow("dotless i") << 0x131 << none << u"ı"_s << u"ı"_s;
    QTest::newRow("AltGr level (no Alt reported)") << int(Qt::Key_At) << none << u"@"_s << u"@"_s;
    QTest::newRow("Return") << int(Qt::Key_Return) << none << u"\r"_s << u"\r"_s;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << u"\r"_s << u"\r"_s;
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << u"\b"_s << u"\b"_s;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << none << u"\x1b"_s << u"\x1b"_s;
    QTest::newRow("Tab is a focus key") << int(Qt::Key_Tab) << none << u"\t"_s << QString();
    QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << QString() << QString();
    QTest::newRow("Delete types nothing") << int(Qt::Key_Delete) << none << u"\x7f"_s << QString();
    QTest::newRow("Ctrl+A") << int(Qt::Key_A) << int(Qt::ControlModifier) << u"\x01"_s << QString();
    QTest::newRow("Alt+T") << int(Qt::Key_T) << int(Qt::AltModifier) << u"t"_s << QString();
    QTest::newRow("arrow") << int(Qt::Key_Left) << none << QString() << QString();
}

void TestKeyPreview::typedCharacterOfRealKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(QString, typed);
    const QKeyEvent e(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    const std::optional<QChar> c = typedCharacter(e);
    QCOMPARE(c ? QString(*c) : QString(), typed);
}

namespace {

struct Form {
    QDialog dialog;
    QLineEdit *edit = new QLineEdit(&dialog);
    QComboBox *combo = new QComboBox(&dialog);
    QPushButton *ok = new QPushButton(u"&Tamam"_s, &dialog);
    QPushButton *cancel = new QPushButton(u"&Kapat"_s, &dialog);
    QList<std::pair<QWidget *, QChar>> seen;
    KeyPreview *keys;
    explicit Form(std::function<void(QWidget *, QChar &)> extra = {})
    {
        auto *layout = new QVBoxLayout(&dialog);
        for (QWidget *w : {static_cast<QWidget *>(edit), static_cast<QWidget *>(combo),
                           static_cast<QWidget *>(ok), static_cast<QWidget *>(cancel)})
            layout->addWidget(w);
        combo->setEditable(true);
        for (QPushButton *b : {ok, cancel})
            b->setAutoDefault(false);
        keys = new KeyPreview(&dialog, [this, extra](QWidget *target, QChar &key) {
            seen.append({target, key});
            if (extra)
                extra(target, key);
        });
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        (void)QTest::qWaitForWindowExposed(&dialog);
    }
};

} // namespace

void TestKeyPreview::handlerSeesEachKeyOnceAtItsFirstReceiver()
{
    Form f;
    // The edit ignores Escape and F-keys; they travel on to the dialog, which
    // must not be previewed a second time. A run of keys may reuse one event.
    f.edit->setFocus();
    QTest::keyClicks(f.edit, u"ab"_s);
    QTest::keyClick(f.edit, Qt::Key_Escape);
    QCOMPARE(f.seen.size(), 3);
    QCOMPARE(f.seen.at(0).first, f.edit);
    QCOMPARE(f.seen.at(1).second, QLatin1Char('b'));
    QCOMPARE(f.seen.at(2).second, QChar(0x1b));
    // The editable list keeps the focus itself; its keys are previewed there.
    f.seen.clear();
    f.dialog.show();
    f.combo->setFocus();
    QTest::keyClick(f.combo, Qt::Key_7);
    QCOMPARE(f.seen.size(), 1);
    QCOMPARE(f.seen.at(0).first, f.combo);
    QCOMPARE(f.combo->currentText(), u"7"_s);
}

void TestKeyPreview::droppedKeysNeverReachTheControl()
{
    Form f([](QWidget *, QChar &key) {
        if (!key.isDigit())
            key = QChar();
    });
    f.edit->setFocus();
    QTest::keyClicks(f.edit, u"1a2"_s);
    QTest::keyClick(f.edit, Qt::Key_Tab); // no character: passes, moves the focus
    QCOMPARE(f.edit->text(), u"12"_s);
    QVERIFY(!f.edit->hasFocus());
    f.edit->setFocus();
    f.edit->setCursorPosition(0);
    QTest::keyClick(f.edit, Qt::Key_Delete, Qt::NoModifier);
    QCOMPARE(f.edit->text(), u"2"_s);
}

void TestKeyPreview::escapeAndEnterOnButtons()
{
    Form f;
    f.keys->setCancelButton(f.cancel);
    QSignalSpy okClicked(f.ok, &QPushButton::clicked);
    QSignalSpy cancelClicked(f.cancel, &QPushButton::clicked);
    f.ok->setFocus();
    QTest::keyClick(f.ok, Qt::Key_Return);
    QCOMPARE(okClicked.size(), 1);
    f.edit->setFocus();
    QTest::keyClick(f.edit, Qt::Key_Return); // Enter in a box presses nothing by itself
    QCOMPARE(okClicked.size(), 1);
    QTest::keyClick(f.edit, Qt::Key_Escape);
    QCOMPARE(cancelClicked.size(), 1);
}

void TestKeyPreview::watchedControlGetsTheKeyBetweenItsCalls()
{
    Form f;
    QStringList calls;
    f.keys->watch(
        f.combo, [&] { calls << u"before:"_s + f.combo->currentText(); },
        [&] { calls << u"after:"_s + f.combo->currentText(); });
    f.combo->setFocus();
    QTest::keyClick(f.combo, Qt::Key_4);
    QTest::keyClick(f.combo, Qt::Key_Left);
    // A chord is the frame's or the control's own business: no calls.
    QTest::keyClick(f.combo, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(calls, (QStringList{u"before:"_s, u"after:4"_s, u"before:4"_s, u"after:4"_s}));
}

QTEST_MAIN(TestKeyPreview)
#include "tst_keypreview.moc"
