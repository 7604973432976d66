// Loading and saving files: the error texts, the choice between RTF and plain
// text, and the safe save, which never harms the old file.
//
// The tests run as root in CI, where permission bits alone stop nothing, so
// the failures are produced in ways that hold for root too: a file marked
// read-only (refused by policy), an immutable file, a child process that
// drops to "nobody", a file size limit, and a full tmpfs. Files that cannot
// be replaced by a new one (folders the user may not write, an immutable or
// sticky folder, hard links) are written in place.

#include "formats/DocumentIO.h"
#include "base/Exceptions.h"
#include "FormatTestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>

#include <cstring>
#include <grp.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

using namespace Qt::StringLiterals;
using namespace kelmora;
using namespace kelmora::formats;
using namespace kelmora::formats::test;

class TestFileIo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void loadErrors_data();
    void loadErrors();
    void loadChoosesTheFormat_data();
    void loadChoosesTheFormat();
    void saveCreatesAndReplaces();
    void saveKeepsThePlainTextForm_data();
    void saveKeepsThePlainTextForm();
    void saveKeepsPermissionsAndOwner();
    void saveThroughLink();
    void saveInPlace_data();
    void saveInPlace();
    void saveFailuresKeepTheOldFile_data();
    void saveFailuresKeepTheOldFile();

private:
    // Mounts a 64 KiB tmpfs on dir, undone in cleanup(); false (with the
    // reason in why) where that cannot be done.
    bool mountSmallTmpfs(const QString &dir, QString &why);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_mountPoint;
    QString m_immutable;
};

namespace {

constexpr uid_t Nobody = 65534;

PlainTextForm utf8(LineEnding ending)
{
    PlainTextForm form;
    form.lineEnding = ending;
    return form;
}

QString errorKind(const Exception &e)
{
    if (dynamic_cast<const EFOpenError *>(&e))
        return u"EFOpenError"_s;
    if (dynamic_cast<const EFCreateError *>(&e))
        return u"EFCreateError"_s;
    if (dynamic_cast<const EReadError *>(&e))
        return u"EReadError"_s;
    if (dynamic_cast<const EWriteError *>(&e))
        return u"EWriteError"_s;
    return u"Exception"_s;
}

// Runs body in a forked child, as "nobody" when asked (and possible) and
// under a file size limit when fileLimit >= 0. Returns "ok" or
// "<error class>: <message>".
QString inChild(const std::function<void()> &body, bool asNobody, rlim_t fileLimit = RLIM_INFINITY)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return u"pipe failed"_s;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        QString result = u"ok"_s;
        bool dropped = true;
        if (fileLimit != RLIM_INFINITY) {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{fileLimit, fileLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (asNobody && ::geteuid() == 0)
            dropped = ::setgroups(0, nullptr) == 0 && ::setgid(Nobody) == 0 && ::setuid(Nobody) == 0;
        try {
            if (!dropped)
                result = u"could not become nobody"_s;
            else
                body();
        } catch (const Exception &e) {
            result = errorKind(e) + u": "_s + QString::fromStdString(e.message());
        }
        const QByteArray bytes = result.toUtf8();
        const ssize_t written = ::write(fds[1], bytes.constData(), size_t(bytes.size()));
        ::_exit(written == bytes.size() ? 0 : 1);
    }
    ::close(fds[1]);
    QByteArray out;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0)
        out.append(buffer, n);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return QString::fromUtf8(out);
}

QString caught(const std::function<void()> &body)
{
    try {
        body();
    } catch (const Exception &e) {
        return errorKind(e) + u": "_s + QString::fromStdString(e.message());
    }
    return u"ok"_s;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

bool run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

std::unique_ptr<QTextDocument> bigDocument()
{
    auto doc = newDocument();
    doc->setPlainText(QString(u"Büyük belge satırı, şöyle böyle uzun bir satır.\n"_s).repeated(5000));
    return doc;
}

} // namespace

void TestFileIo::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    // Reachable for the child that runs as nobody.
    QFile::setPermissions(m_dir->path(), QFileDevice::Permissions(0x7777));
}

void TestFileIo::cleanup()
{
    if (!m_immutable.isEmpty())
        run(u"chattr"_s, {u"-i"_s, m_immutable});
    m_immutable.clear();
    if (!m_mountPoint.isEmpty())
        ::umount2(QFile::encodeName(m_mountPoint).constData(), MNT_DETACH);
    m_mountPoint.clear();
    QDir::setCurrent(u"/"_s);
    m_dir.reset();
}

void TestFileIo::loadErrors_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QString>("expected"); // %1 is the absolute path
    QTest::newRow("missing file") << u"missing"_s << u"EFOpenError: Cannot open file \"%1\". No such file or directory"_s;
    QTest::newRow("folder") << u"folder"_s << u"EFOpenError: Cannot open file \"%1\". Is a directory"_s;
    QTest::newRow("unreadable for the user") << u"unreadable"_s
                                             << u"EFOpenError: Cannot open file \"%1\". Permission denied"_s;
    QTest::newRow("relative path reported in full") << u"relative"_s
                                                    << u"EFOpenError: Cannot open file \"%1\". No such file or directory"_s;
}

void TestFileIo::loadErrors()
{
    QFETCH(QString, scenario);
    QFETCH(QString, expected);
    const QString dir = m_dir->path();
    QString path = dir + u"/yok.rtf"_s;
    QString absolute = path;
    bool asNobody = false;
    if (scenario == u"folder") {
        QVERIFY(QDir(dir).mkdir(u"klasör"_s));
        path = absolute = dir + u"/klasör"_s;
    } else if (scenario == u"unreadable") {
        writeFile(path, "{\\rtf1 gizli}");
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        asNobody = true;
    } else if (scenario == u"relative") {
        QVERIFY(QDir::setCurrent(dir));
        path = u"yok.rtf"_s;
    }
    auto doc = newDocument();
    doc->setPlainText(u"eski"_s);
    const auto load = [&] { (void)loadFile(*doc, path, false); };
    const QString result = asNobody ? inChild(load, true) : caught(load);
    QCOMPARE(result, expected.arg(absolute));
    QCOMPARE(doc->toPlainText(), u"eski"_s);
}

void TestFileIo::loadChoosesTheFormat_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("plainText");
    QTest::addColumn<bool>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("ending");

    const int crlf = int(LineEnding::CRLF);
    QTest::newRow("RTF") << QByteArray("{\\rtf1\\ansi\\ansicpg1254 \\b \\'fd\\par}") << false << true << u"ı"_s << crlf;
    QTest::newRow("RTF read as plain text on request")
        << QByteArray("{\\rtf1 a}\n") << true << false << u"{\\rtf1 a}\n"_s << int(LineEnding::LF);
    QTest::newRow("not RTF: plain text from the start")
        << QByteArray("{\\rtx1 ş}\r\nb") << false << false << u"{\\rtx1 ş}\nb"_s << crlf;
    QTest::newRow("empty file") << QByteArray() << false << false << u""_s << crlf;
}

void TestFileIo::loadChoosesTheFormat()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, plainText);
    QFETCH(bool, rtf);
    QFETCH(QString, text);
    QFETCH(int, ending);
    const QString path = m_dir->path() + u"/belge"_s;
    writeFile(path, content);
    auto doc = newDocument();
    const LoadResult r = loadFile(*doc, path, plainText);
    QCOMPARE(r.rtf, rtf);
    QCOMPARE(int(r.plainText.lineEnding), ending);
    QCOMPARE(documentText(*doc), text);
    QVERIFY(!doc->isModified());
    if (rtf)
        QCOMPARE(formatAt(*doc, 0, 0).fontWeight(), int(QFont::Bold));
}

void TestFileIo::saveCreatesAndReplaces()
{
    const QString path = m_dir->path() + u"/yeni.rtf"_s;
    auto doc = newDocument();
    doc->setPlainText(u"birinci"_s);
    const mode_t mask = ::umask(027);
    saveFile(*doc, path, false, {});
    ::umask(mask);
    struct stat st {};
    QVERIFY(::stat(QFile::encodeName(path).constData(), &st) == 0);
    QCOMPARE(st.st_mode & 0777, mode_t(0640));
    auto back = newDocument();
    QVERIFY(loadFile(*back, path, false).rtf);
    QCOMPARE(documentText(*back), u"birinci"_s);

    doc->setPlainText(u"ikinci\nsatır"_s);
    saveFile(*doc, path, true, utf8(LineEnding::LF));
    QCOMPARE(readAll(path), QByteArray("ikinci\nsatır"));
    // Nothing else is left in the folder.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{u"yeni.rtf"_s});
}

void TestFileIo::saveKeepsThePlainTextForm_data()
{
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<QString>("typed"); // at the end
    QTest::addColumn<QByteArray>("saved");

    QTest::newRow("Windows-1254, every character fits")
        << QByteArray("\xc7" "ay\r\n\xfe" "eker") << u" ve \u0130\u011f\u0131r"_s << QByteArray("\xc7" "ay\r\n\xfe" "eker ve \xdd\xf0\xfdr");
    QTest::newRow("Windows-1254 with a character it lacks becomes UTF-8")
        << QByteArray("\xc7" "ay\r\n\xfe" "eker") << u" ve \u03c0"_s << QByteArray("Çay\r\nşeker ve π");
    QTest::newRow("UTF-8 with a byte order mark keeps it")
        << QByteArray("\xef\xbb\xbf\xc3\x87" "ay\n") << u"!"_s << QByteArray("\xef\xbb\xbf\xc3\x87" "ay\n!");
    QTest::newRow("UTF-8 without a mark gets none") << QByteArray("a\rb") << u"\u0131"_s << QByteArray("a\rb\xc4\xb1");
}

void TestFileIo::saveKeepsThePlainTextForm()
{
    QFETCH(QByteArray, old);
    QFETCH(QString, typed);
    QFETCH(QByteArray, saved);
    const QString path = m_dir->path() + u"/eski.txt"_s;
    writeFile(path, old);
    auto doc = newDocument();
    const LoadResult loaded = loadFile(*doc, path, false);
    QTextCursor c(doc.get());
    c.movePosition(QTextCursor::End);
    c.insertText(typed);
    saveFile(*doc, path, true, loaded.plainText);
    QCOMPARE(readAll(path), saved);
}

void TestFileIo::saveKeepsPermissionsAndOwner()
{
    const QString path = m_dir->path() + u"/izinli.txt"_s;
    writeFile(path, "eski");
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0640) == 0);
    const bool root = ::geteuid() == 0;
    if (root)
        QVERIFY(::chown(QFile::encodeName(path).constData(), Nobody, Nobody) == 0);
    auto doc = newDocument();
    doc->setPlainText(u"yeni"_s);
    saveFile(*doc, path, true, {});
    struct stat st {};
    QVERIFY(::stat(QFile::encodeName(path).constData(), &st) == 0);
    QCOMPARE(st.st_mode & 07777, mode_t(0640));
    if (root)
        QCOMPARE(st.st_uid, Nobody);
    QCOMPARE(readAll(path), QByteArray("yeni"));
}

void TestFileIo::saveThroughLink()
{
    const QString target = m_dir->path() + u"/asıl.txt"_s;
    const QString link = m_dir->path() + u"/bağ.txt"_s;
    writeFile(target, "eski");
    QVERIFY(QFile::link(target, link));
    auto doc = newDocument();
    doc->setPlainText(u"yeni"_s);
    saveFile(*doc, link, true, {});
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(readAll(target), QByteArray("yeni"));
}

bool TestFileIo::mountSmallTmpfs(const QString &dir, QString &why)
{
    if (::geteuid() != 0) {
        why = u"the full-disk case mounts a small tmpfs, which needs root"_s;
        return false;
    }
    if (::mount("tmpfs", QFile::encodeName(dir).constData(), "tmpfs", 0, "size=64k") != 0) {
        why = u"cannot mount a small tmpfs for the full-disk case: "_s + QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    m_mountPoint = dir;
    return true;
}

void TestFileIo::saveInPlace_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<bool>("shorter"); // the new content is shorter than the old

    // A file the user may write in a folder they may not: the safe save's
    // temporary file cannot be made there.
    QTest::newRow("folder the user may not write") << u"folder"_s << false;
    QTest::newRow("folder the user may not write, shorter text") << u"folder"_s << true;
    // The same for root: nothing may be created in an immutable folder, but
    // its files may be written.
    QTest::newRow("immutable folder") << u"immutable folder"_s << true;
    // Another user's file the user may write, in a sticky folder: it may not
    // be renamed over.
    QTest::newRow("sticky folder, another user's file") << u"sticky"_s << false;
    // Other names share the file and see the new text.
    QTest::newRow("hard-linked file") << u"linked"_s << false;
    QTest::newRow("hard-linked file, shorter text") << u"linked"_s << true;
}

void TestFileIo::saveInPlace()
{
    QFETCH(QString, scenario);
    QFETCH(bool, shorter);
    const QString dir = m_dir->path() + u"/paylaşım"_s;
    QVERIFY(QDir().mkdir(dir));
    const QString path = dir + u"/belge.txt"_s;
    const QString link = m_dir->path() + u"/öteki ad.txt"_s;
    const QByteArray native = QFile::encodeName(path);
    const QByteArray nativeDir = QFile::encodeName(dir);
    writeFile(path, QByteArray(shorter ? 20000 : 10, 'e'));
    QVERIFY(::chmod(native.constData(), 0666) == 0);
    bool asNobody = false;
    if (scenario == u"folder") {
        QVERIFY(::chmod(nativeDir.constData(), 0555) == 0);
        asNobody = true;
    } else if (scenario == u"immutable folder") {
        if (!run(u"chattr"_s, {u"+i"_s, dir}))
            QSKIP("chattr +i does not work on this file system");
        m_immutable = dir;
    } else if (scenario == u"sticky") {
        QVERIFY(::chmod(nativeDir.constData(), 01777) == 0);
        asNobody = true;
    } else if (scenario == u"linked") {
        QVERIFY(::link(native.constData(), QFile::encodeName(link).constData()) == 0);
    }
    if (asNobody && ::geteuid() != 0)
        QSKIP("these cases drop to the user nobody, which needs root");
    struct stat before {};
    QVERIFY(::stat(native.constData(), &before) == 0);

    auto doc = newDocument();
    doc->setPlainText(u"yeni metin\nikinci satır"_s);
    const auto save = [&] { saveFile(*doc, path, true, utf8(LineEnding::LF)); };
    QCOMPARE(asNobody ? inChild(save, true) : caught(save), u"ok"_s);

    const QByteArray written = "yeni metin\nikinci satır";
    QCOMPARE(readAll(path), written);
    struct stat after {};
    QVERIFY(::stat(native.constData(), &after) == 0);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(after.st_mode, before.st_mode);
    QCOMPARE(after.st_uid, before.st_uid);
    if (scenario == u"linked")
        QCOMPARE(readAll(link), written);
    QCOMPARE(QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{u"belge.txt"_s});
    ::chmod(nativeDir.constData(), 0777);
}

void TestFileIo::saveFailuresKeepTheOldFile_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QString>("expected"); // %1 is the absolute path

    const QString denied = u"EFCreateError: Cannot create file \"%1\". Permission denied"_s;
    QTest::newRow("file marked read-only") << u"readonly"_s << denied;
    QTest::newRow("immutable file") << u"immutable"_s
                                    << u"EFCreateError: Cannot create file \"%1\". Operation not permitted"_s;
    QTest::newRow("file the user may not write") << u"notmine"_s << denied;
    QTest::newRow("new file in a folder the user may not write") << u"newinfolder"_s << denied;
    QTest::newRow("unreadable file in a folder the user may not write") << u"writeonly"_s << denied;
    QTest::newRow("target is a folder") << u"isfolder"_s << u"EFCreateError: Cannot create file \"%1\". Is a directory"_s;
    QTest::newRow("missing folder") << u"nofolder"_s
                                    << u"EFCreateError: Cannot create file \"%1\". No such file or directory"_s;
    QTest::newRow("write fails halfway") << u"limit"_s << u"EWriteError: Failed to Save Stream"_s;
    QTest::newRow("disk full") << u"full"_s << u"EWriteError: Failed to Save Stream"_s;
    QTest::newRow("hard-linked file, write fails halfway") << u"linked limit"_s << u"EWriteError: Failed to Save Stream"_s;
    QTest::newRow("hard-linked file, disk full") << u"linked full"_s << u"EWriteError: Failed to Save Stream"_s;
}

void TestFileIo::saveFailuresKeepTheOldFile()
{
    QFETCH(QString, scenario);
    QFETCH(QString, expected);
    QString dir = m_dir->path() + u"/klasör"_s;
    QVERIFY(QDir().mkdir(dir));
    QString path = dir + u"/belge.rtf"_s;
    const QByteArray old = "{\\rtf1 eski belge, \\'fe\\'fd\\par}\n";
    bool asNobody = false;
    rlim_t limit = RLIM_INFINITY;
    const QByteArray native = QFile::encodeName(path);
    QString why;
    if (scenario.endsWith(u"full") && !mountSmallTmpfs(dir, why))
        QSKIP(qPrintable(why));
    const bool keepsOld = scenario != u"nofolder" && scenario != u"isfolder" && scenario != u"newinfolder";
    if (keepsOld)
        writeFile(path, old);
    // A second name for the file: it is rewritten in place, not replaced.
    const QString link = dir + u"/bağ.rtf"_s;
    if (scenario.startsWith(u"linked"))
        QVERIFY(::link(native.constData(), QFile::encodeName(link).constData()) == 0);
    if (scenario == u"readonly") {
        QVERIFY(::chmod(native.constData(), 0444) == 0);
    } else if (scenario == u"immutable") {
        if (!run(u"chattr"_s, {u"+i"_s, path}))
            QSKIP("chattr +i does not work on this file system");
        m_immutable = path;
    } else if (scenario == u"notmine") {
        QVERIFY(::chmod(native.constData(), 0644) == 0);
        asNobody = true;
    } else if (scenario == u"newinfolder") {
        path = dir + u"/yeni.rtf"_s;
        QVERIFY(::chmod(QFile::encodeName(dir).constData(), 0555) == 0);
        asNobody = true;
    } else if (scenario == u"writeonly") {
        // Written in place, but without reading it first its content could not be restored.
        QVERIFY(::chmod(native.constData(), 0222) == 0);
        QVERIFY(::chmod(QFile::encodeName(dir).constData(), 0555) == 0);
        asNobody = true;
    } else if (scenario == u"isfolder") {
        QVERIFY(QDir().mkdir(path));
    } else if (scenario == u"nofolder") {
        path = dir + u"/yok/belge.rtf"_s;
    } else if (scenario.endsWith(u"limit")) {
        limit = 4096;
    }
    const QStringList before = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    const auto doc = bigDocument();
    const auto save = [&] { saveFile(*doc, path, false, {}); };
    const QString result = (asNobody || limit != RLIM_INFINITY) ? inChild(save, asNobody, limit) : caught(save);
    QCOMPARE(result, expected.contains(u"%1"_s) ? expected.arg(path) : expected);
    if (keepsOld)
        QCOMPARE(readAll(path), old);
    if (scenario.startsWith(u"linked"))
        QCOMPARE(readAll(link), old);
    if (scenario == u"writeonly")
        QVERIFY(::chmod(native.constData(), 0644) == 0 && readAll(path) == old);
    // No temporary file is left behind.
    QCOMPARE(QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
    ::chmod(QFile::encodeName(dir).constData(), 0777);
}

QTEST_GUILESS_MAIN(TestFileIo)
#include "tst_fileio.moc"
