// The version list reader and the comparison of versions, as tables: line
// endings and the 4096-byte cut, which lines belong to the product, the version
// a line gives, byte-wise comparison, the last matching line deciding, and
// where the list is kept.

#include "version/VersionList.h"
#include "version/VersionListPath.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace kelmora::version;
using namespace Qt::StringLiterals;

class TestVersionList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lines_data();
    void lines();
    void compare_data();
    void compare();
    void verdict_data();
    void verdict();
    void listText();
    void savePath_data();
    void savePath();
};

void TestVersionList::lines_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QList<QByteArray>>("lines");
    using L = QList<QByteArray>;
    QTest::newRow("CR LF") << "a,1\r\nb,2\r\n"_ba << L{"a,1", "b,2"};
    QTest::newRow("lone CR") << "a,1\rb,2\r"_ba << L{"a,1", "b,2"};
    QTest::newRow("mixed, LF CR is two endings") << "a\r\nb\rc\nd\n\re"_ba << L{"a", "b", "c", "d", "", "e"};
    QTest::newRow("CR CR LF") << "a\r\r\nb"_ba << L{"a", "", "b"};
    QTest::newRow("empty lines kept") << "\r\n\r\nx\r\n"_ba << L{"", "", "x"};
    QTest::newRow("empty list") << QByteArray() << L{};
    QTest::newRow("one ending only") << "\n"_ba << L{""};
    QTest::newRow("long line cut at 4096") << QByteArray(5000, 'x') + "\nb"_ba << L{QByteArray(4096, 'x'), "b"};
    QTest::newRow("NUL and high bytes are ordinary") << "a\0b\xFE\r\n"_ba << L{"a\0b\xFE"_ba};
}

void TestVersionList::lines()
{
    QFETCH(QByteArray, list);
    QFETCH(QList<QByteArray>, lines);
    QCOMPARE(versionListLines(list), lines);
}

void TestVersionList::compare_data()
{
    QTest::addColumn<QByteArray>("a");
    QTest::addColumn<QByteArray>("b");
    QTest::addColumn<int>("sign");
    // The verdict table covers the ordinary cases; these are the edges.
    QTest::newRow("equal") << "1.06"_ba << "1.06"_ba << 0;
    QTest::newRow("characters, not numbers") << "9.99"_ba << "10.0"_ba << 1;
    QTest::newRow("the longer is greater") << "1.06"_ba << "1.0"_ba << 1;
    QTest::newRow("both empty") << QByteArray() << QByteArray() << 0;
    QTest::newRow("bytes are unsigned") << "\x80"_ba << "\x7F"_ba << 1;
}

void TestVersionList::compare()
{
    QFETCH(QByteArray, a);
    QFETCH(QByteArray, b);
    QFETCH(int, sign);
    const int result = compareVersions(a, b);
    QCOMPARE((result > 0) - (result < 0), sign);
    const int reverse = compareVersions(b, a);
    QCOMPARE((reverse > 0) - (reverse < 0), -sign);
}

void TestVersionList::verdict_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QByteArray>("inUse");
    QTest::addColumn<bool>("matched");
    QTest::addColumn<QByteArray>("found");
    QTest::addColumn<bool>("update");
    const QByteArray kzq = "KZQ1"_ba;
    const QByteArray v106 = "1.06"_ba;
    QTest::newRow("1.07 needs an update") << "KZQ1,1.07\r\n"_ba << kzq << v106 << true << "1.07"_ba << true;
    QTest::newRow("1.06 is up to date") << "KZQ1,1.06\r\n"_ba << kzq << v106 << true << "1.06"_ba << false;
    QTest::newRow("0.99 is up to date") << "KZQ1,0.99\r\n"_ba << kzq << v106 << true << "0.99"_ba << false;
    QTest::newRow("9.99 beats 10.0") << "KZQ1,9.99"_ba << kzq << "10.0"_ba << true << "9.99"_ba << true;
    QTest::newRow("1.6 at the line's end beats 1.06") << "KZQ1,1.6\n"_ba << kzq << v106 << true << "1.6"_ba << true;
    QTest::newRow("another product sharing three letters")
        << "KZQ2,2.00\r\n"_ba << kzq << v106 << true << "2.00"_ba << true;
    QTest::newRow("the last matching line decides, down")
        << "KZQ1,1.07\r\nABC,9.99\r\nKZQ1,0.50\r\nXYZ,9.99\r\n"_ba << kzq << v106 << true << "0.50"_ba << false;
    QTest::newRow("the last matching line decides, up")
        << "KZQ1,0.50\r\nKZQ1,1.07"_ba << kzq << v106 << true << "1.07"_ba << true;
    QTest::newRow("CR-only line ends") << "ABC,9.99\rKZQ1,1.07\rXYZ,0.01\r"_ba << kzq << v106 << true << "1.07"_ba
                                       << true;
    QTest::newRow("no comma: the first four") << "KZQ1 1.07"_ba << kzq << v106 << true << "KZQ1"_ba << true;
    QTest::newRow("ends at its comma: empty, up to date") << "KZQ1,\r\n"_ba << kzq << v106 << true << QByteArray()
                                                          << false;
    QTest::newRow("fewer than four after the comma") << "KZQ1,1.1"_ba << kzq << v106 << true << "1.1"_ba << true;
    QTest::newRow("the first comma counts") << "KZQ1,1.07,0.01"_ba << kzq << v106 << true << "1.07"_ba << true;
    QTest::newRow("code anywhere, version before it") << "0.01,KZQ1"_ba << kzq << v106 << true << "KZQ1"_ba << true;
    QTest::newRow("code in mid-line") << "Kelmora KZQ1,1.07"_ba << kzq << v106 << true << "1.07"_ba << true;
    QTest::newRow("case matters") << "kzq1,1.07\r\n"_ba << kzq << v106 << false << QByteArray() << false;
    QTest::newRow("only three letters are looked for") << "KZQ9,1.07"_ba << kzq << v106 << true << "1.07"_ba << true;
    QTest::newRow("two-letter code matches what there is") << "XKZ,1.07"_ba << "KZ"_ba << v106 << true << "1.07"_ba
                                                           << true;
    QTest::newRow("empty code matches nothing") << "KZQ1,1.07\r\n,9.99"_ba << QByteArray() << v106 << false
                                                << QByteArray() << false;
    QTest::newRow("empty version in use") << "KZQ1,0.01"_ba << kzq << QByteArray() << true << "0.01"_ba << true;
    QTest::newRow("no line of the product") << "ABC,1.07\r\nXYZ,2.00\r\n"_ba << kzq << v106 << false
                                            << QByteArray() << false;
    QTest::newRow("empty list") << QByteArray() << kzq << v106 << false << QByteArray() << false;
    QTest::newRow("code past the 4096th byte") << QByteArray(4096, ' ') + "KZQ1,1.07"_ba << kzq << v106 << false
                                               << QByteArray() << false;
    QTest::newRow("comma past the 4096th byte")
        << "KZQ1"_ba + QByteArray(4092, ' ') + ",0.01"_ba << kzq << v106 << true << "KZQ1"_ba << true;
    QTest::newRow("Windows-1254 letters") << "\xDEZQ1,\xDE.00"_ba << "\xDEZQ1"_ba << v106 << true << "\xDE.00"_ba
                                          << true;
}

void TestVersionList::verdict()
{
    QFETCH(QByteArray, list);
    QFETCH(QByteArray, code);
    QFETCH(QByteArray, inUse);
    QFETCH(bool, matched);
    QFETCH(QByteArray, found);
    QFETCH(bool, update);
    const auto v = checkVersionList(versionListLines(list), code, inUse);
    QCOMPARE(v.has_value(), matched);
    if (v) {
        QCOMPARE(v->found, found);
        QCOMPARE(v->updateNeeded, update);
    }
}

// The settings reach the list as Windows-1254 bytes, and back.
void TestVersionList::listText()
{
    QCOMPARE(toListText(u"ŞZQ1 İğüı"_s), "\xDEZQ1 \xDD\xF0\xFC\xFD"_ba);
    QCOMPARE(fromListText("\xDE\xDD\xF0\xFE\x80"_ba), u"Şİğş€"_s);
    QCOMPARE(versionInUse(u"s1.06"_s), u"1.06"_s);
    QCOMPARE(versionInUse(u"s"_s), QString());
    QCOMPARE(versionInUse(QString()), QString());
}

void TestVersionList::savePath_data()
{
    QTest::addColumn<QString>("programFolder"); // "<tmp>" stands for a writable temporary folder
    QTest::addColumn<QString>("cacheHome");     // XDG_CACHE_HOME; "<tmp>" likewise
    QTest::addColumn<QString>("expected");      // "<tmp>", "<home>" replaced
    QTest::newRow("writable program folder") << u"<tmp>/bin/"_s << u"<tmp>/cache"_s << u"<tmp>/bin/Vers.kvk"_s;
    // Not writable even for root.
    QTest::newRow("read-only folder: the cache") << u"/proc/self/"_s << u"<tmp>/cache"_s
                                                 << u"<tmp>/cache/kelmora/Vers.kvk"_s;
    // Writable for root, but the package manager's: the cache.
    QTest::newRow("installed program, run as root") << u"/usr/bin/"_s << u"<tmp>/cache"_s
                                                    << u"<tmp>/cache/kelmora/Vers.kvk"_s;
    QTest::newRow("cache home unset") << u"/proc/self/"_s << QString() << u"<home>/.cache/kelmora/Vers.kvk"_s;
    QTest::newRow("relative cache home is ignored") << u"/proc/self/"_s << u"relative/cache"_s
                                                    << u"<home>/.cache/kelmora/Vers.kvk"_s;
}

void TestVersionList::savePath()
{
    QFETCH(QString, programFolder);
    QFETCH(QString, cacheHome);
    QFETCH(QString, expected);
    QTemporaryDir tmp;
    QVERIFY(QDir().mkpath(tmp.filePath(u"bin"_s)));
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldCache = qgetenv("XDG_CACHE_HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    const auto fill = [&](QString s) {
        return s.replace(u"<tmp>"_s, tmp.path()).replace(u"<home>"_s, home.path());
    };
    if (cacheHome.isNull())
        qunsetenv("XDG_CACHE_HOME");
    else
        qputenv("XDG_CACHE_HOME", QFile::encodeName(fill(cacheHome)));
    const QString path = versionListPath(fill(programFolder));
    qputenv("HOME", oldHome);
    qputenv("XDG_CACHE_HOME", oldCache);
    QCOMPARE(path, fill(expected));
    // The folder is there to be written into; nothing is written yet.
    QVERIFY(QFileInfo(QFileInfo(path).path()).isDir());
    QVERIFY(!QFileInfo::exists(path));
}

QTEST_GUILESS_MAIN(TestVersionList)
#include "tst_versionlist.moc"
