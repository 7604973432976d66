// The FTP client against real servers (vsftpd and pyftpdlib) that
// scripts/services/ftp.sh starts on loopback: byte-exact downloads and login
// failures. The servers' ports come from the environment; without them every
// test fails and says how to start the servers.

#include "FtpTestSupport.h"
#include "ftp/IdFTP.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>

using namespace ftptest;

class TestFtpServers : public QObject {
    Q_OBJECT

private:
    static QString Setting(const char *name)
    {
        return QString::fromLocal8Bit(std::getenv(name));
    }

    // Fails the running test (returns false) when the servers were not started.
    static bool Prepare(kelmora::TIdFTP &ftp, const char *portVariable)
    {
        const char *needed[] = {portVariable, "KELMORA_FTP_ROOT", "KELMORA_FTP_USER", "KELMORA_FTP_PASSWORD"};
        for (const char *name : needed) {
            if (Setting(name).isEmpty()) {
                QTest::qFail(qPrintable(QStringLiteral(
                    "%1 is not set: the real FTP servers were not started. Run scripts/test.sh, or "
                    "bash scripts/services/ftp.sh start DIR && set -a && . DIR/ftp.env before ctest.")
                    .arg(QString::fromLatin1(name))), __FILE__, __LINE__);
                return false;
            }
        }
        ftp.Host = "127.0.0.1";
        ftp.Port = Setting(portVariable).toInt();
        ftp.Username = Setting("KELMORA_FTP_USER").toStdString();
        ftp.Password = Setting("KELMORA_FTP_PASSWORD").toStdString();
        return true;
    }

    static void servers()
    {
        QTest::addColumn<QByteArray>("portVariable");
        QTest::addColumn<QString>("remote");
        QTest::newRow("vsftpd, small") << QByteArray("KELMORA_VSFTPD_PORT") << QStringLiteral("version.dll");
        QTest::newRow("vsftpd, large") << QByteArray("KELMORA_VSFTPD_PORT") << QStringLiteral("large.bin");
        QTest::newRow("pyftpdlib, small") << QByteArray("KELMORA_PYFTPD_PORT") << QStringLiteral("version.dll");
        QTest::newRow("pyftpdlib, large") << QByteArray("KELMORA_PYFTPD_PORT") << QStringLiteral("large.bin");
    }

private Q_SLOTS:
    void download_data() { servers(); }

    void download()
    {
        QFETCH(QByteArray, portVariable);
        QFETCH(QString, remote);
        kelmora::TIdFTP ftp;
        if (!Prepare(ftp, portVariable.constData()))
            return;
        QTemporaryDir dir;
        const std::string local = dir.filePath(QStringLiteral("download")).toStdString();
        ftp.Connect(true, -1);
        QCOMPARE(ftp.LastReply().NumericCode, 215); // SYST
        ftp.Get(remote.toStdString(), local, true, false);
        ftp.Disconnect();
        const std::string expected =
            ReadFile(QString(Setting("KELMORA_FTP_ROOT") + QLatin1Char('/') + remote).toStdString());
        QVERIFY(expected.size() > 1000);
        QVERIFY2(ReadFile(local) == expected, "downloaded bytes differ from the served file");
    }

    void failures_data()
    {
        QTest::addColumn<QByteArray>("portVariable");
        QTest::addColumn<bool>("wrongPassword");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("vsftpd, wrong password") << QByteArray("KELMORA_VSFTPD_PORT") << true
                                                << QStringLiteral("kelmora::EIdProtocolReplyError 530: Login incorrect.");
        QTest::newRow("pyftpdlib, wrong password")
            << QByteArray("KELMORA_PYFTPD_PORT") << true
            << QStringLiteral("kelmora::EIdProtocolReplyError 530: Authentication failed.");
        QTest::newRow("vsftpd, missing file") << QByteArray("KELMORA_VSFTPD_PORT") << false
                                              << QStringLiteral("kelmora::EIdProtocolReplyError 550: Failed to open file.");
        QTest::newRow("pyftpdlib, missing file") << QByteArray("KELMORA_PYFTPD_PORT") << false
                                                 << QStringLiteral("kelmora::EIdProtocolReplyError 550: No such file or directory.");
    }

    // A wrong password fails Connect and leaves nothing open; a missing file
    // fails Get with the server's text and leaves the local file empty.
    void failures()
    {
        QFETCH(QByteArray, portVariable);
        QFETCH(bool, wrongPassword);
        QFETCH(QString, outcome);
        kelmora::TIdFTP ftp;
        if (!Prepare(ftp, portVariable.constData()))
            return;
        QTemporaryDir dir;
        const std::string local = dir.filePath(QStringLiteral("download")).toStdString();
        WriteFile(local, "previous contents");
        if (wrongPassword) {
            ftp.Password += "-wrong";
            QCOMPARE(Outcome([&] { ftp.Connect(true, -1); }), outcome);
            QVERIFY(!ftp.Connected());
            QVERIFY(ReadFile(local) == "previous contents");
            return;
        }
        ftp.Connect(true, -1);
        QCOMPARE(Outcome([&] { ftp.Get("no-such-file.dll", local, true, false); }), outcome);
        QVERIFY(ftp.Connected());
        ftp.Disconnect();
        QVERIFY(ReadFile(local).empty());
    }
};

QTEST_GUILESS_MAIN(TestFtpServers)
#include "tst_ftpservers.moc"
