// The reply parser fed bytes (whole and one byte at a time), its bounds, host
// resolution and the PORT argument.

#include "FtpTestSupport.h"
#include "ftp/IdFTP.h"
#include "ftp/IdReplyParser.h"
#include "ftp/IdSocket.h"

#include <QtTest>

#include <chrono>
#include <thread>

using namespace ftptest;
using kelmora::ReplyParser;
using kelmora::TIdMaxLineAction;

namespace {

// Each reply as "NumericCode|TextCode|line1/line2/...".
QString Describe(const kelmora::TIdRFCReply &reply)
{
    QStringList lines = ToList(reply.Text);
    return QString::number(reply.NumericCode) + QLatin1Char('|') + QString::fromStdString(reply.TextCode)
        + QLatin1Char('|') + lines.join(QLatin1Char('/'));
}

QStringList Parse(const QByteArray &input, std::size_t piece, ReplyParser::Limits limits = {})
{
    ReplyParser parser;
    parser.SetLimits(limits);
    QStringList replies;
    for (qsizetype at = 0; at < input.size(); at += static_cast<qsizetype>(piece)) {
        parser.Feed(std::string_view(input.constData() + at,
                                     std::min<std::size_t>(piece, static_cast<std::size_t>(input.size() - at))));
        while (const auto reply = parser.Next())
            replies << Describe(*reply);
    }
    return replies;
}

} // namespace

class TestFtpReply : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void replies_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char *name, const char *input, QStringList expected) {
            QTest::newRow(name) << QByteArray(input) << expected;
        };
        row("one line", "220 Ready\r\n", {QStringLiteral("220|220|Ready")});
        row("LF only", "220 Ready\n", {QStringLiteral("220|220|Ready")});
        row("incomplete line waits", "220 Rea", {});
        row("two replies in one piece", "331 Pass\r\n230 In\r\n",
            {QStringLiteral("331|331|Pass"), QStringLiteral("230|230|In")});
        row("multi-line", "220-a\r\n220-b\r\n220 c\r\n", {QStringLiteral("220|220|a/b/c")});
        row("multi-line text starts at the fifth character", "211-Features\r\n REST STREAM\r\n UTF8\r\n211 End\r\n",
            {QStringLiteral("211|211|Features/ STREAM//End")});
        row("multi-line ignores another code", "220-a\r\n221 x\r\n220 z\r\n", {QStringLiteral("220|220|a/x/z")});
        row("multi-line ended by a bare code", "220-x\r\n220-y\r\n220 \r\n", {QStringLiteral("220|220|x/y/")});
        row("multi-line ended by a short line", "220-x\r\nok\r\n230 next\r\n",
            {QStringLiteral("220|220|x/"), QStringLiteral("230|230|next")});
        row("hyphen line of four characters opens", "220-\r\n220 done\r\n", {QStringLiteral("220|220|/done")});
        row("blank lines skipped", "\r\n  \r\n\t\r\n220 x\r\n\r\n", {QStringLiteral("220|220|x")});
        row("blanks and controls trimmed", "  220 Ready \t\x01\r\n", {QStringLiteral("220|220|Ready")});
        row("CR inside a line stays", "200 a\rb\r\n", {QStringLiteral("200|200|a\rb")});
        row("code that is not a number", "abc def\r\n", {QStringLiteral("0|abc|def")});
        row("short line", "22\r\n", {QStringLiteral("22|22|")});
        row("code with a sign", "-22 x\r\n", {QStringLiteral("0|-22|x")});
    }

    void replies()
    {
        QFETCH(QByteArray, input);
        QFETCH(QStringList, expected);
        QCOMPARE(Parse(input, static_cast<std::size_t>(input.size() + 1)), expected);
        QCOMPARE(Parse(input, 1), expected);
    }

    void bounds_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<bool>("split");
        QTest::addColumn<QString>("outcome");
        const QString tooLong = QStringLiteral("kelmora::EIdReadLnMaxLineLengthExceeded: Max line length exceeded.");
        const QString ok = QStringLiteral("ok");
        QTest::newRow("line at the limit") << QByteArray("220 ") + QByteArray(12, 'x') + "\r\n" << false << ok;
        QTest::newRow("one over the limit") << QByteArray("220 ") + QByteArray(13, 'x') + "\r\n" << false << tooLong;
        QTest::newRow("over the limit without LF") << QByteArray("220 ") + QByteArray(100, 'x') << false << tooLong;
        QTest::newRow("over the limit, split") << QByteArray("220 ") + QByteArray(13, 'x') + "\r\n" << true << ok;
        QTest::newRow("reply within its size") << QByteArray("220-a\r\n220-b\r\n220 c\r\n") << false << ok;
        QTest::newRow("reply over its size") << QByteArray("220-a\r\n220-b\r\n220-c\r\n220-d\r\n220 e\r\n") << false
                                             << QStringLiteral("kelmora::EIdReplyTooLong: Reply too long.");
        QTest::newRow("blank lines count too") << QByteArray(40, '\n') + "220 a\r\n" << false
                                               << QStringLiteral("kelmora::EIdReplyTooLong: Reply too long.");
    }

    // Limits: lines of 16 characters, replies of 30 bytes.
    void bounds()
    {
        QFETCH(QByteArray, input);
        QFETCH(bool, split);
        QFETCH(QString, outcome);
        const ReplyParser::Limits limits{16, split ? TIdMaxLineAction::maSplit : TIdMaxLineAction::maException, 30};
        for (std::size_t piece : {std::size_t(1), std::size_t(7), std::size_t(input.size())}) {
            QCOMPARE(Outcome([&] { Parse(input, piece, limits); }), outcome);
        }
    }

    void splitPieces()
    {
        const ReplyParser::Limits limits{8, TIdMaxLineAction::maSplit, 1000};
        QCOMPARE(Parse("220-abcdefghij\r\n220 end\r\n", 3, limits), QStringList{QStringLiteral("220|220|abcd/ij/end")});
    }

    // A server that never sends LF cannot make the parser hold more than one line.
    void memoryStaysBounded()
    {
        ReplyParser parser;
        const std::string chunk(1000, 'x');
        std::size_t most = 0;
        const QString outcome = Outcome([&] {
            for (int i = 0; i < 1000; ++i) {
                parser.Feed(chunk);
                most = std::max(most, parser.Buffered());
                parser.Next();
            }
        });
        QCOMPARE(outcome, QStringLiteral("kelmora::EIdReadLnMaxLineLengthExceeded: Max line length exceeded."));
        QVERIFY(most <= 16384 + 1 + chunk.size());
    }

    void hosts_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("address");
        QTest::newRow("LOCALHOST") << QStringLiteral("LOCALHOST") << QStringLiteral("127.0.0.1");
        QTest::newRow("localhost") << QStringLiteral("localhost") << QStringLiteral("127.0.0.1");
        QTest::newRow("mixed case") << QStringLiteral("LocalHost") << QStringLiteral("127.0.0.1");
        QTest::newRow("dotted quad") << QStringLiteral("192.168.1.5") << QStringLiteral("192.168.1.5");
        QTest::newRow("zeros") << QStringLiteral("0.0.0.0") << QStringLiteral("0.0.0.0");
        QTest::newRow("leading zeros are decimal") << QStringLiteral("010.001.002.255")
                                                   << QStringLiteral("10.1.2.255");
    }

    void hosts()
    {
        QFETCH(QString, host);
        QFETCH(QString, address);
        const kelmora::net::Endpoint endpoint{kelmora::net::ResolveIpv4(host.toStdString()), 0};
        QCOMPARE(QString::fromStdString(endpoint.AddressText()), address);
    }

    // Names the system's resolver looks up, through a stand-in for it.
    void lookups_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("answer"); // "stuck", "fails", or the address the lookup gives
        QTest::addColumn<int>("deadline");   // ms; 0: none
        QTest::addColumn<bool>("overall");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("answered in time") << QStringLiteral("ftp.kelmora.test") << QStringLiteral("10.1.2.3") << 2000
                                          << false << QStringLiteral("10.1.2.3");
        QTest::newRow("answered, no deadline") << QStringLiteral("ftp.kelmora.test") << QStringLiteral("10.1.2.3") << 0
                                               << false << QStringLiteral("10.1.2.3");
        QTest::newRow("not found") << QStringLiteral("ftp.kelmora.test") << QStringLiteral("fails") << 2000 << false
                                   << QStringLiteral("kelmora::EIdSocketError: Socket Error # -2\r\nName or service not known");
        QTest::newRow("never answered") << QStringLiteral("ftp.kelmora.test") << QStringLiteral("stuck") << 200 << false
                                        << QStringLiteral("kelmora::EIdResolveTimeout: Host name lookup timed out.");
        QTest::newRow("never answered, an exchange's deadline")
            << QStringLiteral("ftp.kelmora.test") << QStringLiteral("stuck") << 200 << true
            << QStringLiteral("kelmora::EIdTransferTimeout: Transfer timed out.");
        QTest::newRow("LOCALHOST is not looked up") << QStringLiteral("LOCALHOST") << QStringLiteral("stuck") << 200
                                                    << false << QStringLiteral("127.0.0.1");
        QTest::newRow("a dotted quad is not looked up") << QStringLiteral("10.0.0.9") << QStringLiteral("stuck") << 200
                                                        << false << QStringLiteral("10.0.0.9");
    }

    void lookups()
    {
        QFETCH(QString, host);
        QFETCH(QString, answer);
        QFETCH(int, deadline);
        QFETCH(bool, overall);
        QFETCH(QString, outcome);
        const auto gate = std::make_shared<LookupGate>();
        kelmora::net::HostLookup lookup = StuckLookup(gate);
        if (answer == QStringLiteral("fails")) {
            lookup = [](const std::string &) -> std::uint32_t {
                throw kelmora::EIdSocketError(-2, "Name or service not known");
            };
        } else if (answer != QStringLiteral("stuck")) {
            const std::uint32_t address = *kelmora::net::ParseDottedQuad(answer.toStdString());
            lookup = [address](const std::string &) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                return address;
            };
        }
        kelmora::net::Deadline limit = kelmora::net::DeadlineAfter(deadline);
        limit.overall = overall;
        QString resolved;
        const QString error = Outcome([&] {
            const kelmora::net::Endpoint endpoint{kelmora::net::ResolveIpv4(host.toStdString(), limit, lookup), 0};
            resolved = QString::fromStdString(endpoint.AddressText());
        });
        gate->Open();
        QCOMPARE(error == QStringLiteral("ok") ? resolved : error, outcome);
    }

    void notDottedQuads_data()
    {
        QTest::addColumn<QString>("text");
        for (const char *text : {"256.1.1.1", "1.2.3", "1.2.3.4.", "1..2.3", "a.b.c.d", "1.2.3.4 ", "1.2.3.0004", ""})
            QTest::newRow(text) << QString::fromLatin1(text);
    }

    void notDottedQuads()
    {
        QFETCH(QString, text);
        QVERIFY(!kelmora::net::ParseDottedQuad(text.toStdString()));
    }

    void unknownHost()
    {
        const QString outcome = Outcome([] { kelmora::net::ResolveIpv4("no-such-host.invalid"); });
        QVERIFY2(outcome.startsWith(QStringLiteral("kelmora::EIdSocketError: Socket Error # ")), qPrintable(outcome));
    }

    void portArgument_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("argument");
        QTest::newRow("example") << QStringLiteral("192.168.1.5") << 1030 << QStringLiteral("192,168,1,5,4,6");
        QTest::newRow("low port") << QStringLiteral("127.0.0.1") << 255 << QStringLiteral("127,0,0,1,0,255");
        QTest::newRow("carry") << QStringLiteral("1.2.3.4") << 256 << QStringLiteral("1,2,3,4,1,0");
        QTest::newRow("highest") << QStringLiteral("10.0.0.1") << 65535 << QStringLiteral("10,0,0,1,255,255");
    }

    void portArgument()
    {
        QFETCH(QString, address);
        QFETCH(int, port);
        QFETCH(QString, argument);
        const auto ip = kelmora::net::ParseDottedQuad(address.toStdString());
        QVERIFY(ip);
        QCOMPARE(QString::fromStdString(kelmora::PortArgument(*ip, static_cast<std::uint16_t>(port))), argument);
    }
};

QTEST_GUILESS_MAIN(TestFtpReply)
#include "tst_ftpreply.moc"
