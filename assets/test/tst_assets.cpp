// The pictures of the kelmora resource: every name the program uses resolves,
// each picture has the size its window expects, the toolbar images come with
// their 2x versions, and the splash keeps the colour-key rules (pure white is
// see-through, the run-time texts and gauge sit on clean panel colour).
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QRect>
#include <QtTest>

namespace {

QString iconPath(int index, const char *suffix)
{
    return QStringLiteral(":/icons/%1%2.png").arg(index, 2, 10, QLatin1Char('0')).arg(QLatin1String(suffix));
}

bool isBlueish(QRgb c)
{
    return qBlue(c) > qRed(c) + 60 && qBlue(c) > qGreen(c) + 30;
}

} // namespace

class TestAssets : public QObject
{
    Q_OBJECT

private slots:
    void toolbarImages_data();
    void toolbarImages();
    void iconPicksUpDoubleDensity();
    void programIcons_data();
    void programIcons();
    void splashSizeAndKey();
    void splashPanelIsClean();
    void titleShadesCyanToBlue();
    void bannerIsRedOnBlue();
    void versionGlyphs_data();
    void versionGlyphs();
};

void TestAssets::toolbarImages_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < 30; ++i)
        QTest::addRow("%02d", i) << i;
}

void TestAssets::toolbarImages()
{
    QFETCH(int, index);
    const QImage one(iconPath(index, ""));
    QVERIFY2(!one.isNull(), qPrintable(iconPath(index, "")));
    QCOMPARE(one.size(), QSize(16, 16));
    QVERIFY(one.hasAlphaChannel());
    const QImage two(iconPath(index, "@2x"));
    QVERIFY2(!two.isNull(), qPrintable(iconPath(index, "@2x")));
    QCOMPARE(two.size(), QSize(32, 32));
    // Not empty: something is drawn.
    int opaque = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            opaque += qAlpha(one.pixel(x, y)) > 128;
    QVERIFY(opaque >= 12);
}

void TestAssets::iconPicksUpDoubleDensity()
{
    // QIcon looks for name@2x.png when the screens are of double density; the
    // test runs with QT_SCALE_FACTOR=2 to be on such a screen.
    if (qApp->devicePixelRatio() < 2.0)
        QSKIP("needs QT_SCALE_FACTOR=2");
    const QIcon icon(QStringLiteral(":/icons/08.png"));
    const QPixmap hi = icon.pixmap(QSize(16, 16), 2.0);
    QCOMPARE(hi.size(), QSize(32, 32));
    QCOMPARE(hi.devicePixelRatio(), 2.0);
    QCOMPARE(icon.pixmap(QSize(16, 16), 1.0).size(), QSize(16, 16));
}

void TestAssets::programIcons_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("side");
    QTest::newRow("default") << QStringLiteral(":/app/kelmora.png") << 256;
    QTest::newRow("16") << QStringLiteral(":/app/kelmora-16.png") << 16;
    QTest::newRow("32") << QStringLiteral(":/app/kelmora-32.png") << 32;
}

void TestAssets::programIcons()
{
    QFETCH(QString, path);
    QFETCH(int, side);
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), QSize(side, side));
}

void TestAssets::splashSizeAndKey()
{
    const QImage image(QStringLiteral(":/splash/splash.png"));
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), QSize(450, 200));
    const QImage rgb = image.convertToFormat(QImage::Format_ARGB32);
    int keyed = 0;
    int shown = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = rgb.pixel(x, y);
            QCOMPARE(qAlpha(c), 255); // the key is a colour, not transparency
            if ((c & 0xFFFFFF) == 0xFFFFFF)
                ++keyed;
            else
                ++shown;
        }
    }
    QVERIFY(keyed > 10000);
    QVERIFY(shown > 30000);
    QCOMPARE(rgb.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    QCOMPARE(rgb.pixel(449, 199) & 0xFFFFFF, 0xFFFFFFu);
    // The maker's mark at the left shows.
    QVERIFY((rgb.pixel(80, 50) & 0xFFFFFF) != 0xFFFFFFu);
}

void TestAssets::splashPanelIsClean()
{
    const QImage image = QImage(QStringLiteral(":/splash/splash.png")).convertToFormat(QImage::Format_RGB32);
    // Product label 257,95 160x32; version right-aligned to 416 from y 126, 29
    // high; gauge 257,166 152x7. All of it on the blue panel, nothing painted.
    const QRect area(257, 95, 160, 78);
    int lo[3] = {255, 255, 255};
    int hi[3] = {0, 0, 0};
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb c = image.pixel(x, y);
            QVERIFY2(isBlueish(c), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            const int v[3] = {qRed(c), qGreen(c), qBlue(c)};
            for (int k = 0; k < 3; ++k) {
                lo[k] = std::min(lo[k], v[k]);
                hi[k] = std::max(hi[k], v[k]);
            }
        }
    }
    for (int k = 0; k < 3; ++k)
        QVERIFY2(hi[k] - lo[k] < 40, "the text area shades too much");
}

void TestAssets::titleShadesCyanToBlue()
{
    const QImage image(QStringLiteral(":/about/title.png"));
    QCOMPARE(image.size(), QSize(79, 51));
    const QRgb first = image.pixel(0, 0);
    const QRgb last = image.pixel(78, 50);
    QVERIFY(qRed(first) < 40 && qGreen(first) > 220 && qBlue(first) > 220);
    QVERIFY(qRed(last) < 40 && qGreen(last) < 40 && qBlue(last) > 220);
    QVERIFY(qGreen(image.pixel(40, 25)) > qGreen(last) + 60);
}

void TestAssets::bannerIsRedOnBlue()
{
    const QImage image(QStringLiteral(":/about/banner.jpg"));
    QVERIFY2(!image.isNull(), "JPEG banner could not be read");
    QCOMPARE(image.size(), QSize(140, 440));
    int blue = 0;
    int red = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            blue += isBlueish(c);
            red += qRed(c) > 180 && qGreen(c) < 110 && qBlue(c) < 110;
        }
    }
    const int all = image.width() * image.height();
    QVERIFY(blue > all / 2);
    QVERIFY(red > all / 20);
}

void TestAssets::versionGlyphs_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"ok", "close", "update"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// Each button of the version check has a coloured glyph and a grey one for its
// disabled state, both at 1x and 2x.
void TestAssets::versionGlyphs()
{
    QFETCH(QString, name);
    const auto colourful = [](const QImage &image, bool *grey) {
        int drawn = 0;
        *grey = true;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                if (qAlpha(c) < 200)
                    continue;
                ++drawn;
                if (std::max({qRed(c), qGreen(c), qBlue(c)}) - std::min({qRed(c), qGreen(c), qBlue(c)}) > 24)
                    *grey = false;
            }
        }
        return drawn;
    };
    for (const char *state : {"", "-disabled"}) {
        for (const auto &[suffix, side] : {std::pair{"", 16}, std::pair{"@2x", 32}}) {
            const QString path = QStringLiteral(":/version/%1%2%3.png").arg(name, QLatin1String(state), QLatin1String(suffix));
            const QImage image(path);
            QVERIFY2(!image.isNull(), qPrintable(path));
            QCOMPARE(image.size(), QSize(side, side));
            QVERIFY(image.hasAlphaChannel());
            bool grey = false;
            QVERIFY2(colourful(image, &grey) >= side, qPrintable(path));
            QCOMPARE(grey, *state != '\0');
        }
    }
}

QTEST_MAIN(TestAssets)
#include "tst_assets.moc"
