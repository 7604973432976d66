// kelmora-doc as a user runs it: text, dump and convert, and the error box's
// text with exit code 1 for files that cannot be read or written.

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

class TestKelmoraDoc : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void textPrintsParagraphs_data();
    void textPrintsParagraphs();
    void dumpReportsWhatTheSurfaceReports();
    void dumpOfPlainText();
    void dumpListsKeptParts_data();
    void dumpListsKeptParts();
    void dumpShowsLinksAndPictures();
    void dumpSaysHowTheFileWasRead_data();
    void dumpSaysHowTheFileWasRead();
    void dumpShowsTables_data();
    void dumpShowsTables();
    void convertKeepsContent();
    void convertToPlainKeepsTheForm_data();
    void convertToPlainKeepsTheForm();
    void errors_data();
    void errors();

private:
    struct Result {
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
    };
    Result run(const QStringList &args);
    QString file(const QString &name, const QByteArray &content);

    QTemporaryDir m_dir;
};

void TestKelmoraDoc::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QFile::exists(QStringLiteral(KELMORA_DOC)));
}

TestKelmoraDoc::Result TestKelmoraDoc::run(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(KELMORA_DOC), args);
    Result r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QString TestKelmoraDoc::file(const QString &name, const QByteArray &content)
{
    const QString path = m_dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
    return path;
}

void TestKelmoraDoc::textPrintsParagraphs_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("printed");

    QTest::newRow("RTF") << QByteArray("{\\rtf1\\ansi\\ansicpg1254 {\\b \\'dd}stanbul\\par \\'c7ay\\tab \\u305?\\par}")
                         << QByteArray("İstanbul\nÇay\tı\n");
    QTest::newRow("RTF table and line break")
        << QByteArray("{\\rtf1\\intbl a\\cell b\\cell\\row\\pard x\\line y}") << QByteArray("a\tb\nx\ny\n");
    QTest::newRow("plain text with CRLF") << QByteArray("bir\r\niki\r\n") << QByteArray("bir\niki\n\n");
    QTest::newRow("plain text in 1254") << QByteArray("\xfe\xf6len") << QByteArray("şölen\n");
    QTest::newRow("empty file") << QByteArray() << QByteArray("\n");
}

void TestKelmoraDoc::textPrintsParagraphs()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, printed);
    const Result r = run({u"text"_s, file(u"girdi"_s, content)});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, printed);
    QCOMPARE(r.err, QByteArray());
}

void TestKelmoraDoc::dumpReportsWhatTheSurfaceReports()
{
    const QByteArray rtf = R"({\rtf1\ansi\ansicpg1254\deff0{\fonttbl{\f0 Arial;}{\f1 Times New Roman;}{\f2 Bir Yaz\'fd Tipinin \'c7ok Uzun Ad\'fd Otuz Birden Fazla;}}
{\colortbl;\red255\green0\blue0;}
\pard\qc\fi-283\li709\ri25 {\b Kal\'fdn }{\b\highlight1 vurgu}{\i\ul\strike\cf1\f1\fs21 t\'fcm\'fc}\par
\pard\qj\fi-30{\*\pn\pnlvlblt} {\f2 madde}\par
\pard\qr\ls5 say\'fd\par})";
    const Result r = run({u"dump"_s, file(u"dump.rtf"_s, rtf)});
    QCOMPARE(r.exitCode, 0);
    QJsonParseError error;
    const QJsonArray paragraphs = QJsonDocument::fromJson(r.out, &error).object().value(u"paragraphs"_s).toArray();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(paragraphs.size(), 3);

    const QJsonObject p0 = paragraphs.at(0).toObject();
    QCOMPARE(p0.value(u"alignment"_s).toString(), u"center"_s);
    // 426 twips is 21.3 pt, 283 twips 14.15 pt, 25 twips 1.25 pt: truncated.
    QCOMPARE(p0.value(u"first"_s).toInt(), 21);
    QCOMPARE(p0.value(u"left"_s).toInt(), 14);
    QCOMPARE(p0.value(u"right"_s).toInt(), 1);
    QCOMPARE(p0.value(u"numbering"_s).toString(), u"none"_s);
    const QJsonArray runs = p0.value(u"runs"_s).toArray();
    // The highlight is not reported, so "Kalın vurgu" is one run.
    QCOMPARE(runs.size(), 2);
    QCOMPARE(runs.at(0).toObject(), QJsonObject({{u"text"_s, u"Kalın vurgu"_s}, {u"face"_s, u"Arial"_s},
                                                 {u"size"_s, 12}, {u"bold"_s, true}, {u"italic"_s, false},
                                                 {u"underline"_s, false}, {u"strikeout"_s, false},
                                                 {u"colour"_s, u"auto"_s}}));
    QCOMPARE(runs.at(1).toObject(), QJsonObject({{u"text"_s, u"tümü"_s}, {u"face"_s, u"Times New Roman"_s},
                                                 {u"size"_s, 10}, {u"bold"_s, false}, {u"italic"_s, true},
                                                 {u"underline"_s, true}, {u"strikeout"_s, true},
                                                 {u"colour"_s, u"#ff0000"_s}}));

    const QJsonObject p1 = paragraphs.at(1).toObject();
    QCOMPARE(p1.value(u"alignment"_s).toString(), u"justify"_s);
    // A first line 30 twips out: -1.5 pt truncates to -1.
    QCOMPARE(p1.value(u"first"_s).toInt(), -1);
    QCOMPARE(p1.value(u"left"_s).toInt(), 1);
    QCOMPARE(p1.value(u"numbering"_s).toString(), u"bullet"_s);
    // Faces are reported as the surface does, cut to 31 characters.
    const QJsonObject face = p1.value(u"runs"_s).toArray().at(1).toObject();
    QCOMPARE(face.value(u"face"_s).toString(), u"Bir Yazı Tipinin Çok Uzun Adı O"_s);
    QCOMPARE(face.value(u"text"_s).toString(), u"madde"_s);

    const QJsonObject p2 = paragraphs.at(2).toObject();
    QCOMPARE(p2.value(u"alignment"_s).toString(), u"right"_s);
    QCOMPARE(p2.value(u"numbering"_s).toString(), u"other"_s);
}

// A linked run names its target and tooltip; each picture is a run of its
// own with its kind, shown size in twips and byte count, linked or not.
void TestKelmoraDoc::dumpShowsLinksAndPictures()
{
    const QByteArray rtf = R"({\rtf1\ansi\ansicpg1254\deff0{\fonttbl{\f0 Arial;}}a )"
                           R"({\field{\*\fldinst HYPERLINK "http://x.example/" \\o "\'dcr\'fcn"}{\fldrslt {\ul ba\'f0}{\pict\emfblip\picwgoal1440\pichgoal720 0102}}})"
                           R"({\pict\wmetafile8\picw2540\pich1270 010203}{\pict\jpegblip\picwgoal60\pichgoal30 ffd8ff00}\par})";
    const Result r = run({u"dump"_s, file(u"baglar.rtf"_s, rtf)});
    QCOMPARE(r.exitCode, 0);
    const QJsonArray runs = QJsonDocument::fromJson(r.out).object().value(u"paragraphs"_s).toArray().at(0).toObject()
                                .value(u"runs"_s).toArray();
    QCOMPARE(runs.size(), 5);
    const QJsonObject link{{u"target"_s, u"http://x.example/"_s}, {u"toolTip"_s, u"Ürün"_s}};
    QCOMPARE(runs.at(0).toObject().value(u"text"_s).toString(), u"a "_s);
    QVERIFY(!runs.at(0).toObject().contains(u"link"_s));
    QCOMPARE(runs.at(1).toObject(), QJsonObject({{u"text"_s, u"bağ"_s}, {u"face"_s, u"Arial"_s}, {u"size"_s, 12},
                                                 {u"bold"_s, false}, {u"italic"_s, false}, {u"underline"_s, true},
                                                 {u"strikeout"_s, false}, {u"colour"_s, u"auto"_s}, {u"link"_s, link}}));
    const auto picture = [](const char *kind, int width, int height, int bytes) {
        return QJsonObject{{u"kind"_s, QString::fromLatin1(kind)}, {u"width"_s, width}, {u"height"_s, height},
                           {u"bytes"_s, bytes}};
    };
    QCOMPARE(runs.at(2).toObject(), QJsonObject({{u"picture"_s, picture("emf", 1440, 720, 2)}, {u"link"_s, link}}));
    QCOMPARE(runs.at(3).toObject(), QJsonObject({{u"picture"_s, picture("wmf", 1440, 720, 3)}}));
    QCOMPARE(runs.at(4).toObject(), QJsonObject({{u"picture"_s, picture("jpeg", 60, 30, 4)}}));
}

void TestKelmoraDoc::dumpOfPlainText()
{
    const Result r = run({u"dump"_s, file(u"duz.txt"_s, "bir\n\n\"iki\"\\")});
    QCOMPARE(r.exitCode, 0);
    const QJsonArray paragraphs = QJsonDocument::fromJson(r.out).object().value(u"paragraphs"_s).toArray();
    QCOMPARE(paragraphs.size(), 3);
    QCOMPARE(paragraphs.at(1).toObject().value(u"runs"_s).toArray().size(), 0);
    const QJsonObject run = paragraphs.at(2).toObject().value(u"runs"_s).toArray().at(0).toObject();
    QCOMPARE(run.value(u"text"_s).toString(), u"\"iki\"\\"_s);
    QCOMPARE(run.value(u"face"_s).toString(), u"Arial"_s);
    QCOMPARE(run.value(u"size"_s).toInt(), 12);
    QCOMPARE(paragraphs.at(0).toObject().value(u"alignment"_s).toString(), u"left"_s);
}

void TestKelmoraDoc::dumpListsKeptParts_data()
{
    // Rows: a path into the dump ("kept/notes/0/kind") and the value there.
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("value");
    const auto row = [](const char *name, const QString &path, const QString &value) {
        QTest::newRow(name) << path << value;
    };
    row("document settings", u"kept/document"_s, u"\\paperw11906\\paperh16838\\margl1418"_s);
    row("first section's words", u"kept/sections/0/words"_s, u"\\titlepg"_s);
    row("first section's header kind", u"kept/sections/0/stories/0/kind"_s, u"header first"_s);
    row("its text", u"kept/sections/0/stories/0/paragraphs/0/runs/0/text"_s, u"Antet"_s);
    row("its font", u"kept/sections/0/stories/0/paragraphs/0/runs/0/face"_s, u"Arial"_s);
    row("second section starts at", u"kept/sections/1/start"_s, u"1"_s);
    row("second section's words", u"kept/sections/1/words"_s, u"\\lndscpsxn"_s);
    row("second section's footer", u"kept/sections/1/stories/0/kind"_s, u"footer"_s);
    row("a footnote", u"kept/notes/0/kind"_s, u"footnote"_s);
    row("its mark", u"kept/notes/0/mark"_s, u"1"_s);
    row("in paragraph", u"kept/notes/0/paragraph"_s, u"0"_s);
    row("its text", u"kept/notes/0/paragraphs/0/runs/0/text"_s, u"Kaynak."_s);
    row("an endnote", u"kept/notes/1/kind"_s, u"endnote"_s);
    row("an annotation", u"kept/notes/2/kind"_s, u"annotation"_s);
    row("its author", u"kept/notes/2/author"_s, u"Ayşe"_s);
    row("its mark is the word", u"kept/notes/2/mark"_s, u"k"_s);
    row("a style", u"kept/styles/1/name"_s, u"heading 1"_s);
    row("a paragraph's style", u"paragraphs/0/style"_s, u"1"_s);
    row("a title", u"kept/info/0/text"_s, u"Başlık"_s);
    row("a date", u"kept/info/1/words"_s, u"\\yr2024\\mo5"_s);
}

void TestKelmoraDoc::dumpListsKeptParts()
{
    QFETCH(QString, path);
    QFETCH(QString, value);
    const QByteArray rtf = R"({\rtf1\ansi\ansicpg1254{\fonttbl{\f0 Times New Roman;}{\f1 Arial;}}
{\stylesheet{\s0 Normal;}{\s1 heading 1;}}{\info{\title Ba\'fel\'fdk}{\creatim\yr2024\mo5}}
\paperw11906\paperh16838\margl1418\sectd\titlepg{\headerf \pard\f1 Antet\par}
\pard\s1 Bir{\super\chftn{\footnote \pard Kaynak.}}\par\sect\sectd\lndscpsxn{\footer \pard Alt\par}
\pard Son{\super\chftn{\footnote\ftnalt \pard Sonnot.}} {\*\atnauthor Ay\'fee}k\chatn{\*\annotation \pard Yorum.}\par})";
    const Result r = run({u"dump"_s, file(u"kept.rtf"_s, rtf)});
    QCOMPARE(r.exitCode, 0);
    QJsonParseError error;
    QJsonValue at = QJsonDocument::fromJson(r.out, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    for (const QString &step : path.split(u'/')) {
        bool index = false;
        const int i = step.toInt(&index);
        at = index ? at.toArray().at(i) : at.toObject().value(step);
    }
    QCOMPARE(at.toVariant().toString(), value);
}

void TestKelmoraDoc::dumpSaysHowTheFileWasRead_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QJsonObject>("expected"); // besides the paragraphs

    QTest::newRow("RTF") << QByteArray("{\\rtf1 a\\par}")
                         << QJsonObject{{u"format"_s, u"rtf"_s}, {u"malformed"_s, false}, {u"problem"_s, QJsonValue()}};
    QTest::newRow("RTF cut off")
        << QByteArray("{\\rtf1 a{\\b b")
        << QJsonObject{{u"format"_s, u"rtf"_s}, {u"malformed"_s, true},
                       {u"problem"_s, u"the data ends with 2 group(s) open"_s}};
    QTest::newRow("RTF with a skipped group cut off")
        << QByteArray("{\\rtf1 a{\\*\\x b")
        << QJsonObject{{u"format"_s, u"rtf"_s}, {u"malformed"_s, true},
                       {u"problem"_s, u"the data ends inside a skipped group"_s}};
    QTest::newRow("plain text") << QByteArray("{\\rt a\n")
                                << QJsonObject{{u"format"_s, u"plain"_s}, {u"malformed"_s, false},
                                               {u"problem"_s, QJsonValue()}, {u"encoding"_s, u"utf-8"_s},
                                               {u"byteOrderMark"_s, false}, {u"lineEnding"_s, u"lf"_s}};
    QTest::newRow("plain text in 1254") << QByteArray("{\\rt \xfd\r")
                                        << QJsonObject{{u"format"_s, u"plain"_s}, {u"malformed"_s, false},
                                                       {u"problem"_s, QJsonValue()},
                                                       {u"encoding"_s, u"windows-1254"_s},
                                                       {u"byteOrderMark"_s, false}, {u"lineEnding"_s, u"cr"_s}};
    QTest::newRow("plain text with a byte order mark")
        << QByteArray("\xef\xbb\xbf{\\rt\r\n")
        << QJsonObject{{u"format"_s, u"plain"_s}, {u"malformed"_s, false}, {u"problem"_s, QJsonValue()},
                       {u"encoding"_s, u"utf-8"_s}, {u"byteOrderMark"_s, true}, {u"lineEnding"_s, u"crlf"_s}};
}

void TestKelmoraDoc::dumpSaysHowTheFileWasRead()
{
    QFETCH(QByteArray, content);
    QFETCH(QJsonObject, expected);
    const Result r = run({u"dump"_s, file(u"okunan"_s, content)});
    QCOMPARE(r.exitCode, 0);
    QJsonObject dump = QJsonDocument::fromJson(r.out).object();
    QCOMPARE(dump.take(u"paragraphs"_s).toArray().at(0).toObject().value(u"runs"_s).toArray().at(0)
                 .toObject().value(u"text"_s).toString().left(1),
             content.startsWith("{\\rtf") ? u"a"_s : u"{"_s);
    QCOMPARE(dump.take(u"tables"_s), QJsonValue(QJsonArray()));
    QCOMPARE(dump, expected);
}

void TestKelmoraDoc::dumpShowsTables_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("expected");
    // A cell spanning two rows, one spanning two columns (its width the sum
    // of theirs), and a table nested in a cell, listed after the one it is in.
    QTest::newRow("merges and a nested table")
        << QByteArray(R"({\rtf1\trowd\trgaph100\trleft-100\clvmgf\cellx1000\clmgf\cellx2000\clmrg\cellx3000)"
                      R"(\pard\intbl a\cell b\cell\cell\row\trowd\trgaph100\trleft-100\clvmrg\cellx1000\cellx2000\cellx3000)"
                      R"(\pard\intbl\cell\pard\intbl\itap2 x\nestcell{\*\nesttableprops\trowd\cellx500\nestrow})"
                      R"({\nonesttables\par}\pard\intbl\cell d\cell\row\pard e\par})")
        << QByteArray(R"([
  {"depth": 1, "rows": 2, "columns": 3, "left": -100, "gap": 100, "widths": [1100, 1000, 1000], "continues": false, "cells": [
    {"row": 0, "column": 0, "rowSpan": 2, "columnSpan": 1, "width": 1100, "filler": false, "paragraphs": [1, 1]},
    {"row": 0, "column": 1, "rowSpan": 1, "columnSpan": 2, "width": 2000, "filler": false, "paragraphs": [2, 2]},
    {"row": 1, "column": 1, "rowSpan": 1, "columnSpan": 1, "width": 1000, "filler": false, "paragraphs": [3, 5]},
    {"row": 1, "column": 2, "rowSpan": 1, "columnSpan": 1, "width": 1000, "filler": false, "paragraphs": [6, 6]}]},
  {"depth": 2, "rows": 1, "columns": 1, "left": 0, "gap": 0, "widths": [500], "continues": false, "cells": [
    {"row": 0, "column": 0, "rowSpan": 1, "columnSpan": 1, "width": 500, "filler": false, "paragraphs": [4, 4]}]}
])");
    // A row that ends before the table's edge ends in a filler cell.
    QTest::newRow("a short row")
        << QByteArray(R"({\rtf1\trowd\cellx1000\cellx2500\pard\intbl a\cell b\cell\row)"
                      R"(\trowd\cellx1000\pard\intbl c\cell\row})")
        << QByteArray(R"([
  {"depth": 1, "rows": 2, "columns": 2, "left": 0, "gap": 0, "widths": [1000, 1500], "continues": false, "cells": [
    {"row": 0, "column": 0, "rowSpan": 1, "columnSpan": 1, "width": 1000, "filler": false, "paragraphs": [1, 1]},
    {"row": 0, "column": 1, "rowSpan": 1, "columnSpan": 1, "width": 1500, "filler": false, "paragraphs": [2, 2]},
    {"row": 1, "column": 0, "rowSpan": 1, "columnSpan": 1, "width": 1000, "filler": false, "paragraphs": [3, 3]},
    {"row": 1, "column": 1, "rowSpan": 1, "columnSpan": 1, "width": 1500, "filler": true, "paragraphs": [4, 4]}]}
])");
}

void TestKelmoraDoc::dumpShowsTables()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, expected);
    const Result r = run({u"dump"_s, file(u"tablolu"_s, content)});
    QCOMPARE(r.exitCode, 0);
    const QJsonValue tables = QJsonDocument::fromJson(r.out).object().value(u"tables"_s);
    QJsonParseError error;
    const QJsonArray want = QJsonDocument::fromJson(expected, &error).array();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(tables, QJsonValue(want));
}

void TestKelmoraDoc::convertKeepsContent()
{
    const QString in = file(u"kaynak.rtf"_s, "{\\rtf1\\ansi\\ansicpg1254{\\fonttbl{\\f0 Arial;}{\\f1 Georgia;}}"
                                             "\\qc{\\f1\\b \\'fe\\'fd}\\par\\pard\\li720 \\u945?\\par}");
    const QString out = m_dir.filePath(u"hedef.rtf"_s);
    QCOMPARE(run({u"convert"_s, in, out, u"--rtf"_s}).exitCode, 0);
    const Result before = run({u"dump"_s, in});
    const Result after = run({u"dump"_s, out});
    QCOMPARE(after.out, before.out);
    QVERIFY(after.out.contains("Georgia"));

    const QString plain = m_dir.filePath(u"hedef.txt"_s);
    QCOMPARE(run({u"convert"_s, out, plain, u"--plain"_s}).exitCode, 0);
    QFile f(plain);
    QVERIFY(f.open(QIODevice::ReadOnly));
    // An RTF source has no line ending of its own: CR LF, as for a new document.
    QCOMPARE(f.readAll(), QByteArray("şı\r\nα"));
}

void TestKelmoraDoc::convertToPlainKeepsTheForm_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("LF") << QByteArray("a\nb\n") << QByteArray("a\nb\n");
    QTest::newRow("CR") << QByteArray("a\rb") << QByteArray("a\rb");
    QTest::newRow("1254 stays 1254") << QByteArray("\xfd\r\n") << QByteArray("\xfd\r\n");
    QTest::newRow("UTF-8 keeps its byte order mark") << QByteArray("\xef\xbb\xbfı\n") << QByteArray("\xef\xbb\xbfı\n");
}

void TestKelmoraDoc::convertToPlainKeepsTheForm()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, written);
    const QString out = m_dir.filePath(u"satirlar.txt"_s);
    QCOMPARE(run({u"convert"_s, file(u"satirlar.in"_s, content), out, u"--plain"_s}).exitCode, 0);
    QFile f(out);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), written);
}

void TestKelmoraDoc::errors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("stderrText"); // %1 is the temporary folder

    QTest::newRow("missing file") << QStringList{u"text"_s, u"%1/yok.rtf"_s} << 1
                                  << u"Cannot open file \"%1/yok.rtf\". No such file or directory.\n"_s;
    QTest::newRow("folder") << QStringList{u"dump"_s, u"%1"_s} << 1
                            << u"Cannot open file \"%1\". Is a directory.\n"_s;
    QTest::newRow("convert from a missing file")
        << QStringList{u"convert"_s, u"%1/yok.rtf"_s, u"%1/x.rtf"_s, u"--rtf"_s} << 1
        << u"Cannot open file \"%1/yok.rtf\". No such file or directory.\n"_s;
    QTest::newRow("convert onto a read-only file")
        << QStringList{u"convert"_s, u"%1/var.txt"_s, u"%1/salt-okunur.txt"_s, u"--plain"_s} << 1
        << u"Cannot create file \"%1/salt-okunur.txt\". Permission denied.\n"_s;
    QTest::newRow("no arguments") << QStringList{} << 2 << u"usage"_s;
    QTest::newRow("unknown command") << QStringList{u"print"_s, u"%1/var.txt"_s} << 2 << u"usage"_s;
    QTest::newRow("convert without format") << QStringList{u"convert"_s, u"%1/var.txt"_s, u"%1/y"_s} << 2
                                            << u"usage"_s;
    QTest::newRow("convert with a wrong format")
        << QStringList{u"convert"_s, u"%1/var.txt"_s, u"%1/y"_s, u"--html"_s} << 2 << u"usage"_s;
}

void TestKelmoraDoc::errors()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, stderrText);
    file(u"var.txt"_s, "var");
    const QString readOnly = file(u"salt-okunur.txt"_s, "eski");
    QVERIFY(::chmod(QFile::encodeName(readOnly).constData(), 0444) == 0);
    for (QString &a : args)
        a = a.arg(m_dir.path());
    const Result r = run(args);
    QCOMPARE(r.exitCode, exitCode);
    if (exitCode == 2)
        QVERIFY(r.err.startsWith("usage: kelmora-doc"));
    else
        QCOMPARE(QString::fromUtf8(r.err), stderrText.arg(m_dir.path()));
    QCOMPARE(r.out, QByteArray());
    QFile old(readOnly);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("eski"));
    ::chmod(QFile::encodeName(readOnly).constData(), 0644);
}

QTEST_GUILESS_MAIN(TestKelmoraDoc)
#include "tst_kelmoradoc.moc"
