// The JPEG decoder's failures: each one reaches the caller as an exception with
// libjpeg's message and leaves nothing allocated behind, also when libjpeg gives
// up in the middle of the lines. libjpeg only fails there on its own trouble
// (memory, its input), never on a file's data, so the test makes it fail there:
// this executable's jpeg_read_scanlines stands in front of libjpeg's and, when
// armed, raises libjpeg's fatal error at a chosen line, as libjpeg itself does.
// Every operator new of the process is counted.

#include "about/JpegImage.h"
#include "base/Exceptions.h"

#include <QFile>
#include <QtTest>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include <dlfcn.h>
#include <jerror.h>
#include <jpeglib.h>

namespace {

std::atomic<long> g_liveAllocations{0};
int g_failAtLine = -1; // -1: libjpeg reads every line itself

} // namespace

void *operator new(std::size_t size)
{
    void *p = std::malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    ++g_liveAllocations;
    return p;
}

void operator delete(void *p) noexcept
{
    if (!p)
        return;
    --g_liveAllocations;
    std::free(p);
}

void operator delete(void *p, std::size_t) noexcept
{
    operator delete(p);
}

JDIMENSION jpeg_read_scanlines(j_decompress_ptr info, JSAMPARRAY lines, JDIMENSION count)
{
    using Read = JDIMENSION (*)(j_decompress_ptr, JSAMPARRAY, JDIMENSION);
    static const auto libjpeg = reinterpret_cast<Read>(dlsym(RTLD_NEXT, "jpeg_read_scanlines"));
    if (g_failAtLine >= 0 && info->output_scanline == JDIMENSION(g_failAtLine)) {
        info->err->msg_code = JERR_INPUT_EOF; // what ERREXIT(info, JERR_INPUT_EOF) does
        (*info->err->error_exit)(reinterpret_cast<j_common_ptr>(info));
    }
    return libjpeg(info, lines, count);
}

using namespace kelmora;
using namespace Qt::StringLiterals;

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Outcome {
    char message[200] = {}; // no allocation of its own while counting
    long leaked = 0;
};

Outcome decode(const QByteArray &bytes)
{
    Outcome out;
    const long before = g_liveAllocations;
    try {
        (void)about::decodeJpeg(bytes);
        std::snprintf(out.message, sizeof out.message, "decoded");
    } catch (const Exception &e) {
        std::snprintf(out.message, sizeof out.message, "%s", e.message().c_str());
    }
    out.leaked = g_liveAllocations - before;
    return out;
}

} // namespace

class TestJpegImage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void failuresLeaveNothingBehind_data();
    void failuresLeaveNothingBehind();
};

void TestJpegImage::initTestCase()
{
    QVERIFY(dlsym(RTLD_NEXT, "jpeg_read_scanlines"));
    // What lives for the whole run (Qt's logging registry, first used by a
    // warning: here the one for the missing end marker) is made before
    // anything is counted.
    const QByteArray good = readFile(QFINDTESTDATA("data/halves.jpg"));
    QVERIFY(good.endsWith("\xFF\xD9"));
    QCOMPARE(about::decodeJpeg(good.chopped(2)).size(), QSize(16, 8));
}

void TestJpegImage::failuresLeaveNothingBehind_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("failAtLine");
    QTest::addColumn<QString>("message");
    const QString data = QFINDTESTDATA("data");
    const QString lost = u"JPEG error: Premature end of input file"_s;
    QTest::newRow("rgb, first line") << data + u"/halves.jpg"_s << 0 << lost;
    QTest::newRow("rgb, last line") << data + u"/halves.jpg"_s << 7 << lost;
    QTest::newRow("grey, a middle line") << data + u"/grey.jpg"_s << 4 << lost;
    QTest::newRow("cmyk, first line") << data + u"/cmyk.jpg"_s << 0 << lost;
    QTest::newRow("cmyk, last line") << data + u"/cmyk.jpg"_s << 7 << lost;
    QTest::newRow("cmyk, read through") << data + u"/cmyk.jpg"_s << -1 << u"decoded"_s;
    QTest::newRow("not a JPEG") << QString() << -1 << u"JPEG error: Not a JPEG file: starts with 0x47 0x49"_s;
}

void TestJpegImage::failuresLeaveNothingBehind()
{
    QFETCH(QString, file);
    QFETCH(int, failAtLine);
    QFETCH(QString, message);
    const QByteArray bytes = file.isEmpty() ? QByteArray("GIF89a not a jpeg at all") : readFile(file);
    QVERIFY(!bytes.isEmpty());
    g_failAtLine = failAtLine;
    const Outcome out = decode(bytes);
    g_failAtLine = -1;
    QCOMPARE(QString::fromUtf8(out.message), message);
    QCOMPARE(out.leaked, 0L);
}

QTEST_APPLESS_MAIN(TestJpegImage)
#include "tst_jpegimage.moc"
