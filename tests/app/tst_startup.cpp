// Start-up: the splash, the order in which the long-lived windows are made,
// the gauge and the waits (through the Platform seam, never real sleeps).

#include "app/Main.h"
#include "ScriptedPlatform.h"
#include "app/SplashU.h"
#include "app/StartUp.h"
#include "editing/metinara.h"
#include "editing/prgf_ayari.h"

#include <QBitmap>
#include <QTest>

using namespace kelmora;
using namespace Qt::StringLiterals;

class TestStartUp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sequenceOrderAndWaits();
    void splashLayout();
    void versionLabelKeepsRightEdge_data();
    void versionLabelKeepsRightEdge();
};

void TestStartUp::sequenceOrderAndWaits()
{
    test::ScopedPlatform p;
    struct Seen {
        int wait, gauge, filled;
        bool splashVisible, frame, search, paragraph, frameVisible;
    };
    QList<Seen> seen;
    p->onSleep = [&](int ms) {
        seen.append({ms, SplashF->Gauge1->Progress(), SplashF->Gauge1->filledWidth(), SplashF->isVisible(),
                     Ana != nullptr, metin_ara != nullptr, paragraf_ayari != nullptr, Ana && Ana->isVisible()});
    };
    startUp();
    QCOMPARE(seen.size(), 3);
    // Frame, step, 100 ms; search dialog, step, 100 ms; paragraph dialog, step, 1800 ms.
    QCOMPARE(seen[0].wait, 100);
    QVERIFY(seen[0].frame && !seen[0].search && !seen[0].paragraph);
    QCOMPARE(seen[1].wait, 100);
    QVERIFY(seen[1].frame && seen[1].search && !seen[1].paragraph);
    QCOMPARE(seen[2].wait, 1800);
    QVERIFY(seen[2].frame && seen[2].search && seen[2].paragraph);
    int total = 0;
    for (int i = 0; i < 3; ++i) {
        total += seen[i].wait;
        QCOMPARE(seen[i].gauge, i + 1);
        QVERIFY(seen[i].splashVisible);
        QVERIFY(!seen[i].frameVisible); // the frame shows only when the loop starts
    }
    QCOMPARE(total, 2000);
    // 33 %, 66 % and the full width of the 152-pixel gauge.
    QCOMPARE(seen[0].filled, 50);
    QCOMPARE(seen[1].filled, 101);
    QCOMPARE(seen[2].filled, 152);
    // The splash is gone; the dialogs wait hidden.
    QVERIFY(SplashF == nullptr);
    QVERIFY(!metin_ara->isVisible() && !paragraf_ayari->isVisible());
    delete Ana;
    Ana = nullptr;
    metin_ara = nullptr;
    paragraf_ayari = nullptr;
}

void TestStartUp::splashLayout()
{
    TSplashF splash;
    QCOMPARE(splash.size(), QSize(450, 200));
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(splash.LabelPrg->text(), u"Kelmora"_s);
    QCOMPARE(splash.LabelPrg->geometry(), QRect(257, 95, 160, 32));
    QCOMPARE(splash.LabelSrm->text(), u"s1.06"_s);
    QCOMPARE(splash.LabelSrm->geometry().right() + 1, 416);
    QCOMPARE(splash.LabelSrm->geometry().top(), 126);
    QCOMPARE(splash.Gauge1->geometry(), QRect(257, 166, 152, 7));
    QCOMPARE(splash.Gauge1->Progress(), 0);
    // White is see-through: the window's shape leaves the white corners out
    // and keeps the panel under the labels.
    const QRegion shape = splash.mask();
    QVERIFY(!shape.isEmpty());
    QVERIFY(!shape.contains(QPoint(0, 0)));
    QVERIFY(shape.contains(QPoint(300, 150)));
    // The gauge never goes beyond its range.
    for (int i = 0; i < 5; ++i)
        splash.step();
    QCOMPARE(splash.Gauge1->Progress(), 3);
    QCOMPARE(splash.Gauge1->filledWidth(), 152);
}

void TestStartUp::versionLabelKeepsRightEdge_data()
{
    QTest::addColumn<QString>("version");
    QTest::newRow("short") << u"s1"_s;
    QTest::newRow("long") << u"s12.345.6789"_s;
}

void TestStartUp::versionLabelKeepsRightEdge()
{
    QFETCH(QString, version);
    TSplashF splash;
    const int before = splash.LabelSrm->width();
    splash.LabelSrm->setText(version);
    splash.placeVersionLabel();
    QCOMPARE(splash.LabelSrm->geometry().right() + 1, 416);
    QCOMPARE(splash.LabelSrm->geometry().top(), 126);
    // Sized to the text: the whole version shows, and no more.
    QCOMPARE(splash.LabelSrm->width() > before, version.size() > 5);
    QVERIFY(splash.LabelSrm->width() >= splash.LabelSrm->fontMetrics().horizontalAdvance(version));
}

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
