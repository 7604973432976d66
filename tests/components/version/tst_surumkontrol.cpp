// The version check's dialog without a network: the picture buttons, the
// wait panel, and what the buttons do.

#include "ScriptedPlatform.h"
#include "version/SurumKontrolU7.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace kelmora;
using namespace Qt::StringLiterals;

namespace {

// A dialog shown as Execute shows it, with its check held back: these tests
// look at the dialog, not at an exchange.
std::unique_ptr<TSurumKontrolF> shownDialog(const TSurumKontrolF::Settings &settings = {})
{
    auto d = std::make_unique<TSurumKontrolF>();
    d->Timer1->stop();
    d->setSettings(settings);
    d->show();
    (void)QTest::qWaitForWindowExposed(d.get());
    return d;
}

// Equal pixel by pixel up to the rounding of premultiplied alpha.
bool nearlyEqual(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return false;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row);
            const QRgb q = y.pixel(col, row);
            if (std::abs(qAlpha(p) - qAlpha(q)) > 2 || (qAlpha(p) > 32 && (std::abs(qRed(p) - qRed(q)) > 2
                || std::abs(qGreen(p) - qGreen(q)) > 2 || std::abs(qBlue(p) - qBlue(q)) > 2)))
                return false;
        }
    }
    return true;
}

} // namespace

class TestSurumKontrol : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pictureButtons_data();
    void pictureButtons();
    void waitPanelCoversAllBelowTheTitle();
    void closing_data();
    void closing();
    void updateButton_data();
    void updateButton();
    void keysOfCoveredButtons_data();
    void keysOfCoveredButtons();
};

void TestSurumKontrol::pictureButtons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("hint");
    QTest::newRow("Güncelle") << u"SpeedButton1"_s << u"Güncelleme için siteye bağlan"_s;
    QTest::newRow("Kapat") << u"SpeedButton2"_s << u"Pencereyi kapat"_s;
    QTest::newRow("Tamam") << u"SpeedButton3"_s << u"Pencereyi kapat"_s;
}

void TestSurumKontrol::pictureButtons()
{
    QFETCH(QString, name);
    QFETCH(QString, hint);
    const auto d = shownDialog();
    auto *b = d->findChild<QPushButton *>(name);
    QVERIFY(b);
    QCOMPARE(b->focusPolicy(), Qt::NoFocus);
    QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(b->toolTip(), hint);
    QVERIFY(!b->autoDefault());
    // Two states: the disabled glyph is a picture of its own, not Qt's greying.
    const QImage normal = b->icon().pixmap(QSize(16, 16), 1.0, QIcon::Normal).toImage();
    const QImage disabled = b->icon().pixmap(QSize(16, 16), 1.0, QIcon::Disabled).toImage();
    QVERIFY(!normal.isNull());
    QVERIFY(normal != disabled);
    const QString glyph = name == u"SpeedButton1"_s ? u"update"_s : name == u"SpeedButton2"_s ? u"close"_s : u"ok"_s;
    QVERIFY(nearlyEqual(disabled, QImage(u":/version/%1-disabled.png"_s.arg(glyph))));
    QVERIFY(nearlyEqual(normal, QImage(u":/version/%1.png"_s.arg(glyph))));
    // Pressing it does not take the focus.
    QTest::mousePress(b, Qt::LeftButton);
    QVERIFY(!b->hasFocus());
    QVERIFY(QApplication::focusWidget() != b);
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(-5, -5)); // released outside: no click
}

void TestSurumKontrol::waitPanelCoversAllBelowTheTitle()
{
    const auto d = shownDialog();
    QVERIFY(d->PanelBekleme->isVisible());
    QCOMPARE(d->PanelBekleme->geometry(), QRect(0, 35, 373, 196));
    // In front of the labels and both button panels, not of the title strip.
    for (const QPoint &at : {QPoint(20, 50), QPoint(200, 160), QPoint(100, 215), QPoint(370, 229)})
        QCOMPARE(d->childAt(at), d->PanelBekleme);
    QCOMPARE(d->childAt(QPoint(5, 5))->parentWidget(), d->Panel1);
    QCOMPARE(d->childAt(QPoint(5, 240)), d->StatusBar1);
}

void TestSurumKontrol::closing_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Kapat") << u"SpeedButton2"_s << true;
    QTest::newRow("Tamam") << u"SpeedButton3"_s << true;
    QTest::newRow("close box") << u"close"_s << true;
    QTest::newRow("Esc: no cancel button") << u"Esc"_s << false;
}

void TestSurumKontrol::closing()
{
    QFETCH(QString, action);
    QFETCH(bool, closes);
    test::ScopedPlatform platform;
    const auto d = shownDialog();
    d->PanelBekleme->hide();
    if (action == u"SpeedButton3"_s)
        d->PanelTamam->raise();
    if (action == u"close"_s)
        d->close();
    else if (action == u"Esc"_s)
        QTest::keyClick(d.get(), Qt::Key_Escape);
    else
        QTest::mouseClick(d->findChild<QPushButton *>(action), Qt::LeftButton);
    QCOMPARE(d->isVisible(), !closes);
    QVERIFY(!d->Timer1->isActive());
    QVERIFY(platform->boxes.isEmpty());
}

void TestSurumKontrol::updateButton_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("parameters");
    QTest::newRow("no address: the web site in the browser")
        << QString() << u"IEXPLORE.EXE"_s << u"https://www.torvanta.com.tr"_s;
    QTest::newRow("an address opens itself") << u"https://www.torvanta.com.tr/indir/kelmora.deb"_s
                                             << u"https://www.torvanta.com.tr/indir/kelmora.deb"_s << QString();
}

void TestSurumKontrol::updateButton()
{
    QFETCH(QString, address);
    QFETCH(QString, program);
    QFETCH(QString, parameters);
    test::ScopedPlatform platform;
    TSurumKontrolF::Settings settings;
    settings.DwnlAdres = address;
    const auto d = shownDialog(settings);
    d->PanelBekleme->hide();
    QTest::mouseClick(d->SpeedButton1, Qt::LeftButton);
    QCOMPARE(platform->shellOpens, (QList<std::pair<QString, QString>>{{program, parameters}}));
    QVERIFY(d->isVisible()); // the dialog stays open
}

// A button's key (Alt and its marked letter) works only while the button can
// be seen: not under the wait panel, not behind the other button panel.
void TestSurumKontrol::keysOfCoveredButtons_data()
{
    QTest::addColumn<QString>("front"); // "PanelBekleme", "PanelTamam", "PanelGuncel"
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<int>("browsers");
    QTest::newRow("wait panel, Alt+G") << u"PanelBekleme"_s << int(Qt::Key_G) << false << 0;
    QTest::newRow("wait panel, Alt+T") << u"PanelBekleme"_s << int(Qt::Key_T) << false << 0;
    QTest::newRow("up to date, Alt+G") << u"PanelTamam"_s << int(Qt::Key_G) << false << 0;
    QTest::newRow("up to date, Alt+T") << u"PanelTamam"_s << int(Qt::Key_T) << true << 0;
    QTest::newRow("update needed, Alt+G") << u"PanelGuncel"_s << int(Qt::Key_G) << false << 1;
    QTest::newRow("update needed, Alt+T") << u"PanelGuncel"_s << int(Qt::Key_T) << false << 0;
}

void TestSurumKontrol::keysOfCoveredButtons()
{
    QFETCH(QString, front);
    QFETCH(int, key);
    QFETCH(bool, closes);
    QFETCH(int, browsers);
    test::ScopedPlatform platform;
    const auto d = shownDialog();
    QApplication::setActiveWindow(d.get());
    QVERIFY(QTest::qWaitForWindowActive(d.get()));
    if (front != u"PanelBekleme"_s) {
        d->PanelBekleme->hide();
        d->findChild<QWidget *>(front)->raise();
    }
    QTest::keyClick(d.get(), Qt::Key(key), Qt::AltModifier);
    QTest::qWait(400); // a key presses its button for a moment before it clicks
    QCOMPARE(d->isVisible(), !closes);
    QCOMPARE(platform->shellOpens.size(), browsers);
    QVERIFY(platform->boxes.isEmpty());
}

QTEST_MAIN(TestSurumKontrol)
#include "tst_surumkontrol.moc"
