// Pictures in RTF: every \pict is kept with its kind, its words and its bytes
// and written back unchanged; what Qt draws is drawn at the size the words
// give, the rest is framed at that size; hostile pictures are refused or
// framed and reported, never decoded whole.

#include "formats/DocumentIO.h"
#include "formats/rtf/RtfPicture.h"
#include "FormatTestSupport.h"

#include <QTest>
#include <QtEndian>

using namespace Qt::StringLiterals;
using namespace kelmora;
using namespace kelmora::formats;
using namespace kelmora::formats::test;

class TestRtfPictures : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void kindsAndSizes_data();
    void kindsAndSizes();
    void groupWrittenBackAsRead_data();
    void groupWrittenBackAsRead();
    void pictureInALink();
    void hostilePictures_data();
    void hostilePictures();
};

namespace {

quint32 crc32(QByteArrayView data)
{
    quint32 crc = 0xffffffff;
    for (char c : data) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320 & (0u - (crc & 1)));
    }
    return ~crc;
}

// The start of a PNG file claiming width x height pixels: its mark and a
// valid header chunk, no pixels.
QByteArray pngClaiming(quint32 width, quint32 height)
{
    QByteArray chunk("IHDR");
    chunk.resize(4 + 13);
    qToBigEndian(width, chunk.data() + 4);
    qToBigEndian(height, chunk.data() + 8);
    const char rest[] = {8, 2, 0, 0, 0};
    memcpy(chunk.data() + 12, rest, 5);
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QByteArray length(4, '\0'), crc(4, '\0');
    qToBigEndian(quint32(13), length.data());
    qToBigEndian(crc32(chunk), crc.data());
    return png + length + chunk + crc;
}

// A device-independent bitmap: the information header, 24-bit pixels.
QByteArray dib(qint32 width, qint32 height, bool withPixels = true)
{
    QByteArray header(40, '\0');
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    qToLittleEndian<quint32>(40, header.data());
    qToLittleEndian<qint32>(width, header.data() + 4);
    qToLittleEndian<qint32>(height, header.data() + 8);
    qToLittleEndian<quint16>(1, header.data() + 12);
    qToLittleEndian<quint16>(24, header.data() + 14);
    if (!withPixels)
        return header;
    return header + QByteArray(rowBytes * height, '\x7f');
}

} // namespace

void TestRtfPictures::kindsAndSizes_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("picture"); // describePicture
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray png = pictureBytes("PNG", QSize(3, 2));
    const QByteArray jpeg = pictureBytes("JPEG", QSize(4, 4));
    const QByteArray bitmap = dib(2, 2);
    const QByteArray metafile = QByteArray::fromHex("010009000003220000000000");
    const auto pict = [](const char *words, const QByteArray &data) -> QByteArray {
        return QByteArray("{\\rtf1 a{\\pict") + words + '\n' + data.toHex() + "}b}";
    };
    QTest::newRow("png at its goal size")
        << pict("\\pngblip\\picw3\\pich2\\picwgoal600\\pichgoal400", png) << u"png 600x400 twips, %1 bytes, drawn"_s << png;
    QTest::newRow("png scaled")
        << pict("\\pngblip\\picscalex50\\picscaley25\\picwgoal600\\pichgoal400", png)
        << u"png 300x100 twips, %1 bytes, drawn"_s << png;
    QTest::newRow("png at its declared pixels") << pict("\\pngblip\\picw3\\pich2", png)
                                                << u"png 45x30 twips, %1 bytes, drawn"_s << png;
    QTest::newRow("png at its own pixels") << pict("\\pngblip", png) << u"png 45x30 twips, %1 bytes, drawn"_s << png;
    QTest::newRow("png cropped, then scaled")
        << pict("\\pngblip\\picwgoal2000\\pichgoal1000\\piccropl300\\piccropr200\\piccropb100\\picscalex50", png)
        << u"png 750x900 twips, %1 bytes, drawn"_s << png;
    QTest::newRow("jpeg") << pict("\\jpegblip\\picwgoal60\\pichgoal60", jpeg) << u"jpeg 60x60 twips, %1 bytes, drawn"_s
                          << jpeg;
    QTest::newRow("device-independent bitmap") << pict("\\dibitmap0\\picw2\\pich2\\picwgoal300\\pichgoal300", bitmap)
                                               << u"dib 300x300 twips, %1 bytes, drawn"_s << bitmap;
    QTest::newRow("metafile at its declared hundredths of a millimetre")
        << pict("\\wmetafile8\\picw2540\\pich1270", metafile) << u"wmf 1440x720 twips, %1 bytes, framed"_s << metafile;
    QTest::newRow("enhanced metafile at its goal size")
        << pict("\\emfblip\\picw2540\\pich1270\\picwgoal1000\\pichgoal500", metafile)
        << u"emf 1000x500 twips, %1 bytes, framed"_s << metafile;
    QTest::newRow("QuickDraw picture in points") << pict("\\macpict\\picw72\\pich36", metafile)
                                                 << u"pict 1440x720 twips, %1 bytes, framed"_s << metafile;
    QTest::newRow("OS/2 metafile") << pict("\\pmmetafile0\\picwgoal100\\pichgoal100", metafile)
                                   << u"os2 100x100 twips, %1 bytes, framed"_s << metafile;
    QTest::newRow("device-dependent bitmap") << pict("\\wbitmap0\\picw2\\pich2\\picwgoal300\\pichgoal300", bitmap)
                                             << u"ddb 300x300 twips, %1 bytes, framed"_s << bitmap;
    QTest::newRow("no kind, no size: an inch") << pict("", metafile) << u"unknown 1440x1440 twips, %1 bytes, framed"_s
                                               << metafile;
    QTest::newRow("png word on other bytes is framed")
        << pict("\\pngblip\\picwgoal100\\pichgoal100", jpeg) << u"png 100x100 twips, %1 bytes, framed"_s << jpeg;
    QTest::newRow("png bytes under another kind are framed")
        << pict("\\emfblip\\picwgoal100\\pichgoal100", png) << u"emf 100x100 twips, %1 bytes, framed"_s << png;
    QTest::newRow("bitmap header without its pixels is framed")
        << pict("\\dibitmap0\\picwgoal100\\pichgoal100", dib(2, 2, false))
        << u"dib 100x100 twips, %1 bytes, framed"_s << dib(2, 2, false);
    QTest::newRow("data given as binary")
        << QByteArray("{\\rtf1 a{\\pict\\pngblip\\bin" + QByteArray::number(png.size()) + " " + png + "}b}")
        << u"png 45x30 twips, %1 bytes, drawn"_s << png;
    QTest::newRow("the shape picture, not the other alternative")
        << QByteArray("{\\rtf1 a{\\*\\shppict{\\pict{\\*\\picprop{\\sp{\\sn x}{\\sv 1}}}\\jpegblip\\picwgoal60\\pichgoal60 " +
                      jpeg.toHex() + "}}{\\nonshppict{\\pict\\wmetafile8 0102}}b}")
        << u"jpeg 60x60 twips, %1 bytes, drawn"_s << jpeg;
    QTest::newRow("an object's result picture")
        << QByteArray("{\\rtf1 a{\\object\\objemb{\\*\\objclass Paint}{\\*\\objdata 0105}{\\result {\\pict\\wmetafile8"
                      "\\picwgoal1000\\pichgoal500 " + metafile.toHex() + "}}}b}")
        << u"wmf 1000x500 twips, %1 bytes, framed"_s << metafile;
    QTest::newRow("a field's result picture")
        << QByteArray("{\\rtf1 a{\\field{\\*\\fldinst INCLUDEPICTURE x}{\\fldrslt {\\pict\\pngblip " + png.toHex() + "}}}b}")
        << u"png 45x30 twips, %1 bytes, drawn"_s << png;
}

void TestRtfPictures::kindsAndSizes()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, picture);
    QFETCH(QByteArray, bytes);
    RtfReport report;
    const auto doc = readNew(rtf, &report);
    QVERIFY2(!report.malformed, qPrintable(report.problem));
    QCOMPARE(documentText(*doc), u"a\ufffcb"_s);
    const QList<ShownPicture> pictures = picturesOf(*doc);
    QCOMPARE(pictures.size(), 1);
    QCOMPARE(describePicture(pictures.first()), picture.arg(bytes.size()));
    QCOMPARE(pictures.first().picture.data.toHex(), bytes.toHex());

    // Saved and read again, it is the same picture, shown the same.
    const auto again = readNew(toRtf(*doc));
    QCOMPARE(picturesOf(*again), pictures);
}

void TestRtfPictures::groupWrittenBackAsRead_data()
{
    QTest::addColumn<QByteArray>("group");   // as a file holds it
    QTest::addColumn<QByteArray>("written"); // as the writer writes it

    QTest::newRow("Word's enhanced metafile with its properties")
        << QByteArray("{\\pict{\\*\\picprop\\shplid1025{\\sp{\\sn shapeType}{\\sv 75}}{\\sp{\\sn fFlipH}{\\sv 0}}}"
                      "\\picscalex100\\picscaley100\\piccropl0\\piccropr0\\piccropt0\\piccropb0\r\n"
                      "\\picw2540\\pich1270\\picwgoal1440\\pichgoal720\\emfblip\\bliptag-1185623472"
                      "{\\*\\blipuid b9540c0a2b4e7c9b}\r\n0100 0000\r\n6c00}")
        << QByteArray("{\\pict{\\*\\picprop\\shplid1025{\\sp{\\sn shapeType}{\\sv 75}}{\\sp{\\sn fFlipH}{\\sv 0}}}"
                      "\\picscalex100\\picscaley100\\piccropl0\\piccropr0\\piccropt0\\piccropb0"
                      "\\picw2540\\pich1270\\picwgoal1440\\pichgoal720\\emfblip\\bliptag-1185623472"
                      "{\\*\\blipuid b9540c0a2b4e7c9b}\n010000006c00}");
    QTest::newRow("LibreOffice's empty and Unicode values")
        << QByteArray("{\\pict{\\*\\picprop{\\sp{\\sn wzName}{\\sv }}{\\sp{\\sn wzDescription}{\\sv \\u199\\'c7izim 1}}}"
                      "\\wmetafile8\\picw10\\pich10 0102}")
        << QByteArray("{\\pict{\\*\\picprop{\\sp{\\sn wzName}{\\sv}}{\\sp{\\sn wzDescription}{\\sv\\u199 \\'c7izim 1}}}"
                      "\\wmetafile8\\picw10\\pich10\n0102}");
    QTest::newRow("escaped braces and binary inside a property")
        << QByteArray("{\\pict{\\*\\picprop{\\sv a\\{b\\}c\\\\}{\\*\\blob\\bin3 {}x}}\\macpict 0a0b}")
        << QByteArray("{\\pict{\\*\\picprop{\\sv a\\{b\\}c\\\\}{\\*\\blob\\bin3 {}x}}\\macpict\n0a0b}");
    QTest::newRow("binary data becomes hex")
        << QByteArray("{\\pict\\wbitmap0\\picw1\\pich1\\bin2 \x01\xff}") << QByteArray("{\\pict\\wbitmap0\\picw1\\pich1\n01ff}");
    QTest::newRow("a picture inside a picture's properties is the outer one's")
        << QByteArray("{\\pict{\\*\\picprop{\\sp{\\sn fillBlip}{\\sv {\\pict\\pngblip 8950}}}}\\emfblip 0102}")
        << QByteArray("{\\pict{\\*\\picprop{\\sp{\\sn fillBlip}{\\sv{\\pict\\pngblip 8950}}}}\\emfblip\n0102}");
    QTest::newRow("unknown words in their order")
        << QByteArray("{\\pict\\wmetafile8\\picbmp\\picbpp4\\blipupi96\\picw5\\pich5 0102}")
        << QByteArray("{\\pict\\wmetafile8\\picbmp\\picbpp4\\blipupi96\\picw5\\pich5\n0102}");
}

void TestRtfPictures::groupWrittenBackAsRead()
{
    QFETCH(QByteArray, group);
    QFETCH(QByteArray, written);
    RtfReport report;
    const auto doc = readNew("{\\rtf1 " + group + "}", &report);
    QVERIFY2(!report.malformed, qPrintable(report.problem));
    const QByteArray out = toRtf(*doc);
    QVERIFY2(out.contains(written), out.constData());
    // What is written reads as the same picture again.
    QCOMPARE(picturesOf(*readNew(out)), picturesOf(*doc));
}

void TestRtfPictures::pictureInALink()
{
    const QByteArray png = pictureBytes("PNG", QSize(3, 2));
    const auto doc = readNew("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"http://x.example/\"}{\\fldrslt a{\\pict\\pngblip " +
                          png.toHex() + "}b}}c}");
    QCOMPARE(markedLinks(*doc), u"[a\ufffcb](http://x.example/)c"_s);
    const QList<ShownPicture> pictures = picturesOf(*doc);
    QCOMPARE(pictures.size(), 1);
    QVERIFY(pictures.first().link);
    QCOMPARE(pictures.first().link->target, u"http://x.example/"_s);
    const QByteArray out = toRtf(*doc);
    QVERIFY2(out.contains("{\\fldrslt {\\f0\\fs24 a}{\\pict\\pngblip"), out.constData());
    QCOMPARE(markedLinks(*readNew(out)), markedLinks(*doc));
}

void TestRtfPictures::hostilePictures_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("problem"); // empty: none
    QTest::addColumn<QStringList>("pictures");

    const QByteArray png = pictureBytes("PNG", QSize(3, 2));
    const QByteArray huge = pngClaiming(30000, 30000);
    QTest::newRow("png claiming 30000 x 30000 pixels is framed")
        << QByteArray("{\\rtf1 a{\\pict\\pngblip\\picwgoal1440\\pichgoal1440 " + huge.toHex() + "}b}") << u"a\ufffcb"_s
        << u"a picture claims 30000 x 30000 pixels; it is shown as a frame"_s
        << QStringList{u"png 1440x1440 twips, %1 bytes, framed"_s.arg(huge.size())};
    QTest::newRow("bitmap header claiming 30000 x 30000 pixels is framed")
        << QByteArray("{\\rtf1 a{\\pict\\dibitmap0\\picwgoal1440\\pichgoal1440 " + dib(30000, 30000, false).toHex() +
                      "}b}")
        << u"a\ufffcb"_s << u"a picture claims 30000 x 30000 pixels; it is shown as a frame"_s
        << QStringList{u"dib 1440x1440 twips, 40 bytes, framed"_s};
    QTest::newRow("just within the pixel budget is drawn")
        << QByteArray("{\\rtf1 a{\\pict\\pngblip\\picwgoal1440\\pichgoal1440 " + pngClaiming(8000, 4000).toHex() + "}b}")
        << u"a\ufffcb"_s << QString() << QStringList{u"png 1440x1440 twips, 33 bytes, drawn"_s};
    QTest::newRow("absurd scale is capped at 22 inches")
        << QByteArray("{\\rtf1 a{\\pict\\pngblip\\picscalex2147483647\\picscaley-5\\picwgoal1440\\pichgoal400 " +
                      png.toHex() + "}b}")
        << u"a\ufffcb"_s << QString() << QStringList{u"png 31680x4 twips, %1 bytes, drawn"_s.arg(png.size())};
    QTest::newRow("absurd goal is capped at 22 inches")
        << QByteArray("{\\rtf1 a{\\pict\\emfblip\\picwgoal2147483647\\pichgoal2147483647 0102}b}") << u"a\ufffcb"_s
        << QString() << QStringList{u"emf 31680x31680 twips, 2 bytes, framed"_s};
    QTest::newRow("negative sizes fall back to the picture's own")
        << QByteArray("{\\rtf1 a{\\pict\\pngblip\\picw-3\\pich-2\\picwgoal-600\\pichgoal-400 " + png.toHex() + "}b}")
        << u"a\ufffcb"_s << QString() << QStringList{u"png 45x30 twips, %1 bytes, drawn"_s.arg(png.size())};
    QTest::newRow("binary claiming 2 GB runs to the end")
        << QByteArray("{\\rtf1 a{\\pict\\pngblip\\bin2147483647 xyz}b}") << u"a"_s
        << u"\\bin2147483647 runs past the end of the data"_s << QStringList();
    QTest::newRow("more hex than a picture may hold is refused")
        << QByteArray("{\\rtf1 a{\\pict\\wmetafile8 " + QByteArray(2 * RtfPicture::MaxBytes + 2, 'a') + "}b}")
        << u"ab"_s << u"a picture of more than %1 bytes"_s.arg(RtfPicture::MaxBytes) << QStringList();
    QTest::newRow("a picture without bytes is nothing")
        << QByteArray("{\\rtf1 a{\\pict\\wmetafile8\\picw100\\pich100}b}") << u"ab"_s << QString() << QStringList();
    QTest::newRow("cut off inside a picture")
        << QByteArray("{\\rtf1 a{\\pict\\pngblip " + png.toHex().left(10)) << u"a"_s
        << u"the data ends with 2 group(s) open"_s << QStringList();
}

void TestRtfPictures::hostilePictures()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QFETCH(QString, problem);
    QFETCH(QStringList, pictures);
    RtfReport report;
    const auto doc = readNew(rtf, &report);
    QCOMPARE(report.problem, problem);
    QCOMPARE(report.malformed, !problem.isEmpty());
    QCOMPARE(documentText(*doc), text);
    QStringList described;
    for (const ShownPicture &p : picturesOf(*doc))
        described.append(describePicture(p));
    QCOMPARE(described, pictures);
}

QTEST_GUILESS_MAIN(TestRtfPictures)
#include "tst_rtfpictures.moc"
