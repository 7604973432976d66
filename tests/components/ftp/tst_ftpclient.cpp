// The FTP client against a scripted server: login sequences, replies the
// server may send, transfers and their endings, hostile servers and the local
// file. Each table row names its outcome as "ok" or the error class and text.

#include "FtpTestSupport.h"
#include "ftp/IdFTP.h"
#include "ScriptedFtpServer.h"

#include <QTemporaryDir>
#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace ftptest;
using kelmora::TIdFTP;

namespace {

using Script = std::vector<Step>;

Script Join(std::initializer_list<Script> parts)
{
    Script all;
    for (const Script &part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

const Script kGreeting = {Send("220 Kelmora test server\r\n")};
const Script kTypeAndSyst = {Read(), Send("200 Type set to I.\r\n"), Read(), Send("215 UNIX Type: L8\r\n")};
const Script kUserPass = {Read(), Send("331 Password required.\r\n"), Read(), Send("230 Logged in.\r\n")};
const Script kLogin = Join({kGreeting, kUserPass, kTypeAndSyst});
const QStringList kLoginLines = {QStringLiteral("USER kvprg"), QStringLiteral("PASS ptmox"),
                                 QStringLiteral("TYPE I"), QStringLiteral("SYST")};
const QString kReplyError = QStringLiteral("kelmora::EIdProtocolReplyError ");

struct ConnectCase {
    const char *name;
    Script script;
    QString outcome;
    QStringList transcript;
    std::function<void(TIdFTP &)> configure;
};

QStringList Lines(QStringList lines, const QString &last = QStringLiteral("<closed>"))
{
    return lines << last;
}

std::vector<ConnectCase> ConnectCases()
{
    const std::string tooLong(20000, 'x');
    std::string endlessReply = "220-start\r\n";
    while (endlessReply.size() < 3 * 1024 * 1024)
        endlessReply += "220-more of the same\r\n";
    const auto quick = [](TIdFTP &ftp) { ftp.ReadTimeout = 300; };
    return {
        {"multi-line greeting",
         Join({{Send("220-Welcome to\r\n220-the test\r\n220 server\r\n")}, kUserPass, kTypeAndSyst}),
         QStringLiteral("ok"), Lines(kLoginLines), {}},
        {"USER answered 230 sends no PASS",
         Join({kGreeting, {Read(), Send("230 No password needed.\r\n")}, kTypeAndSyst}),
         QStringLiteral("ok"), Lines({QStringLiteral("USER kvprg"), QStringLiteral("TYPE I"), QStringLiteral("SYST")}), {}},
        {"SYST answered 500 is accepted",
         Join({kGreeting, kUserPass, {Read(), Send("200 ok\r\n"), Read(), Send("500 Unknown command.\r\n")}}),
         QStringLiteral("ok"), Lines(kLoginLines), {}},
        {"SYST answered 502 fails",
         Join({kGreeting, kUserPass, {Read(), Send("200 ok\r\n"), Read(), Send("502 Command not implemented.\r\n")}}),
         kReplyError + QStringLiteral("502: Command not implemented."), Lines(kLoginLines), {}},
        {"wrong password",
         Join({kGreeting, {Read(), Send("331 Password required.\r\n"), Read(), Send("530 Login incorrect.\r\n")}}),
         kReplyError + QStringLiteral("530: Login incorrect."),
         Lines({QStringLiteral("USER kvprg"), QStringLiteral("PASS ptmox")}), {}},
        {"multi-line error keeps every line",
         Join({kGreeting, {Read(), Send("530-Not allowed\r\n here\r\n530 at all\r\n")}}),
         kReplyError + QStringLiteral("530: Not allowed\r\n\r\nat all"), Lines({QStringLiteral("USER kvprg")}), {}},
        {"USER answered 332 fails", Join({kGreeting, {Read(), Send("332 Need account.\r\n")}}),
         kReplyError + QStringLiteral("332: Need account."), Lines({QStringLiteral("USER kvprg")}), {}},
        {"greeting other than 220", {Send("421 Too many users.\r\n")},
         kReplyError + QStringLiteral("421: Too many users."), Lines({}), {}},
        {"blank lines between replies",
         Join({{Send("\r\n \r\n220 hi\r\n\r\n")}, {Read(), Send("\t\r\n331 pw\r\n"), Read(), Send("230 in\r\n\r\n")},
               kTypeAndSyst}),
         QStringLiteral("ok"), Lines(kLoginLines), {}},
        {"LF line ends and replies split across segments",
         Join({{SendPieces({"22", "0-first\n220", " last\n"})},
               {Read(), SendPieces({"3", "31 pw\n"}), Read(), SendPieces({"230 in\r", "\n"})}, kTypeAndSyst}),
         QStringLiteral("ok"), Lines(kLoginLines), {}},
        {"server closes during login", Join({kGreeting, {Read(), Close()}}),
         QStringLiteral("kelmora::EIdConnClosedGracefully: Connection Closed Gracefully."),
         Lines({QStringLiteral("USER kvprg")}, QStringLiteral("<server closed>")), {}},
        {"silent server times out", Join({kGreeting, {Read()}}),
         QStringLiteral("kelmora::EIdReadTimeout: Read timed out."), Lines({QStringLiteral("USER kvprg")}), quick},
        {"over-long reply line", {Send("220 " + tooLong + "\r\n")},
         QStringLiteral("kelmora::EIdReadLnMaxLineLengthExceeded: Max line length exceeded."), Lines({}), {}},
        {"reply line that never ends", {Send("220 " + tooLong + tooLong + tooLong)},
         QStringLiteral("kelmora::EIdReadLnMaxLineLengthExceeded: Max line length exceeded."), Lines({}), {}},
        {"multi-line reply that never ends", {Send(endlessReply)},
         QStringLiteral("kelmora::EIdReplyTooLong: Reply too long."), Lines({}), {}},
        {"over-long line split on request",
         Join({{Send("220-" + tooLong + "\r\n220 end\r\n")}, kUserPass, kTypeAndSyst}),
         QStringLiteral("ok"), Lines(kLoginLines),
         [](TIdFTP &ftp) { ftp.MaxLineAction = kelmora::TIdMaxLineAction::maSplit; }},
        {"CR LF in the user name", kLogin,
         QStringLiteral("kelmora::EIdLineBreakInCommand: Line break in command argument."),
         {QStringLiteral("<no connection>")}, [](TIdFTP &ftp) { ftp.Username = "kvprg\r\nDELE version.dll"; }},
        {"LF in the password", kLogin,
         QStringLiteral("kelmora::EIdLineBreakInCommand: Line break in command argument."),
         {QStringLiteral("<no connection>")}, [](TIdFTP &ftp) { ftp.Password = "ptmox\nSITE EXEC"; }},
    };
}

struct GetCase {
    const char *name;
    Script script;
    QString outcome;
    std::string fileAfter;
    QStringList transcript;
    std::string localPath; // empty: a fresh file in a temporary folder
};

std::vector<GetCase> GetCases()
{
    const std::string data = AwkwardBytes(5000);
    const std::string big = AwkwardBytes(700 * 1024);
    const QString port = QStringLiteral("PORT 127,0,0,1,*,*");
    const QString retr = QStringLiteral("RETR version.dll");
    const Script start = {Read(), Send("200 PORT ok.\r\n"), Read()};
    const QStringList both = Lines({port, retr});
    return {
        {"150, data, 226", Join({start, {Send("150 Opening.\r\n"), Data(data), Send("226 Done.\r\n")}}),
         QStringLiteral("ok"), data, both, {}},
        {"data connected at PORT time, 125",
         {Read(), Data(data), Send("200 Active data connection established.\r\n"), Read(),
          Send("125 Already open.\r\n"), Send("226 Done.\r\n")},
         QStringLiteral("ok"), data, both, {}},
        {"large file, 154 and 250", Join({start, {Send("154 Go.\r\n"), Data(big), Send("250 Ok.\r\n")}}),
         QStringLiteral("ok"), big, both, {}},
        {"426 then 226 keeps the data",
         Join({start, {Send("150 Go.\r\n"), Data(data), Send("426 Aborted.\r\n226 Closing.\r\n")}}),
         QStringLiteral("ok"), data, both, {}},
        {"450 then 225", Join({start, {Send("150 Go.\r\n"), Data(data), Send("450 Busy.\r\n"), Send("225 Open.\r\n")}}),
         QStringLiteral("ok"), data, both, {}},
        {"426 then 550 fails, data kept",
         Join({start, {Send("150 Go.\r\n"), Data(data), Send("426 Aborted.\r\n550 Gone.\r\n")}}),
         kReplyError + QStringLiteral("550: Gone."), data, both, {}},
        {"end reply 451 fails, data kept",
         Join({start, {Send("150 Go.\r\n"), Data(data), Send("451 Local error.\r\n")}}),
         kReplyError + QStringLiteral("451: Local error."), data, both, {}},
        {"RETR 550 leaves an empty file", Join({start, {Send("550 No such file.\r\n")}}),
         kReplyError + QStringLiteral("550: No such file."), "", both, {}},
        {"PORT refused", {Read(), Send("500 Illegal PORT command.\r\n")},
         kReplyError + QStringLiteral("500: Illegal PORT command."), "", Lines({port}), {}},
        {"data connection closed at once", Join({start, {Send("150 Go.\r\n"), Data(""), Send("226 Done.\r\n")}}),
         QStringLiteral("ok"), "", both, {}},
        {"data from another address is refused",
         Join({start, {Send("150 Go.\r\n"), Stranger("127.0.0.2"), Data(data), Send("226 Done.\r\n")}}),
         QStringLiteral("ok"), data, Lines({port, retr, QStringLiteral("<stranger closed>")}), {}},
        {"no data connection times out", Join({start, {Send("150 Go.\r\n")}}),
         QStringLiteral("kelmora::EIdAcceptTimeout: Accept timed out."), "", both, {}},
        {"stalled data times out, data kept", Join({start, {Send("150 Go.\r\n"), Data(data, 1500)}}),
         QStringLiteral("kelmora::EIdReadTimeout: Read timed out."), data, both, {}},
        {"control closed before the end reply", Join({start, {Send("150 Go.\r\n"), Data(data), Close()}}),
         QStringLiteral("kelmora::EIdConnClosedGracefully: Connection Closed Gracefully."), data,
         Lines({port, retr}, QStringLiteral("<server closed>")), {}},
        {"full disk", Join({start, {Send("150 Go.\r\n"), Data(big), Send("226 Done.\r\n")}}),
         QStringLiteral("kelmora::EStreamError: Cannot write file \"/dev/full\". No space left on device"), "",
         both, "/dev/full"},
    };
}

// The two bounds of one retrieval: its overall deadline and its size cap.
struct BoundCase {
    const char *name;
    Script script;
    int readTimeout;
    int transferTimeout;
    std::int64_t maxSize;
    QString outcome;
    std::string data;      // what the server sends
    std::size_t fileAfter; // bytes of `data` the file ends with; npos: a proper, non-empty prefix
};

std::vector<BoundCase> BoundCases()
{
    const std::string data = AwkwardBytes(5000);
    const std::string slow = AwkwardBytes(200);
    const std::string cap = AwkwardBytes(4096);
    const Script start = {Read(), Send("200 PORT ok.\r\n"), Read(), Send("150 Go.\r\n")};
    const QString timedOut = QStringLiteral("kelmora::EIdTransferTimeout: Transfer timed out.");
    const QString tooLarge = QStringLiteral("kelmora::EIdTransferTooLarge: Transfer exceeds the size limit.");
    constexpr std::size_t prefix = std::string::npos;
    return {
        // Every byte comes well within the read time-out; only the deadline ends it.
        {"trickle runs past the deadline", Join({start, {Trickle(slow, 40)}}), 1000, 700, 0, timedOut, slow, prefix},
        {"trickle that ends in time", Join({start, {Trickle(slow.substr(0, 8), 20), Send("226 Done.\r\n")}}), 1000,
         5000, 0, QStringLiteral("ok"), slow.substr(0, 8), 8},
        {"no data connection: the deadline comes first", start, 5000, 400, 0, timedOut, "", 0},
        {"final reply withheld", Join({start, {Data(data)}}), 5000, 600, 0, timedOut, data, data.size()},
        {"more than the cap: the cap is written", Join({start, {Data(data), Send("226 Done.\r\n")}}), 1000, 0, 4096,
         tooLarge, data, 4096},
        {"exactly the cap", Join({start, {Data(cap), Send("226 Done.\r\n")}}), 1000, 0, 4096,
         QStringLiteral("ok"), cap, cap.size()},
    };
}

// One wait limit over a whole exchange, set before Connect: it bounds the
// host-name lookup, the connection, every reply and the retrieval, whatever
// the bounds of each wait and of the transfer.
struct LimitCase {
    const char *name;
    Script script;
    int limit;
    bool stuckLookup;
    QString outcome;
};

std::vector<LimitCase> LimitCases()
{
    const QString timedOut = QStringLiteral("kelmora::EIdTransferTimeout: Transfer timed out.");
    const auto slowly = [](std::string reply) { return Script{Pause(300), Send(std::move(reply))}; };
    const Script slowLogin = Join({slowly("220 Slow server\r\n"), {Read()}, slowly("331 pw\r\n"), {Read()},
                                   slowly("230 in\r\n"), {Read()}, slowly("200 ok\r\n"), {Read()},
                                   slowly("215 UNIX\r\n")});
    const Script retrieval = {Read(), Send("200 PORT ok.\r\n"), Read(), Send("150 Go.\r\n")};
    const Script fastData = Join({retrieval, {Data(AwkwardBytes(40)), Send("226 Done.\r\n")}});
    // Each reply and each byte well within the waits' bounds and the transfer's.
    const Script slowData = Join({retrieval, {Trickle(AwkwardBytes(40), 40), Send("226 Done.\r\n")}});
    return {
        {"slow replies while logging in", Join({slowLogin, fastData}), 900, false, timedOut},
        {"slow replies, limit long enough", Join({slowLogin, fastData}), 5000, false, QStringLiteral("ok")},
        {"slow retrieval within its own bound", Join({kLogin, slowData}), 900, false, timedOut},
        {"slow retrieval, limit long enough", Join({kLogin, slowData}), 8000, false, QStringLiteral("ok")},
        {"a lookup that never answers", kLogin, 300, true, timedOut},
    };
}

// A port nobody listens on: bound, then released.
std::uint16_t ClosedPort()
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
    getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

} // namespace

class TestFtpClient : public QObject {
    Q_OBJECT

private:
    static void Prepare(TIdFTP &ftp, const ScriptedFtpServer &server)
    {
        ftp.Host = "127.0.0.1";
        ftp.Port = server.Port();
        ftp.Username = "kvprg";
        ftp.Password = "ptmox";
        ftp.ReadTimeout = 5000;
    }

private Q_SLOTS:
    void connect_data()
    {
        QTest::addColumn<int>("row");
        const auto cases = ConnectCases();
        for (std::size_t i = 0; i < cases.size(); ++i)
            QTest::newRow(cases[i].name) << static_cast<int>(i);
    }

    void connect()
    {
        QFETCH(int, row);
        const ConnectCase c = ConnectCases()[static_cast<std::size_t>(row)];
        ScriptedFtpServer server(c.script);
        TIdFTP ftp;
        Prepare(ftp, server);
        if (c.configure)
            c.configure(ftp);
        QCOMPARE(Outcome([&] { ftp.Connect(true, -1); }), c.outcome);
        // A failed Connect has already closed the connection.
        QCOMPARE(ftp.Connected(), c.outcome == QStringLiteral("ok"));
        ftp.Disconnect();
        const bool expectsNoClient = c.transcript.value(0) == QStringLiteral("<no connection>");
        QCOMPARE(ToList(expectsNoClient ? server.Abandon() : server.Transcript()), c.transcript);
    }

    void get_data()
    {
        QTest::addColumn<int>("row");
        const auto cases = GetCases();
        for (std::size_t i = 0; i < cases.size(); ++i)
            QTest::newRow(cases[i].name) << static_cast<int>(i);
    }

    void get()
    {
        QFETCH(int, row);
        const GetCase c = GetCases()[static_cast<std::size_t>(row)];
        QTemporaryDir dir;
        const std::string path = c.localPath.empty() ? dir.filePath(QStringLiteral("v.dll")).toStdString() : c.localPath;
        if (c.localPath.empty())
            WriteFile(path, "old contents to be replaced");
        ScriptedFtpServer server(Join({kGreeting, c.script}));
        TIdFTP ftp;
        Prepare(ftp, server);
        ftp.ReadTimeout = 300;
        ftp.Connect(false, -1);
        QCOMPARE(Outcome([&] { ftp.Get("version.dll", path, true, false); }), c.outcome);
        QVERIFY(ftp.Connected()); // a failed Get leaves the control connection to the caller
        if (c.outcome == QStringLiteral("ok")) // every reply read: the last one is the completion
            QCOMPARE(ftp.LastReply().NumericCode / 100, 2);
        if (c.localPath.empty())
            QVERIFY(ReadFile(path) == c.fileAfter);
        ftp.Disconnect();
        QCOMPARE(ToList(server.Transcript()), c.transcript);
    }

    void transferBounds_data()
    {
        QTest::addColumn<int>("row");
        const auto cases = BoundCases();
        for (std::size_t i = 0; i < cases.size(); ++i)
            QTest::newRow(cases[i].name) << static_cast<int>(i);
    }

    void transferBounds()
    {
        QFETCH(int, row);
        const BoundCase c = BoundCases()[static_cast<std::size_t>(row)];
        QTemporaryDir dir;
        const std::string path = dir.filePath(QStringLiteral("v.dll")).toStdString();
        ScriptedFtpServer server(Join({kGreeting, c.script}));
        TIdFTP ftp;
        Prepare(ftp, server);
        ftp.ReadTimeout = c.readTimeout;
        ftp.TransferTimeout = c.transferTimeout;
        ftp.MaxTransferSize = c.maxSize;
        ftp.Connect(false, -1);
        QCOMPARE(Outcome([&] { ftp.Get("version.dll", path, true, false); }), c.outcome);
        QVERIFY(ftp.Connected());
        const std::string got = ReadFile(path);
        if (c.fileAfter == std::string::npos) {
            QVERIFY(!got.empty());
            QVERIFY(got.size() < c.data.size());
            QVERIFY(c.data.compare(0, got.size(), got) == 0);
        } else {
            QVERIFY(got == c.data.substr(0, c.fileAfter));
        }
        ftp.Disconnect();
        QCOMPARE(ToList(server.Transcript()),
                 Lines({QStringLiteral("PORT 127,0,0,1,*,*"), QStringLiteral("RETR version.dll")}));
    }

    void exchangeLimit_data()
    {
        QTest::addColumn<int>("row");
        const auto cases = LimitCases();
        for (std::size_t i = 0; i < cases.size(); ++i)
            QTest::newRow(cases[i].name) << static_cast<int>(i);
    }

    void exchangeLimit()
    {
        QFETCH(int, row);
        const LimitCase c = LimitCases()[static_cast<std::size_t>(row)];
        QTemporaryDir dir;
        const std::string path = dir.filePath(QStringLiteral("v.dll")).toStdString();
        ScriptedFtpServer server(c.script);
        TIdFTP ftp;
        Prepare(ftp, server);
        ftp.ReadTimeout = 5000;
        ftp.TransferTimeout = 10000;
        ftp.ConnectTimeout = 0; // as long as the system takes
        const auto gate = std::make_shared<LookupGate>();
        if (c.stuckLookup) {
            ftp.Host = "ftp.kelmora.invalid";
            ftp.Lookup = StuckLookup(gate);
        }
        kelmora::net::Deadline limit = kelmora::net::DeadlineAfter(c.limit);
        limit.overall = true;
        ftp.SetWaitLimit(limit);
        const QString outcome = Outcome([&] {
            ftp.Connect(true, -1);
            ftp.Get("version.dll", path, true, false);
        });
        gate->Open();
        QCOMPARE(outcome, c.outcome);
        // The caller's limit outlives the retrieval's own.
        QCOMPARE(ftp.WaitLimit().at, limit.at);
        ftp.Disconnect();
        if (c.stuckLookup)
            QCOMPARE(ToList(server.Abandon()), QStringList{QStringLiteral("<no connection>")});
        else
            server.Transcript();
    }

    // Requests refused before anything is sent: the local file is left as it was.
    void getRefusedUpFront_data()
    {
        QTest::addColumn<QString>("remote");
        QTest::addColumn<QString>("local");
        QTest::addColumn<bool>("overwrite");
        QTest::addColumn<bool>("resume");
        QTest::addColumn<bool>("passive");
        QTest::addColumn<QString>("outcome");
        const QString dll = QStringLiteral("version.dll");
        const QString file = QStringLiteral("v.dll");
        QTest::newRow("CR LF in the remote name")
            << QStringLiteral("x\r\nDELE version.dll") << file << true << false << false
            << QStringLiteral("kelmora::EIdLineBreakInCommand: Line break in command argument.");
        QTest::newRow("existing file without overwrite")
            << dll << file << false << false << false
            << QStringLiteral("kelmora::EIdFileAlreadyExists: Destination file already exists.");
        QTest::newRow("resume") << dll << file << true << true << false
                                << QStringLiteral("kelmora::EIdNotSupported: Resuming a transfer is not supported.");
        QTest::newRow("passive") << dll << file << true << false << true
                                 << QStringLiteral("kelmora::EIdNotSupported: Passive transfers are not supported.");
        QTest::newRow("folder missing")
            << dll << QStringLiteral("missing/v.dll") << true << false << false
            << QStringLiteral("kelmora::EFCreateError: Cannot create file \"%1/missing/v.dll\". No such file or directory");
    }

    void getRefusedUpFront()
    {
        QFETCH(QString, remote);
        QFETCH(QString, local);
        QFETCH(bool, overwrite);
        QFETCH(bool, resume);
        QFETCH(bool, passive);
        QFETCH(QString, outcome);
        QTemporaryDir dir;
        const std::string path = dir.filePath(local).toStdString();
        WriteFile(dir.filePath(QStringLiteral("v.dll")).toStdString(), "keep me");
        ScriptedFtpServer server(kGreeting);
        TIdFTP ftp;
        Prepare(ftp, server);
        ftp.Passive = passive;
        ftp.Connect(false, -1);
        QCOMPARE(Outcome([&] { ftp.Get(remote.toStdString(), path, overwrite, resume); }), QString(outcome).replace(QStringLiteral("%1"), dir.path()));
        QVERIFY(ReadFile(dir.filePath(QStringLiteral("v.dll")).toStdString()) == "keep me");
        ftp.Disconnect();
        QCOMPARE(ToList(server.Transcript()), QStringList{QStringLiteral("<closed>")});
    }

    void secondConnectIsRefused()
    {
        ScriptedFtpServer server(kLogin);
        TIdFTP ftp;
        Prepare(ftp, server);
        ftp.Connect(true, -1);
        QCOMPARE(ftp.LastReply().NumericCode, 215);
        QCOMPARE(Outcome([&] { ftp.Connect(true, -1); }),
                 QStringLiteral("kelmora::EIdAlreadyConnected: Already connected."));
        QVERIFY(ftp.Connected());
        ftp.Disconnect();
        ftp.Disconnect(); // a second one does nothing
        QVERIFY(!ftp.Connected());
        QCOMPARE(ToList(server.Transcript()), Lines(kLoginLines));
    }

    void getNeedsAConnection()
    {
        QTemporaryDir dir;
        const std::string path = dir.filePath(QStringLiteral("v.dll")).toStdString();
        TIdFTP ftp;
        QCOMPARE(Outcome([&] { ftp.Get("version.dll", path, true, false); }),
                 QStringLiteral("kelmora::EIdNotConnected: Not connected."));
        QVERIFY(!QFile::exists(QString::fromStdString(path)));
    }

    void connectionRefused()
    {
        TIdFTP ftp;
        ftp.Host = "localhost";
        ftp.Port = ClosedPort();
        QCOMPARE(Outcome([&] { ftp.Connect(true, -1); }),
                 QStringLiteral("kelmora::EIdSocketError: Socket Error # 111\r\nConnection refused"));
        QVERIFY(!ftp.Connected());
    }

    // The lookup shares the connection's time-out: a resolver that never
    // answers does not hold the caller beyond it.
    void lookupTimesOut()
    {
        const auto gate = std::make_shared<LookupGate>();
        TIdFTP ftp;
        ftp.Host = "ftp.kelmora.invalid";
        ftp.Port = ClosedPort();
        ftp.ConnectTimeout = 300;
        ftp.Lookup = StuckLookup(gate);
        const QString outcome = Outcome([&] { ftp.Connect(true, -1); });
        gate->Open();
        QCOMPARE(outcome, QStringLiteral("kelmora::EIdResolveTimeout: Host name lookup timed out."));
        QVERIFY(!ftp.Connected());
    }

    // A listener whose queue is full drops new connection requests, so the
    // connect waits until its own time-out.
    void connectTimesOut()
    {
        const int listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        QVERIFY(bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
        QVERIFY(listen(listener, 0) == 0);
        getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length);
        std::vector<int> fillers;
        for (int i = 0; i < 4; ++i) {
            fillers.push_back(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
            ::connect(fillers.back(), reinterpret_cast<sockaddr *>(&address), sizeof address);
        }
        TIdFTP ftp;
        ftp.Host = "127.0.0.1";
        ftp.Port = ntohs(address.sin_port);
        ftp.ConnectTimeout = 300;
        const QString outcome = Outcome([&] { ftp.Connect(true, -1); });
        for (int fd : fillers)
            close(fd);
        close(listener);
        QCOMPARE(outcome, QStringLiteral("kelmora::EIdConnectTimeout: Connect timed out."));
        QVERIFY(!ftp.Connected());
    }
};

QTEST_GUILESS_MAIN(TestFtpClient)
#include "tst_ftpclient.moc"
