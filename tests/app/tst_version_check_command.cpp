// "Program Sürümünü Kontrol Et" on the frame: the component it creates is
// filled from the frame and the program identity, shows its dialog, and is gone
// when the command ends. The dialog is closed within its first second, so no
// connection is made.

#include "FrameFixture.h"

#include <QLabel>
#include "base/Identity.h"
#include "version/KvSurumKontrol.h"
#include "version/SurumKontrolU7.h"
#include "version/VersionListPath.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QtTest>

using namespace kelmora;
using namespace Qt::StringLiterals;

class TestVersionCheckCommand : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fillsAndShowsTheCheck_data();
    void fillsAndShowsTheCheck();
};

// The dialog carries the frame's own caption, not the title bar's text, which
// Qt extends with the document's title while a document window is maximized.
void TestVersionCheckCommand::fillsAndShowsTheCheck_data()
{
    QTest::addColumn<bool>("maximizedDocument");
    QTest::addColumn<QString>("titleBar");
    QTest::newRow("no document") << false << u"TORVANTA Kelmora s1.06"_s;
    QTest::newRow("a maximized document window") << true << u"TORVANTA Kelmora s1.06 - [ADSIZ1]"_s;
}

void TestVersionCheckCommand::fillsAndShowsTheCheck()
{
    QFETCH(bool, maximizedDocument);
    QFETCH(QString, titleBar);
    test::FrameFixture f;
    if (maximizedDocument) {
        f.newDocument()->subWindow()->showMaximized();
        QApplication::processEvents();
    }
    QCOMPARE(f->windowTitle(), titleBar);
    const QString listPath = version::versionListPath(QCoreApplication::applicationDirPath() + u'/');
    QFile::remove(listPath);
    QCOMPARE(f->ImageTitle->pixmap().size(), QSize(79, 51));

    bool seen = false;
    QString caption;
    QImage picture;
    TSurumKontrolF::Settings settings;
    std::string host, user;
    int port = 0;
    int components = -1;
    QTimer poll;
    poll.setInterval(20);
    connect(&poll, &QTimer::timeout, [&] {
        auto *d = qobject_cast<TSurumKontrolF *>(QApplication::activeModalWidget());
        if (!d || seen)
            return;
        seen = true;
        caption = d->windowTitle();
        picture = d->Image1->pixmap().toImage();
        settings = d->settings();
        host = d->IdFTP1.Host;
        user = d->IdFTP1.Username;
        port = d->IdFTP1.Port;
        components = int(f->findChildren<TKvSurumKontrol *>().size());
        d->close();
    });
    poll.start();
    f->ProgramSrmnKontrolEt1->trigger();

    QVERIFY(seen);
    QCOMPARE(caption, u"TORVANTA Kelmora s1.06"_s);
    QCOMPARE(picture, f->ImageTitle->pixmap().toImage());
    QCOMPARE(settings.ProgName, u"Kelmora"_s);
    QCOMPARE(settings.ProgKod, u"KZQ1"_s);
    QCOMPARE(settings.ProgVers, u"s1.06"_s);
    QCOMPARE(settings.SaveFileName, listPath);
    QCOMPARE(settings.GetFileName, u"version.dll"_s);
    QCOMPARE(settings.LCompany, u"TORVANTA Yazılım"_s);
    QCOMPARE(QString::fromStdString(host), identity::ftpHost());
    QCOMPARE(user, std::string("kvprg"));
    QCOMPARE(port, 21);
    QCOMPARE(components, 1); // owned by the frame while it runs
    QVERIFY(f->findChildren<TKvSurumKontrol *>().isEmpty());
    QVERIFY(!QFileInfo::exists(listPath));
    QVERIFY(f.platform->boxes.isEmpty());
}

QTEST_MAIN(TestVersionCheckCommand)
#include "tst_version_check_command.moc"
