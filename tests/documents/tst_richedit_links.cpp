// Links and pictures on the editing surface, as a user meets them: typing at
// a link's edges, clicking a link, and copy and paste of links and pictures
// inside the program, with real keys and clicks.

#include "documents/RichEdit.h"
#include "FormatTestSupport.h"
#include "formats/DocumentIO.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

using namespace kelmora;
using namespace kelmora::formats::test;
using namespace Qt::StringLiterals;

class TestRichEditLinks : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typingAtALink_data();
    void typingAtALink();
    void clickOnALinkPlacesTheCaret();
    void copyAndPasteKeepLinksAndPictures();
    void pasteIntoAnotherDocumentKeepsPictureBytes();

private:
    void load(TRichEdit &e, const QByteArray &body);
    QTemporaryDir m_dir;
};

namespace {

const QByteArray Link = R"({\field{\*\fldinst HYPERLINK "http://x.example/"}{\fldrslt {\ul\cf1 link}}})";

QString lookAt(TRichEdit &e, int position)
{
    QTextCursor c(e.document());
    c.setPosition(position + 1);
    const QTextCharFormat f = c.charFormat();
    const model::FontStyles s = model::stylesOf(f);
    return u"b=%1 u=%2 colour=%3"_s.arg(int(s.testFlag(model::FontStyle::Bold)))
        .arg(int(s.testFlag(model::FontStyle::Underline)))
        .arg(colourOf(f));
}

} // namespace

void TestRichEditLinks::load(TRichEdit &e, const QByteArray &body)
{
    QVERIFY(m_dir.isValid());
    const QString path = m_dir.filePath(u"belge.rtf"_s);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(R"({\rtf1\ansi\ansicpg1254\deff0{\fonttbl{\f0 Arial;}}{\colortbl;\red0\green0\blue255;\red255\green0\blue0;})" +
            body + "}");
    f.close();
    e.LoadFromFile(path);
}

void TestRichEditLinks::typingAtALink_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("caret");     // placed by a click just before it
    QTest::addColumn<QString>("keys");  // after the click: Left, Right, Enter, End
    QTest::addColumn<QString>("result"); // linked text marked [text](target)
    QTest::addColumn<QString>("typed");  // the look of the typed X

    QTest::newRow("at a link's end, text before and after")
        << QByteArray("a " + Link + " b") << 6 << QString() << u"a [link](http://x.example/)X b"_s << u"b=0 u=0 colour=auto"_s;
    QTest::newRow("inside a link") << QByteArray("a " + Link + " b") << 4 << QString() << u"a [liXnk](http://x.example/) b"_s
                                   << u"b=0 u=1 colour=#0000ff"_s;
    QTest::newRow("at a link's start") << QByteArray("{\\cf2 a }" + Link + " b") << 2 << QString()
                                       << u"a X[link](http://x.example/) b"_s << u"b=0 u=0 colour=#ff0000"_s;
    QTest::newRow("after red text, the link's end takes the red")
        << QByteArray("{\\cf2 a }" + Link + " b") << 6 << QString() << u"a [link](http://x.example/)X b"_s
        << u"b=0 u=0 colour=#ff0000"_s;
    QTest::newRow("a link that starts its paragraph keeps its face and weight, not its look")
        << QByteArray(R"({\field{\*\fldinst HYPERLINK "http://x.example/"}{\fldrslt {\b\ul\cf1 link}}} b)") << 4 << QString()
        << u"[link](http://x.example/)X b"_s << u"b=1 u=0 colour=auto"_s;
    QTest::newRow("at the end of a paragraph ending in a link")
        << QByteArray("a " + Link) << 5 << u"End"_s << u"a [link](http://x.example/)X"_s << u"b=0 u=0 colour=auto"_s;
    QTest::newRow("reached with the arrow keys") << QByteArray("a " + Link + " b") << 7 << u"Left"_s
                                                << u"a [link](http://x.example/)X b"_s << u"b=0 u=0 colour=auto"_s;
    QTest::newRow("a new paragraph after a link")
        << QByteArray("a " + Link) << 5 << u"End Enter"_s << u"a [link](http://x.example/)\nX"_s << u"b=0 u=0 colour=auto"_s;
}

void TestRichEditLinks::typingAtALink()
{
    QFETCH(QByteArray, body);
    QFETCH(int, caret);
    QFETCH(QString, keys);
    QFETCH(QString, result);
    QFETCH(QString, typed);
    TRichEdit e;
    e.resize(600, 300);
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    load(e, body);
    // A click just left of the boundary before caret puts the caret there.
    QTextCursor at(e.document());
    at.setPosition(caret);
    const QRect r = e.cursorRect(at);
    QTest::mouseClick(e.viewport(), Qt::LeftButton, {}, QPoint(r.left() - 1, r.center().y()));
    QCOMPARE(e.textCursor().position(), caret);
    for (const QString &key : keys.split(u' ', Qt::SkipEmptyParts)) {
        const Qt::Key k = key == u"Left" ? Qt::Key_Left : key == u"End" ? Qt::Key_End : Qt::Key_Return;
        QTest::keyClick(&e, k);
    }
    QTest::keyClicks(&e, u"X"_s);
    QCOMPARE(markedLinks(*e.document()), result);
    const int x = e.document()->toPlainText().indexOf(u'X');
    QCOMPARE(lookAt(e, x), typed);
}

// Clicking a link moves the caret into its text, like any click; the
// pointer over it stays the text pointer, as nothing there opens a link.
void TestRichEditLinks::clickOnALinkPlacesTheCaret()
{
    TRichEdit e;
    e.resize(600, 300);
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    load(e, QByteArray("a " + Link + " b"));
    QTextCursor at(e.document());
    at.setPosition(4);
    const QPoint inLink(e.cursorRect(at).left() - 1, e.cursorRect(at).center().y());
    QCOMPARE(e.anchorAt(inLink), u"http://x.example/"_s);
    QTest::mouseMove(e.viewport(), inLink);
    QTest::mouseClick(e.viewport(), Qt::LeftButton, {}, inLink);
    QCOMPARE(e.textCursor().position(), 4);
    QCOMPARE(e.viewport()->cursor().shape(), Qt::IBeamCursor);
    QVERIFY(!e.Modified());
    QTest::keyClicks(&e, u"X"_s);
    QCOMPARE(markedLinks(*e.document()), u"a [liXnk](http://x.example/) b"_s);
}

void TestRichEditLinks::copyAndPasteKeepLinksAndPictures()
{
    const QByteArray png = pictureBytes("PNG", QSize(3, 2));
    TRichEdit e;
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    load(e, QByteArray("a " + Link + " {\\pict\\pngblip\\picwgoal600\\pichgoal400 " + png.toHex() +
                "}{\\pict{\\*\\picprop{\\sp{\\sn x}{\\sv 1}}}\\wmetafile8\\picw2540\\pich1270 0100090000}\\par"));
    const QList<ShownPicture> before = picturesOf(*e.document());
    QCOMPARE(before.size(), 2);
    QTest::keyClick(&e, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&e, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(&e, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(&e, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(markedLinks(*e.document()), u"a [link](http://x.example/) \ufffc\ufffca [link](http://x.example/) \ufffc\ufffc"_s);
    QCOMPARE(picturesOf(*e.document()), before + before);
    // And a save keeps all four.
    auto saved = newDocument();
    QVERIFY(!formats::readRtf(*saved, formats::toRtf(*e.document())).malformed);
    QCOMPARE(picturesOf(*saved), before + before);
}

void TestRichEditLinks::pasteIntoAnotherDocumentKeepsPictureBytes()
{
    const QByteArray jpeg = pictureBytes("JPEG", QSize(4, 4));
    TRichEdit from;
    load(from, QByteArray("{\\pict\\jpegblip\\bliptag7\\picwgoal60\\pichgoal60 " + jpeg.toHex() + "}"));
    from.selectAll();
    from.copy();
    TRichEdit to;
    to.paste();
    const QList<ShownPicture> pasted = picturesOf(*to.document());
    QCOMPARE(pasted.size(), 1);
    QCOMPARE(pasted.first().picture.data.toHex(), jpeg.toHex());
    QCOMPARE(pasted.first(), picturesOf(*from.document()).first());
    const QByteArray written = formats::toRtf(*to.document());
    const QByteArray group = "{\\pict\\jpegblip\\bliptag7\\picwgoal60\\pichgoal60\n" + jpeg.toHex().left(128);
    QVERIFY2(written.contains(group), written.constData());
}

QTEST_MAIN(TestRichEditLinks)
#include "tst_richedit_links.moc"
