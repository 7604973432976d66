// Plain text: UTF-8 when valid (BOM dropped) else Windows-1254, every line
// ending ends a paragraph, and writing gives back the encoding, byte order
// mark and line ending the file was read with, Windows-1254 only while every
// character fits.

#include "formats/DocumentIO.h"
#include "FormatTestSupport.h"

#include <QTest>
#include <QTextCursor>
#include <QTextImageFormat>

using namespace Qt::StringLiterals;
using namespace kelmora;
using namespace kelmora::formats;
using namespace kelmora::formats::test;

Q_DECLARE_METATYPE(kelmora::formats::LineEnding)
Q_DECLARE_METATYPE(kelmora::formats::TextEncoding)

class TestPlainText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void read_data();
    void read();
    void write_data();
    void write();
    void formFound_data();
    void formFound();
    void windows1254KeptWhileEveryCharacterFits_data();
    void windows1254KeptWhileEveryCharacterFits();
    void bytesSurviveReadAndWrite_data();
    void bytesSurviveReadAndWrite();
    void turkishSurvivesEveryPath();
    void loadingClearsUndoAndModified();
};

void TestPlainText::read_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("paragraphs");
    QTest::addColumn<LineEnding>("ending");

    QTest::newRow("empty") << QByteArray() << QStringList{u""_s} << LineEnding::CRLF;
    QTest::newRow("one line, no ending") << QByteArray("abc") << QStringList{u"abc"_s} << LineEnding::CRLF;
    QTest::newRow("LF") << QByteArray("a\nb") << QStringList{u"a"_s, u"b"_s} << LineEnding::LF;
    QTest::newRow("CRLF") << QByteArray("a\r\nb") << QStringList{u"a"_s, u"b"_s} << LineEnding::CRLF;
    QTest::newRow("CR") << QByteArray("a\rb") << QStringList{u"a"_s, u"b"_s} << LineEnding::CR;
    QTest::newRow("mixed: each ends a paragraph, the first one counts")
        << QByteArray("a\rb\nc\r\nd") << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s} << LineEnding::CR;
    QTest::newRow("CR CR LF is two paragraph ends")
        << QByteArray("a\r\r\nb") << QStringList{u"a"_s, u""_s, u"b"_s} << LineEnding::CR;
    QTest::newRow("final line ending leaves an empty paragraph")
        << QByteArray("a\n") << QStringList{u"a"_s, u""_s} << LineEnding::LF;
    QTest::newRow("UTF-8") << QByteArray("ığüşöç İĞÜŞÖÇ") << QStringList{u"ığüşöç İĞÜŞÖÇ"_s} << LineEnding::CRLF;
    QTest::newRow("UTF-8 BOM dropped")
        << QByteArray("\xef\xbb\xbf" "Şu\r\n") << QStringList{u"Şu"_s, u""_s} << LineEnding::CRLF;
    QTest::newRow("UTF-8 four-byte characters") << QByteArray("\xf0\x9f\x98\x80") << QStringList{u"😀"_s}
                                                << LineEnding::CRLF;
    QTest::newRow("UTF-8 of every length")
        << QByteArray("a\xc3\xa9\xdf\xbf\xe0\xa0\x80\xe2\x82\xac\xef\xbf\xbd\xf0\x90\x80\x80\xf4\x8f\xbf\xbfz")
        << QStringList{u"a\u00e9\u07ff\u0800\u20ac\ufffd\U00010000\U0010ffffz"_s} << LineEnding::CRLF;
    QTest::newRow("long ASCII runs around letters")
        << QByteArray("abcdefghijklmnopq\xc4\xb1rstuvwxyz0123456789\xc5\x9f")
        << QStringList{u"abcdefghijklmnopqırstuvwxyz0123456789ş"_s} << LineEnding::CRLF;
    QTest::newRow("Windows-1254") << QByteArray("\xfd\xf0\xfc\xfe\xf6\xe7 \xdd\xd0\xdc\xde\xd6\xc7\n")
                                  << QStringList{u"ığüşöç İĞÜŞÖÇ"_s, u""_s} << LineEnding::LF;
    QTest::newRow("one bad sequence makes the whole file 1254")
        << QByteArray("\xc4\x9f \xfd") << QStringList{u"Ä\u0178 ı"_s} << LineEnding::CRLF;
    QTest::newRow("overlong UTF-8 is not UTF-8") << QByteArray("\xc0\xaf") << QStringList{u"À\u00af"_s}
                                                << LineEnding::CRLF;
    QTest::newRow("encoded surrogate is not UTF-8")
        << QByteArray("\xed\xa0\x80") << QStringList{u"í\u00a0€"_s} << LineEnding::CRLF;
    QTest::newRow("bytes 1254 leaves undefined") << QByteArray("\x81\x8d") << QStringList{u"\u0081\u008d"_s}
                                                 << LineEnding::CRLF;
    QTest::newRow("RTF-looking text is text here") << QByteArray("{\\rtf1 x}") << QStringList{u"{\\rtf1 x}"_s}
                                                   << LineEnding::CRLF;
}

void TestPlainText::read()
{
    QFETCH(QByteArray, data);
    QFETCH(QStringList, paragraphs);
    QFETCH(LineEnding, ending);
    auto doc = newDocument();
    QCOMPARE(readPlainText(*doc, data).lineEnding, ending);
    QCOMPARE(paragraphTexts(*doc), paragraphs);
}

void TestPlainText::write_data()
{
    QTest::addColumn<QString>("text"); // inserted with QTextCursor
    QTest::addColumn<LineEnding>("ending");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("LF") << u"a\nb"_s << LineEnding::LF << QByteArray("a\nb");
    QTest::newRow("CRLF") << u"a\nb\n"_s << LineEnding::CRLF << QByteArray("a\r\nb\r\n");
    QTest::newRow("CR") << u"a\n\nb"_s << LineEnding::CR << QByteArray("a\r\rb");
    QTest::newRow("line break inside a paragraph") << u"a\u2028b"_s << LineEnding::LF << QByteArray("a\nb");
    QTest::newRow("UTF-8 without BOM") << u"ığ😀"_s << LineEnding::LF << QByteArray("ığ😀");
    QTest::newRow("no-break space and tab kept") << u"a\u00a0b\tc"_s << LineEnding::LF << QByteArray("a\xc2\xa0" "b\tc");
    QTest::newRow("empty") << u""_s << LineEnding::CRLF << QByteArray();
    QTest::newRow("text starting with U+FEFF gets a BOM before it")
        << u"\ufeffa"_s << LineEnding::LF << QByteArray("\xef\xbb\xbf\xef\xbb\xbf" "a");
    QTest::newRow("U+FEFF after a picture mark too")
        << u"\ufffc\ufeff"_s << LineEnding::LF << QByteArray("\xef\xbb\xbf\xef\xbb\xbf");
    QTest::newRow("U+FEFF later needs no BOM") << u"a\ufeff"_s << LineEnding::LF << QByteArray("a\xef\xbb\xbf");
}

void TestPlainText::write()
{
    QFETCH(QString, text);
    QFETCH(LineEnding, ending);
    QFETCH(QByteArray, bytes);
    auto doc = newDocument();
    QTextCursor(doc.get()).insertText(text);
    QCOMPARE(toPlainText(*doc, ending), bytes);
}

void TestPlainText::formFound_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<bool>("byteOrderMark");

    QTest::newRow("empty") << QByteArray() << TextEncoding::Utf8 << false;
    QTest::newRow("ASCII") << QByteArray("abc\r\n") << TextEncoding::Utf8 << false;
    QTest::newRow("UTF-8") << QByteArray("şu") << TextEncoding::Utf8 << false;
    QTest::newRow("UTF-8 with a byte order mark") << QByteArray("\xef\xbb\xbfşu") << TextEncoding::Utf8 << true;
    QTest::newRow("Windows-1254") << QByteArray("\xfeu") << TextEncoding::Windows1254 << false;
    QTest::newRow("a mark before bytes that are not UTF-8 is 1254 text too")
        << QByteArray("\xef\xbb\xbf\xfeu") << TextEncoding::Windows1254 << false;
}

void TestPlainText::formFound()
{
    QFETCH(QByteArray, data);
    QFETCH(TextEncoding, encoding);
    QFETCH(bool, byteOrderMark);
    auto doc = newDocument();
    const PlainTextForm form = readPlainText(*doc, data);
    QCOMPARE(form.encoding, encoding);
    QCOMPARE(form.byteOrderMark, byteOrderMark);
}

void TestPlainText::windows1254KeptWhileEveryCharacterFits_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("written");

    // The file holds "\xfe\xf6len" (şölen), CR LF, "son"; the user types at its end.
    QTest::newRow("Turkish letters fit")
        << u" İĞı"_s << QByteArray("\xfe\xf6len\r\nson \xdd\xd0\xfd");
    QTest::newRow("the page's punctuation and euro sign fit")
        << u"“€”…"_s << QByteArray("\xfe\xf6len\r\nson\x93\x80\x94\x85");
    QTest::newRow("a line break is the line ending") << u"\u2028x"_s << QByteArray("\xfe\xf6len\r\nson\r\nx");
    QTest::newRow("Greek does not fit: all UTF-8") << u" α"_s << QByteArray("şölen\r\nson α");
    QTest::newRow("a letter 1254 lacks (Icelandic eth)") << u"ð"_s << QByteArray("şölen\r\nsonð");
    QTest::newRow("an emoji does not fit") << u"😀"_s << QByteArray("şölen\r\nson😀");
}

void TestPlainText::windows1254KeptWhileEveryCharacterFits()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, written);
    auto doc = newDocument();
    const PlainTextForm form = readPlainText(*doc, "\xfe\xf6len\r\nson");
    QCOMPARE(form.encoding, TextEncoding::Windows1254);
    QTextCursor c(doc.get());
    c.movePosition(QTextCursor::End);
    c.insertText(typed);
    QCOMPARE(toPlainText(*doc, form), written);
}

void TestPlainText::bytesSurviveReadAndWrite_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("LF") << QByteArray("Merhaba dünya\nikinci satır\n\nson");
    QTest::newRow("CRLF") << QByteArray("Merhaba dünya\r\nikinci satır\r\n");
    QTest::newRow("CR") << QByteArray("Merhaba\rdünya\r");
    QTest::newRow("long line") << QByteArray(QByteArray(100000, 'x') + "ş");
    QTest::newRow("many lines") << QByteArray("satır\n").repeated(20000);
    QTest::newRow("a zero-width no-break space first") << QByteArray("\xef\xbb\xbf\xef\xbb\xbf" "a\n");
    QTest::newRow("UTF-8 keeps its byte order mark") << QByteArray("\xef\xbb\xbf" "Merhaba dünya\r\nson");
    QTest::newRow("only a byte order mark") << QByteArray("\xef\xbb\xbf");
    QTest::newRow("Windows-1254 stays Windows-1254")
        << QByteArray("\xdd\xfeyeri \xe7\xf0\xfd\xf6\xfe\xfc \x80\x85\x93\x94\r\n\r\nson\r\n");
    QTest::newRow("Windows-1254 bytes the page leaves undefined")
        << QByteArray("\xfe\x81\x8d\x8e\x8f\x90\x9d\x9e\n");
}

void TestPlainText::bytesSurviveReadAndWrite()
{
    QFETCH(QByteArray, data);
    auto doc = newDocument();
    const PlainTextForm form = readPlainText(*doc, data);
    QCOMPARE(toPlainText(*doc, form), data);
}

void TestPlainText::turkishSurvivesEveryPath()
{
    const QString turkish = u"Iğdır'da ışıklı şölen: ÇĞİÖŞÜ çğıöşü"_s;
    auto doc = newDocument();
    readPlainText(*doc, QByteArray("I\xf0" "d\xfdr'da \xfd\xfe\xfdkl\xfd \xfe\xf6len: \xc7\xd0\xdd\xd6\xde\xdc \xe7\xf0\xfd\xf6\xfe\xfc"));
    QCOMPARE(documentText(*doc), turkish);
    // 1254 in, UTF-8 out when asked for UTF-8.
    QCOMPARE(toPlainText(*doc, LineEnding::CRLF), turkish.toUtf8());
    // Plain text -> RTF -> plain text.
    auto rtf = newDocument();
    readRtf(*rtf, toRtf(*doc));
    QCOMPARE(documentText(*rtf), turkish);
    QCOMPARE(toPlainText(*rtf, LineEnding::LF), turkish.toUtf8());
}

void TestPlainText::loadingClearsUndoAndModified()
{
    auto doc = newDocument();
    QTextCursor(doc.get()).insertText(u"typed"_s);
    doc->setModified(true);
    readPlainText(*doc, "new\ntext");
    QVERIFY(!doc->isUndoAvailable());
    QVERIFY(!doc->isModified());
    QVERIFY(doc->isUndoRedoEnabled());
    // The text carries no formatting of its own: it shows in the editor's default font.
    QVERIFY(!formatAt(*doc, 0, 0).hasProperty(QTextFormat::FontFamilies));
    QCOMPARE(doc->defaultFont().family(), u"Arial"_s);
}

QTEST_GUILESS_MAIN(TestPlainText)
#include "tst_plaintext.moc"
