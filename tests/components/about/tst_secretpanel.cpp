// The scrolling panel: its pace against a clock the test moves (one pixel per
// Interval), the cycle and the stop handed to the UI thread, what it draws,
// its hidden children, and its timer thread, which lives exactly while the
// panel is active.

#include "FakeStepClock.h"
#include "about/SecretPanel.h"
#include "about/SteppingThread.h"
#include "ThreadNames.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

#include <atomic>

using namespace kelmora;
using namespace kelmora::about;
using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {

struct Panel {
    explicit Panel(QStringList lines = {u"Kelmora s1.06"_s, QString(), u"TORVANTA"_s})
    {
        panel.setObjectName(u"TestPanel"_s);
        panel.resize(144, 224);
        panel.SetColor(QColor(0, 0, 0x80));
        panel.SetFontColor(Qt::white);
        QFont f(u"Arial"_s);
        f.setPixelSize(12);
        f.setBold(true);
        panel.setFont(f);
        panel.SetLines(lines);
    }
    TSecretPanel panel;
};

// Rows of the text image that hold a pixel other than the background.
QList<int> inkedRows(const QImage &image, QRgb background)
{
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) != (background & 0xFFFFFF)) {
                rows << y;
                break;
            }
        }
    }
    return rows;
}

std::pair<int, int> inkedColumns(const QImage &image, QRgb background)
{
    int first = image.width(), last = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) != (background & 0xFFFFFF)) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    return {first, last};
}

} // namespace

class TestSecretPanel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void stepsOnePixelPerInterval_data();
    void stepsOnePixelPerInterval();
    void stallDoesNotBurst();
    void cycledStartsAgainFromZero();
    void runOutHandsStopToUiThread();
    void textEntersAtTheBottom();
    void linesAreCentredAndAmpersandsDrawn();
    void inactivePaintsPlainPanel();
    void newLinesRestartActivePanel();
    void childControlsHiddenWhileActive();
    void threadLivesExactlyWhileActive();
    void changesWhileStepping();
};

void TestSecretPanel::stepsOnePixelPerInterval_data()
{
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("milliseconds");
    QTest::addColumn<int>("pixels");
    QTest::newRow("50 ms: 20 pixels a second") << 50 << 1000 << 20;
    QTest::newRow("50 ms: 3 seconds") << 50 << 3000 << 60;
    QTest::newRow("50 ms: not yet the first step") << 50 << 40 << 0;
    QTest::newRow("25 ms") << 25 << 1000 << 40;
}

void TestSecretPanel::stepsOnePixelPerInterval()
{
    QFETCH(int, interval);
    QFETCH(int, milliseconds);
    test::ScopedStepClock clock;
    Panel p(QStringList(100, u"satır"_s));
    p.panel.SetInterval(interval);
    p.panel.SetActive(true);
    QVERIFY(clock->settle(1));
    QVERIFY(clock->run(std::chrono::milliseconds(milliseconds), 1));
    QTEST(p.panel.ScrollPos(), "pixels");
}

void TestSecretPanel::stallDoesNotBurst()
{
    // A thread that wakes long after its deadline takes one step, not ten.
    test::ScopedStepClock clock;
    std::atomic<int> steps{0};
    SteppingThread thread(50ms, [&] { return ++steps, true; }, "stall");
    QVERIFY(clock->settle(1));
    clock->advance(500ms);
    QVERIFY(clock->settle(1));
    QCOMPARE(steps.load(), 1);
    QVERIFY(clock->run(1000ms, 1));
    QCOMPARE(steps.load(), 21);
}

void TestSecretPanel::cycledStartsAgainFromZero()
{
    test::ScopedStepClock clock;
    Panel p;
    p.panel.SetActive(true);
    const int range = p.panel.layout().scrollRange;
    QVERIFY(range > 0);
    QVERIFY(clock->settle(1));
    QVERIFY(clock->run(std::chrono::milliseconds(50 * (range - 1)), 1, 50ms));
    QCOMPARE(p.panel.ScrollPos(), range - 1);
    QVERIFY(clock->run(50ms, 1, 50ms));
    QCOMPARE(p.panel.ScrollPos(), 0);
    QVERIFY(clock->run(50ms, 1, 50ms));
    QCOMPARE(p.panel.ScrollPos(), 1);
    QVERIFY(p.panel.Active());
}

void TestSecretPanel::runOutHandsStopToUiThread()
{
    test::ScopedStepClock clock;
    Panel p;
    p.panel.SetCycled(false);
    p.panel.SetActive(true);
    const int range = p.panel.layout().scrollRange;
    QVERIFY(clock->settle(1));
    QVERIFY(clock->run(std::chrono::milliseconds(50 * (range - 1)), 1, 50ms));
    clock->advance(50ms);
    // The thread has ended; the panel stays active until the UI thread runs the stop.
    QVERIFY(clock->settle(0));
    QVERIFY(p.panel.Active());
    QTRY_VERIFY(!p.panel.Active());
    QCOMPARE(p.panel.ScrollPos(), 0);
    QVERIFY(p.panel.textImage().isNull());
}

void TestSecretPanel::textEntersAtTheBottom()
{
    test::ScopedStepClock clock;
    Panel p;
    p.panel.SetActive(true);
    const ScrollLayout l = p.panel.layout();
    const QRgb navy = qRgb(0, 0, 0x80);
    QCOMPARE(p.panel.textImage().size(), l.textArea.size());
    QVERIFY(inkedRows(p.panel.textImage(), navy).isEmpty());
    QVERIFY(clock->settle(1));
    QVERIFY(clock->run(std::chrono::milliseconds(50 * l.lineHeight), 1, 50ms));
    // One line height in: the first line fills the bottom line box and nothing above it.
    const QList<int> rows = inkedRows(p.panel.textImage(), navy);
    QVERIFY(!rows.isEmpty());
    QVERIFY2(rows.first() >= l.textArea.height() - l.lineHeight, qPrintable(QString::number(rows.first())));
    QVERIFY(rows.last() < l.textArea.height());
}

void TestSecretPanel::linesAreCentredAndAmpersandsDrawn()
{
    test::ScopedStepClock clock;
    Panel p({u"&&&&"_s});
    p.panel.SetActive(true);
    QVERIFY(clock->settle(1));
    QVERIFY(clock->run(std::chrono::milliseconds(50 * 2 * p.panel.layout().lineHeight), 1, 50ms));
    const QImage image = p.panel.textImage();
    const auto [first, last] = inkedColumns(image, qRgb(0, 0, 0x80));
    QVERIFY(last >= first);
    // Four ampersands drawn as they are, not two, and centred to a pixel or two.
    const int width = QFontMetrics(p.panel.font()).horizontalAdvance(u"&&&&"_s);
    QVERIFY2(last - first + 1 > width * 3 / 4, qPrintable(u"%1 of %2"_s.arg(last - first + 1).arg(width)));
    QVERIFY2(std::abs(first - (image.width() - 1 - last)) <= 3, qPrintable(u"%1 %2"_s.arg(first).arg(last)));
}

void TestSecretPanel::inactivePaintsPlainPanel()
{
    Panel p;
    p.panel.SetGlyph(QImage(u":/kvabout/team-glyph.png"_s));
    const QImage plain = p.panel.grab().toImage();
    for (int y = 0; y < plain.height(); y += 7) {
        for (int x = 0; x < plain.width(); x += 7)
            QCOMPARE(plain.pixel(x, y) & 0xFFFFFF, 0x000080u);
    }
    test::ScopedStepClock clock;
    p.panel.SetActive(true);
    const QRect g = p.panel.layout().glyphRect;
    QVERIFY(!g.isEmpty());
    const QImage active = p.panel.grab().toImage();
    bool glyphShows = false;
    for (int y = g.top(); y <= g.bottom(); ++y) {
        for (int x = g.left(); x <= g.right(); ++x)
            glyphShows |= (active.pixel(x, y) & 0xFFFFFF) != 0x000080u;
    }
    QVERIFY(glyphShows);
    // The glyph's see-through parts show the panel colour.
    QCOMPARE(active.pixel(g.topLeft()) & 0xFFFFFF, 0x000080u);
}

void TestSecretPanel::newLinesRestartActivePanel()
{
    test::ScopedStepClock clock;
    Panel p;
    p.panel.SetActive(true);
    QVERIFY(clock->settle(1));
    QVERIFY(clock->run(500ms, 1));
    QCOMPARE(p.panel.ScrollPos(), 10);
    p.panel.SetLines({u"Yeni"_s});
    QCOMPARE(p.panel.ScrollPos(), 0);
    // Other changes lay out again but keep the position.
    QVERIFY(clock->run(100ms, 1));
    QFont bigger = p.panel.font();
    bigger.setPixelSize(20);
    p.panel.setFont(bigger);
    QCOMPARE(p.panel.ScrollPos(), 2);
    QCOMPARE(p.panel.layout().lineHeight, QFontMetrics(bigger).height() + std::max(0, QFontMetrics(bigger).leading()));
}

void TestSecretPanel::childControlsHiddenWhileActive()
{
    test::ScopedStepClock clock;
    Panel p;
    auto *shown = new QLabel(u"görünür"_s, &p.panel);
    auto *hidden = new QLabel(u"gizli"_s, &p.panel);
    hidden->hide();
    p.panel.SetActive(true);
    QVERIFY(shown->isHidden());
    p.panel.SetActive(false);
    QVERIFY(!shown->isHidden());
    QVERIFY(hidden->isHidden());
}

void TestSecretPanel::threadLivesExactlyWhileActive()
{
    const QString name = u"TestPanel"_s;
    QCOMPARE(test::threadsNamed(name), 0);
    {
        Panel p;
        p.panel.SetActive(true);
        QTRY_COMPARE(test::threadsNamed(name), 1);
        p.panel.SetActive(false);
        QCOMPARE(test::threadsNamed(name), 0);
        p.panel.SetActive(true);
        QTRY_COMPARE(test::threadsNamed(name), 1);
    }
    // Destroying an active panel joins its thread.
    QCOMPARE(test::threadsNamed(name), 0);
}

void TestSecretPanel::changesWhileStepping()
{
    // The real clock at a 1 ms interval while the UI thread changes, reads and
    // paints the panel: under ThreadSanitizer this is where a missing lock shows.
    Panel p(QStringList(30, u"satır\tsatır"_s));
    p.panel.SetInterval(1);
    p.panel.SetActive(true);
    QFont font = p.panel.font();
    for (int i = 0; i < 200; ++i) {
        switch (i % 8) {
        case 0:
            p.panel.SetLines(QStringList(10 + i % 20, u"Ekip %1"_s.arg(i)));
            break;
        case 1:
            font.setPixelSize(10 + i % 7);
            p.panel.setFont(font);
            break;
        case 2:
            p.panel.SetColor(i % 16 ? Qt::black : QColor(0, 0, 0x80));
            break;
        case 3:
            p.panel.resize(144 + i % 5, 224 - i % 9);
            break;
        case 4:
            (void)p.panel.grab();
            break;
        case 5:
            p.panel.SetCycled(i % 3 != 0);
            break;
        case 6:
            p.panel.SetInterval(1 + i % 2);
            break;
        default:
            if (!p.panel.Active())
                p.panel.SetActive(true);
            break;
        }
        QVERIFY(p.panel.ScrollPos() >= 0);
        const QImage drawn = p.panel.textImage();
        QVERIFY(!p.panel.Active() || drawn.size() == p.panel.layout().textArea.size());
        QCoreApplication::processEvents();
    }
    // Still stepping after all that.
    p.panel.SetCycled(true);
    if (!p.panel.Active())
        p.panel.SetActive(true);
    const int position = p.panel.ScrollPos();
    QTRY_VERIFY(p.panel.ScrollPos() != position);
}

QTEST_MAIN(TestSecretPanel)
#include "tst_secretpanel.moc"
