// The standard error box and the guard every handler runs through.

#include "base/ErrorTexts.h"
#include "base/Identity.h"
#include "base/ui/ErrorBox.h"
#include "base/ui/Guard.h"
#include "ScriptedPlatform.h"

#include <QTest>
#include <QTimer>

using namespace kelmora;
using namespace Qt::StringLiterals;

class TestGuard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fullStopRule_data();
    void fullStopRule();
    void errorBoxLooksStandard();
    void guardCatchesEveryKind();
    void errorInTimerTickKeepsTimerRunning();
};

void TestGuard::fullStopRule_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << u"'x' is not a valid integer value"_s << u"'x' is not a valid integer value."_s;
    QTest::newRow("already a stop") << u"Done."_s << u"Done."_s;
    QTest::newRow("quote") << u"Cannot open file \"a\". No such file"_s << u"Cannot open file \"a\". No such file."_s;
    QTest::newRow("closing quote sorts before") << u"name \"a\""_s << u"name \"a\""_s;
    QTest::newRow("apostrophe sorts before") << u"value ''"_s << u"value ''"_s;
    QTest::newRow("exclamation") << u"Stop!"_s << u"Stop!"_s;
    QTest::newRow("comma sorts before") << u"a,"_s << u"a,"_s;
    QTest::newRow("slash sorts after") << u"a/"_s << u"a/."_s;
    QTest::newRow("digit") << u"Error 5"_s << u"Error 5."_s;
    QTest::newRow("turkish letter") << u"Değişiklik"_s << u"Değişiklik."_s;
    QTest::newRow("empty") << QString() << QString();
}

void TestGuard::fullStopRule()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(QString::fromStdString(errorBoxText(message.toStdString())), shown);
}

void TestGuard::errorBoxLooksStandard()
{
    test::ScopedPlatform p;
    showErrorBox(u"Printer selected is not valid"_s);
    QCOMPARE(p->boxes.size(), 1);
    const MessageRequest &r = p->boxes.first().request;
    QCOMPARE(r.caption, u"TORVANTA Kelmora"_s);
    QCOMPARE(r.caption, identity::applicationTitle());
    QCOMPARE(r.icon, QMessageBox::Critical);
    QCOMPARE(r.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(r.text, u"Printer selected is not valid."_s);
}

void TestGuard::guardCatchesEveryKind()
{
    test::ScopedPlatform p;
    int after = 0;
    QVERIFY(!guarded([&] {
        throw EFOpenError("Cannot open file \"/x/ğ.rtf\". No such file or directory");
        ++after; // never reached: the command is abandoned
    }));
    QVERIFY(!guarded([] { throw std::runtime_error("plain"); }));
    QVERIFY(!guarded([] { throw 42; }));
    QVERIFY(guarded([&] { ++after; }));
    QCOMPARE(after, 1);
    QCOMPARE(p->errorTexts(),
             (QStringList{u"Cannot open file \"/x/ğ.rtf\". No such file or directory."_s, u"plain."_s,
                          u"Unknown error."_s}));
}

void TestGuard::errorInTimerTickKeepsTimerRunning()
{
    test::ScopedPlatform p;
    QTimer timer;
    timer.setInterval(5);
    int ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, &timer, guard([&] {
                         ++ticks;
                         throw EConvertError("'' is not a valid integer value");
                     }));
    timer.start();
    QTRY_VERIFY(ticks >= 3);
    QVERIFY(timer.isActive());
    QCOMPARE(p->errorTexts().first(), u"'' is not a valid integer value."_s);
}

QTEST_MAIN(TestGuard)
#include "tst_guard.moc"
