// The version check end to end: TKvSurumKontrol::Execute against a pyftpdlib
// server started for the test, serving each list; failures of the exchange
// from real refusals and from a scripted hostile server; closing the dialog
// before the check starts; a program folder that cannot be written.

#include "FtpTestSupport.h"
#include "version/KvSurumKontrol.h"
#include "PyFtpServer.h"
#include "ScriptedFtpServer.h"
#include "ScriptedPlatform.h"
#include "version/SurumKontrolU7.h"
#include "version/VersionListPath.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QWindow>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QPushButton>
#include <QAccessible>
#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <memory>

using namespace kelmora;
using namespace Qt::StringLiterals;

namespace {

// What the dialog showed once its check was over.
struct Result {
    bool reached = false;
    QString caption;
    QImage picture;
    QStringList labels; // firma, program, code, found, in use, verdict
    QString front;      // the button panel in front
    QString readVerdict;          // the verdict as a screen reader names it
    QStringList verdictLabelledBy; // and the captions it reads with it
};

QString frontPanel(QWidget *dialog)
{
    for (QWidget *w = dialog->childAt(5, 210); w && w != dialog; w = w->parentWidget()) {
        if (w->objectName().startsWith(u"Panel"_s))
            return w->objectName();
    }
    return QString();
}

// Runs Execute. While the dialog is up, `act` sees it every 20 ms until it
// returns true. A dialog still up after 30 s is closed, failing the test.
bool execute(TKvSurumKontrol &k, const std::function<bool(TSurumKontrolF *)> &act)
{
    const QDeadlineTimer deadline(30000);
    bool hung = false;
    bool done = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *d = qobject_cast<TSurumKontrolF *>(QApplication::activeModalWidget());
        if (!d || done)
            return;
        if (deadline.hasExpired()) {
            hung = true;
            d->close();
        } else {
            done = act(d);
        }
    });
    poll.start();
    k.Execute();
    return !hung;
}

// With KELMORA_SCREENSHOT_DIR set (screenshots.sh), the verdict on the screen,
// window frame included, as <dir>/<test row>.png.
void saveScreenshot(QWidget *dialog)
{
    const QString dir = qEnvironmentVariable("KELMORA_SCREENSHOT_DIR");
    if (dir.isEmpty() || !QTest::currentDataTag())
        return;
    QTest::qWait(300); // let the window system show the finished dialog
    const QRect frame = dialog->frameGeometry();
    const QPixmap shot = dialog->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    QString name = QString::fromUtf8(QTest::currentDataTag());
    name.replace(u' ', u'-').remove(u',');
    shot.save(dir + u'/' + name + u".png"_s);
}

// Runs a check that ends with its verdict; closes the dialog with the button in front.
Result runToVerdict(TKvSurumKontrol &k)
{
    Result r;
    execute(k, [&r](TSurumKontrolF *d) {
        if (d->Timer1->isActive() || d->PanelBekleme->isVisible())
            return false;
        r.reached = true;
        r.caption = d->windowTitle();
        r.picture = d->Image1->pixmap().toImage();
        for (QLabel *l : {d->LabelFirma, d->LabelPAdi, d->LabelPKodu, d->LabelPSurum, d->LabelKSurum, d->LabelDurum})
            r.labels << l->text();
        r.front = frontPanel(d);
        QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(d->LabelDurum);
        r.readVerdict = reader->text(QAccessible::Name);
        for (const auto &[other, relation] : reader->relations(QAccessible::Label))
            r.verdictLabelledBy << other->text(QAccessible::Name);
        saveScreenshot(d);
        QTest::mouseClick(r.front == u"PanelTamam"_s ? d->SpeedButton3 : d->SpeedButton2, Qt::LeftButton);
        return true;
    });
    return r;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

int closedPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

using Script = std::vector<ftptest::Step>;

Script join(std::initializer_list<Script> parts)
{
    Script all;
    for (const Script &p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

} // namespace

class TestVersionCheck : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::PyFtpServer> m_server;
    QTemporaryDir m_root;  // what the server serves
    QTemporaryDir m_local; // where the program keeps the list
    std::unique_ptr<test::ScopedPlatform> m_platform;

    QString listPath() const { return m_local.filePath(u"Vers.kvk"_s); }

    void serve(const QString &name, const QByteArray &bytes)
    {
        writeFile(m_root.filePath(name), bytes);
    }

    // A component as the main frame fills it, aimed at the test server.
    void prepare(TKvSurumKontrol &k, int port) const
    {
        k.setHost(u"127.0.0.1"_s);
        k.setPort(port);
        k.setCaption(u"TORVANTA Kelmora s1.06"_s);
        QPixmap picture(79, 51);
        picture.fill(Qt::cyan);
        k.setPicture(picture);
        k.setSaveFileName(listPath());
        k.setProgName(u"Kelmora"_s);
        k.setProgKod(u"KZQ1"_s);
        k.setProgVers(u"s1.06"_s);
    }

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void verdicts_data();
    void verdicts();
    void eachRunStartsAfresh();
    void failures_data();
    void failures();
    void closingInTheFirstSecond();
    void unwritableProgramFolder();
    void inputDuringTheExchangeIsDropped_data();
    void inputDuringTheExchangeIsDropped();
};

void TestVersionCheck::initTestCase()
{
    m_server = std::make_unique<test::PyFtpServer>(m_root.path());
    QVERIFY2(m_server->ok(), qPrintable(m_server->error()));
}

void TestVersionCheck::init()
{
    m_platform = std::make_unique<test::ScopedPlatform>();
    QFile::remove(listPath());
    QCOMPARE(m_server->takeConnections(), 0);
}

void TestVersionCheck::cleanup()
{
    if (!(*m_platform)->unexpected.isEmpty())
        QFAIL(qPrintable(u"unexpected prompts: "_s + (*m_platform)->unexpected.join(u"; "_s)));
    m_platform.reset();
    m_server->takeConnections();
}

void TestVersionCheck::verdicts_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QString>("found");   // empty: no line of the product
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("front");
    const QString update = TSurumKontrolF::UpdateNeeded;
    const QString upToDate = TSurumKontrolF::UpToDate;
    QTest::newRow("update needed") << "KZQ1,1.07\r\n"_ba << u"1.07"_s << update << u"PanelGuncel"_s;
    QTest::newRow("up to date, equal") << "KZQ1,1.06\r\n"_ba << u"1.06"_s << upToDate << u"PanelTamam"_s;
    QTest::newRow("up to date, older") << "KZQ1,0.99\r\n"_ba << u"0.99"_s << upToDate << u"PanelTamam"_s;
    QTest::newRow("no match") << "ABC1,9.99\r\nXYZ2,2.00\r\n"_ba << QString() << QString() << u"PanelGuncel"_s;
    QTest::newRow("several matching lines, the last decides")
        << "KZQ1,1.07\r\nABC1,9.99\r\nKZQ2,0.98\r\n"_ba << u"0.98"_s << upToDate << u"PanelTamam"_s;
    QTest::newRow("CR-only line ends") << "ABC1,9.99\rKZQ1,1.10\rXYZ2,0.01\r"_ba << u"1.10"_s << update
                                       << u"PanelGuncel"_s;
    QTest::newRow("Windows-1254 in the list") << "KZQ1,\xDE.01\r\n"_ba << u"Ş.01"_s << update << u"PanelGuncel"_s;
}

void TestVersionCheck::verdicts()
{
    QFETCH(QByteArray, list);
    QFETCH(QString, found);
    QFETCH(QString, verdict);
    QFETCH(QString, front);
    serve(u"version.dll"_s, list);
    writeFile(listPath(), "the copy of an earlier check, longer than any list here");
    TKvSurumKontrol k;
    prepare(k, m_server->port());
    const Result r = runToVerdict(k);
    QVERIFY(r.reached);
    QCOMPARE(r.caption, u"TORVANTA Kelmora s1.06"_s);
    QCOMPARE(r.picture.size(), QSize(79, 51));
    QCOMPARE(r.picture.pixelColor(40, 25), QColor(Qt::cyan));
    const QStringList labels = found.isEmpty()
        ? QStringList(6, QString())
        : QStringList{u"TORVANTA Yazılım"_s, u"Kelmora"_s, u"KZQ1"_s, found, u"1.06"_s, verdict};
    QCOMPARE(r.labels, labels);
    // A reader reads the verdict with its caption, "Durum "; with no verdict
    // the empty value is named by the caption.
    QCOMPARE(r.readVerdict, found.isEmpty() ? u"Durum "_s : verdict);
    QCOMPARE(r.verdictLabelledBy, QStringList{u"Durum "_s});
    QCOMPARE(r.front, front);
    QCOMPARE(readFile(listPath()), list); // the saved copy, byte for byte
    QVERIFY((*m_platform)->boxes.isEmpty());
    QCOMPARE(m_server->takeConnections(), 1);
    QCOMPARE(k.ProgVers(), u"s1.06"_s); // the check shortens its own copy only
}

// A component runs any number of checks, each with fresh copies of its settings.
void TestVersionCheck::eachRunStartsAfresh()
{
    serve(u"version.dll"_s, "KZQ1,1.07\r\n");
    TKvSurumKontrol k;
    prepare(k, m_server->port());
    const Result first = runToVerdict(k);
    const Result second = runToVerdict(k);
    QVERIFY(first.reached && second.reached);
    QCOMPARE(second.labels, first.labels);
    QCOMPARE(second.labels.value(4), u"1.06"_s);
    QCOMPARE(m_server->takeConnections(), 2);
}

void TestVersionCheck::failures_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("fileAfter"); // "old", "empty", "none", "part", "cap"
    const QString connect = TSurumKontrolF::FailedToConnect;
    const QString fetch = TSurumKontrolF::FailedToFetch;
    QTest::newRow("connection refused") << u"refused"_s << connect << u"old"_s;
    QTest::newRow("wrong password") << u"wrong password"_s << connect << u"old"_s;
    QTest::newRow("missing remote file") << u"missing file"_s << fetch << u"empty"_s;
    QTest::newRow("list over the size cap") << u"huge list"_s << fetch << u"cap"_s;
    QTest::newRow("local file cannot be created") << u"no local folder"_s << fetch << u"none"_s;
    QTest::newRow("server never answers") << u"silent"_s << connect << u"old"_s;
    QTest::newRow("greeting trickles") << u"trickled greeting"_s << connect << u"old"_s;
    QTest::newRow("over-long reply line") << u"long line"_s << connect << u"old"_s;
    QTest::newRow("no data connection") << u"no data"_s << fetch << u"empty"_s;
    QTest::newRow("data trickles") << u"trickled data"_s << fetch << u"part"_s;
    QTest::newRow("slow replies while logging in") << u"slow login"_s << connect << u"old"_s;
    QTest::newRow("slow retrieval") << u"slow retrieval"_s << fetch << u"part"_s;
}

// Each failure ends in its one message (caption "Dikkat", information icon,
// OK), the connection dropped and the dialog closed.
void TestVersionCheck::failures()
{
    QFETCH(QString, setting);
    QFETCH(QString, message);
    QFETCH(QString, fileAfter);
    const QByteArray old = "the copy of an earlier check";
    writeFile(listPath(), old);
    serve(u"version.dll"_s, "KZQ1,1.07\r\n");
    TKvSurumKontrol k;
    prepare(k, m_server->port());
    const Script login = {ftptest::Send("220 Kelmora test\r\n"), ftptest::Read(), ftptest::Send("331 pw\r\n"),
                          ftptest::Read(), ftptest::Send("230 in\r\n"), ftptest::Read(), ftptest::Send("200 ok\r\n"),
                          ftptest::Read(), ftptest::Send("215 UNIX\r\n")};
    const Script retrieve = {ftptest::Read(), ftptest::Send("200 ok\r\n"), ftptest::Read(),
                             ftptest::Send("150 go\r\n")};
    const std::string trickled = ftptest::AwkwardBytes(400);
    std::unique_ptr<ftptest::ScriptedFtpServer> hostile;
    const auto scripted = [&](Script script) {
        hostile = std::make_unique<ftptest::ScriptedFtpServer>(std::move(script));
        k.setPort(hostile->Port());
    };
    k.Bounds.readTimeout = 400;
    if (setting == u"refused"_s) {
        k.setPort(closedPort());
    } else if (setting == u"wrong password"_s) {
        k.setPassword(u"ptmox-wrong"_s);
    } else if (setting == u"missing file"_s) {
        k.setGetFileName(u"yok.dll"_s);
    } else if (setting == u"huge list"_s) {
        serve(u"big.dll"_s, QByteArray::fromStdString(ftptest::AwkwardBytes(k.Bounds.maxListSize + 5000)));
        k.setGetFileName(u"big.dll"_s);
        k.Bounds.readTimeout = 5000;
    } else if (setting == u"no local folder"_s) {
        k.setSaveFileName(m_local.filePath(u"gone/Vers.kvk"_s));
    } else if (setting == u"silent"_s) {
        scripted({});
    } else if (setting == u"trickled greeting"_s) {
        std::vector<std::string> pieces(60, "220-still greeting\r\n");
        scripted({ftptest::SendPieces(pieces)}); // every 30 ms, for longer than a reply may take
    } else if (setting == u"long line"_s) {
        scripted({ftptest::Send("220 " + std::string(20000, 'x') + "\r\n")});
    } else if (setting == u"no data"_s) {
        scripted(join({login, retrieve}));
    } else if (setting == u"trickled data"_s) {
        // Each byte well within a read's bound; only the whole transfer's ends it.
        k.Bounds.readTimeout = 1000;
        k.Bounds.transferTimeout = 1000;
        scripted(join({login, retrieve, {ftptest::Trickle(trickled, 40)}}));
    } else if (setting == u"slow login"_s || setting == u"slow retrieval"_s) {
        // Each reply and each byte well within the bounds of its wait and of
        // the transfer; only the one over the whole exchange ends it.
        k.Bounds.readTimeout = 1000;
        k.Bounds.transferTimeout = 20000;
        k.Bounds.exchangeTimeout = 900;
        const auto slowly = [](Script steps) {
            Script out;
            for (ftptest::Step &s : steps) {
                if (s.kind == ftptest::Step::Kind::Send)
                    out.push_back(ftptest::Pause(300));
                out.push_back(std::move(s));
            }
            return out;
        };
        const Script rest = {ftptest::Trickle(trickled.substr(0, 50), 40), ftptest::Send("226 Done.\r\n")};
        scripted(setting == u"slow login"_s ? join({slowly(login), retrieve, rest}) : join({login, retrieve, rest}));
    }

    const bool ended = execute(k, [](TSurumKontrolF *) { return false; });
    QVERIFY2(ended, "the dialog did not close itself");
    const auto &boxes = (*m_platform)->boxes;
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].request.text, message);
    QCOMPARE(boxes[0].request.caption, u"Dikkat"_s);
    QCOMPARE(boxes[0].request.icon, QMessageBox::Information);
    QCOMPARE(boxes[0].request.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    const QByteArray saved = readFile(k.SaveFileName());
    if (fileAfter == u"old"_s)
        QCOMPARE(saved, old);
    else if (fileAfter == u"empty"_s)
        QVERIFY(QFileInfo::exists(k.SaveFileName()) && saved.isEmpty());
    else if (fileAfter == u"none"_s)
        QVERIFY(!QFileInfo::exists(k.SaveFileName()));
    else if (fileAfter == u"cap"_s)
        QCOMPARE(saved, readFile(m_root.filePath(u"big.dll"_s)).left(k.Bounds.maxListSize));
    else if (fileAfter == u"part"_s)
        QVERIFY(!saved.isEmpty() && saved.size() < qsizetype(trickled.size())
                && trickled.compare(0, saved.size(), saved.toStdString()) == 0);
    if (hostile) // the connection is gone, not left open
        QCOMPARE(ftptest::ToList(hostile->Transcript()).constLast(), u"<closed>"_s);
}

void TestVersionCheck::closingInTheFirstSecond()
{
    serve(u"version.dll"_s, "KZQ1,1.07\r\n");
    TKvSurumKontrol k;
    prepare(k, m_server->port());
    bool waiting = false;
    execute(k, [&waiting](TSurumKontrolF *d) {
        waiting = d->PanelBekleme->isVisible() && d->Timer1->isActive();
        d->close(); // the close box
        return true;
    });
    QVERIFY(waiting);
    QTest::qWait(1300); // past the moment the check would have started
    QCOMPARE(m_server->takeConnections(), 0);
    QVERIFY(!QFileInfo::exists(listPath()));
    QVERIFY((*m_platform)->boxes.isEmpty());
}

// A program folder nobody may write (here one on a read-only file system,
// which holds for root too): the list goes to the user's cache folder.
void TestVersionCheck::unwritableProgramFolder()
{
    QTemporaryDir cache;
    const QByteArray oldCache = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    const QString path = version::versionListPath(u"/proc/self/"_s);
    qputenv("XDG_CACHE_HOME", oldCache);
    QCOMPARE(path, cache.filePath(u"kelmora/Vers.kvk"_s));

    serve(u"version.dll"_s, "KZQ1,1.07\r\n");
    TKvSurumKontrol k;
    prepare(k, m_server->port());
    k.setSaveFileName(path);
    const Result r = runToVerdict(k);
    QVERIFY(r.reached);
    QCOMPARE(r.labels.value(5), TSurumKontrolF::UpdateNeeded);
    QCOMPARE(readFile(path), "KZQ1,1.07\r\n"_ba);
}

// Clicks and keys given while the exchange holds the window were aimed at
// the wait panel; once the verdict shows, they do nothing, whatever button
// now lies where they went. The server puts them into the program's queue
// while the window waits for its reply, as the window system would.
void TestVersionCheck::inputDuringTheExchangeIsDropped_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QString>("input"); // a button to click where it will show, or a key with Alt
    QTest::addColumn<QString>("front");
    QTest::newRow("up to date, a click where Tamam shows") << "KZQ1,1.06\r\n"_ba << u"SpeedButton3"_s
                                                           << u"PanelTamam"_s;
    QTest::newRow("update needed, a click where Güncelle shows") << "KZQ1,1.07\r\n"_ba << u"SpeedButton1"_s
                                                                 << u"PanelGuncel"_s;
    QTest::newRow("update needed, a click where Kapat shows") << "KZQ1,1.07\r\n"_ba << u"SpeedButton2"_s
                                                              << u"PanelGuncel"_s;
    QTest::newRow("up to date, Alt+T") << "KZQ1,1.06\r\n"_ba << u"T"_s << u"PanelTamam"_s;
    QTest::newRow("update needed, Alt+G") << "KZQ1,1.07\r\n"_ba << u"G"_s << u"PanelGuncel"_s;
}

void TestVersionCheck::inputDuringTheExchangeIsDropped()
{
    QFETCH(QByteArray, list);
    QFETCH(QString, input);
    QFETCH(QString, front);
    TKvSurumKontrol k;
    prepare(k, 0);
    // Seen by the server's thread once the dialog is up.
    struct Target {
        TSurumKontrolF *dialog = nullptr;
        QWindow *window = nullptr;
        QPointF at;
        const QPointingDevice *mouse = nullptr;
    } target;
    std::atomic<bool> ready{false};
    std::atomic<int> posted{0};
    const auto post = [&] {
        if (!ready.load(std::memory_order_acquire))
            return;
        if (input.size() == 1) {
            const auto key = Qt::Key(Qt::Key_A + (input.at(0).unicode() - u'A'));
            QCoreApplication::postEvent(target.dialog, new QKeyEvent(QEvent::KeyPress, key, Qt::AltModifier,
                                                                     input.toLower()));
            QCoreApplication::postEvent(target.dialog, new QKeyEvent(QEvent::KeyRelease, key, Qt::AltModifier,
                                                                     input.toLower()));
        } else {
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
                QCoreApplication::postEvent(target.window, new QMouseEvent(type, target.at, target.at, Qt::LeftButton,
                                                                           held, Qt::NoModifier, target.mouse));
            }
        }
        ++posted;
    };
    const Script script = {ftptest::Send("220 hi\r\n"), ftptest::Read(), ftptest::Call(post),
                           ftptest::Pause(100), ftptest::Send("331 pw\r\n"), ftptest::Read(),
                           ftptest::Send("230 in\r\n"), ftptest::Read(), ftptest::Send("200 ok\r\n"),
                           ftptest::Read(), ftptest::Send("215 UNIX\r\n"), ftptest::Read(),
                           ftptest::Send("200 ok\r\n"), ftptest::Read(), ftptest::Send("150 go\r\n"),
                           ftptest::Data(list.toStdString()), ftptest::Send("226 Done.\r\n")};
    ftptest::ScriptedFtpServer server(script);
    k.setPort(server.Port());
    Result r;
    bool settling = false;
    const bool ended = execute(k, [&](TSurumKontrolF *d) {
        if (settling)
            return false;
        if (!ready.load()) {
            QApplication::setActiveWindow(d);
            target.dialog = d;
            target.window = d->windowHandle();
            if (input.size() > 1) {
                auto *button = d->findChild<QPushButton *>(input);
                target.at = button->mapTo(d, button->rect().center());
            }
            target.mouse = QPointingDevice::primaryPointingDevice();
            ready.store(true, std::memory_order_release);
        }
        if (d->Timer1->isActive() || d->PanelBekleme->isVisible())
            return false;
        // A key presses its button for a moment before it clicks: whatever
        // the input would do, it has done after this.
        settling = true;
        QTest::qWait(400);
        r.reached = d->isVisible();
        r.front = frontPanel(d);
        // Input given now is handled as usual.
        if (r.reached)
            QTest::mouseClick(r.front == u"PanelTamam"_s ? d->SpeedButton3 : d->SpeedButton2, Qt::LeftButton);
        return true;
    });
    QVERIFY(ended);
    QCOMPARE(posted.load(), 1);
    QVERIFY2(r.reached, "the dialog closed before its verdict showed");
    QCOMPARE(r.front, front);
    QVERIFY((*m_platform)->shellOpens.isEmpty());
    QVERIFY((*m_platform)->boxes.isEmpty());
}

QTEST_MAIN(TestVersionCheck)
#include "tst_versioncheck.moc"
