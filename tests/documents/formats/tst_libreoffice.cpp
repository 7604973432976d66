// Interoperability with LibreOffice, both ways: RTF that LibreOffice writes
// from a small document reads with the expected text and formatting, and the
// RTF we write reads in LibreOffice with the same text (its text export) and
// the same formatting (its own RTF export, read back here). Of every
// hand-written file, LibreOffice finds the same links and pictures in our
// save as in the original (its flat ODT export, read here), and in our save
// of each table file the tables it finds in the file itself: rows, cells,
// merges, column widths and texts (read as TableShapes.h describes).

#include "formats/DocumentIO.h"
#include "FormatTestSupport.h"
#include "LibreOfficeReading.h"
#include "TableShapes.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextList>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;
using namespace kelmora;
using namespace kelmora::formats;
using namespace kelmora::formats::test;

class TestLibreOffice : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void readsLibreOfficeRtf();
    void libreOfficeReadsOurRtf();
    void keptTextsAreLibreOffices();
    void keptTablesAreLibreOffices();
    void libreOfficeFindsTheTablesInOurSave_data();
    void libreOfficeFindsTheTablesInOurSave();
    void keptPartsSurviveOurSave();
    void libreOfficeFindsTheLinksAndPicturesInOurSave();

private:
    QStringList tableFiles() const;
    bool convert(const QStringList &files, const QString &filter, const QString &outDir);

    QString m_soffice;
    QTemporaryDir m_work;
};

namespace {

// A document with every attribute we keep, as LibreOffice's flat XML format.
const char SampleFodt[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 xmlns:xlink="http://www.w3.org/1999/xlink"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.text">
 <office:font-face-decls>
  <style:font-face style:name="Arial" svg:font-family="Arial"/>
  <style:font-face style:name="Courier New" svg:font-family="'Courier New'"/>
 </office:font-face-decls>
 <office:styles>
  <style:default-style style:family="paragraph"><style:text-properties style:font-name="Arial" fo:font-size="12pt"/></style:default-style>
 </office:styles>
 <office:automatic-styles>
  <style:style style:name="T1" style:family="text"><style:text-properties fo:font-weight="bold"/></style:style>
  <style:style style:name="T2" style:family="text"><style:text-properties fo:font-style="italic"/></style:style>
  <style:style style:name="T3" style:family="text"><style:text-properties style:text-underline-style="solid" style:text-underline-width="auto" style:text-underline-color="font-color"/></style:style>
  <style:style style:name="T4" style:family="text"><style:text-properties style:text-line-through-style="solid"/></style:style>
  <style:style style:name="T5" style:family="text"><style:text-properties fo:color="#ff0000" style:font-name="Courier New" fo:font-size="18pt"/></style:style>
  <style:style style:name="T6" style:family="text"><style:text-properties fo:font-size="10.5pt"/></style:style>
  <style:style style:name="P1" style:family="paragraph"><style:paragraph-properties fo:text-align="center"/></style:style>
  <style:style style:name="P2" style:family="paragraph"><style:paragraph-properties fo:text-align="end"/></style:style>
  <style:style style:name="P3" style:family="paragraph"><style:paragraph-properties fo:text-align="justify"/></style:style>
  <style:style style:name="P4" style:family="paragraph"><style:paragraph-properties fo:margin-left="1in" fo:margin-right="0.5in" fo:text-indent="-0.25in"/></style:style>
  <text:list-style style:name="L1"><text:list-level-style-bullet text:level="1" text:bullet-char="•"><style:list-level-properties text:list-level-position-and-space-mode="label-alignment"><style:list-level-label-alignment text:label-followed-by="listtab" fo:text-indent="-0.25in" fo:margin-left="0.5in"/></style:list-level-properties></text:list-level-style-bullet></text:list-style>
  <text:list-style style:name="L2"><text:list-level-style-number text:level="1" style:num-format="1" style:num-suffix="."><style:list-level-properties text:list-level-position-and-space-mode="label-alignment"><style:list-level-label-alignment text:label-followed-by="listtab" fo:text-indent="-0.25in" fo:margin-left="0.5in"/></style:list-level-properties></text:list-level-style-number></text:list-style>
 </office:automatic-styles>
 <office:body><office:text>
  <text:p text:style-name="P1"><text:span text:style-name="T1">Kalın ığüşöç İĞÜŞÖÇ</text:span> <text:span text:style-name="T2">eğik</text:span> <text:span text:style-name="T3">altı</text:span> <text:span text:style-name="T4">üstü</text:span> <text:span text:style-name="T5">kırmızı</text:span> <text:span text:style-name="T6">küçük</text:span></text:p>
  <text:p text:style-name="P2">Sağa</text:p>
  <text:p text:style-name="P3">İki yana</text:p>
  <text:p text:style-name="P4">Girinti</text:p>
  <text:list text:style-name="L1"><text:list-item><text:p>madde bir</text:p></text:list-item><text:list-item><text:p>madde iki</text:p></text:list-item></text:list>
  <text:list text:style-name="L2"><text:list-item><text:p>sayı bir</text:p></text:list-item></text:list>
  <table:table table:name="T"><table:table-column table:number-columns-repeated="2"/>
   <table:table-row><table:table-cell><text:p>a1</text:p></table:table-cell><table:table-cell><text:p>b1</text:p></table:table-cell></table:table-row>
   <table:table-row><table:table-cell><text:p>a2</text:p></table:table-cell><table:table-cell><text:p>b2</text:p></table:table-cell></table:table-row>
  </table:table>
  <text:p><text:a xlink:type="simple" xlink:href="http://example.org/">bağlantı</text:a></text:p>
  <text:p>Ελληνικά Кириллица 漢字 😀</text:p>
 </office:text></office:body>
</office:document>
)";

// Our own document with the same range of attributes.
std::unique_ptr<QTextDocument> ourDocument()
{
    auto doc = newDocument();
    QTextCursor c(doc.get());
    const auto run = [&c](const QString &text, const std::function<void(QTextCharFormat &)> &style) {
        QTextCharFormat f;
        if (style)
            style(f);
        c.insertText(text, f);
    };
    const auto paragraph = [&c](Qt::Alignment align, model::ParagraphIndents indents, model::Numbering n, bool first) {
        QTextBlockFormat f;
        f.setAlignment(align);
        model::setIndents(f, indents, n != model::Numbering::None);
        if (first)
            c.setBlockFormat(f);
        else
            c.insertBlock(f);
    };
    paragraph(Qt::AlignHCenter, {}, model::Numbering::None, true);
    run(u"Kalın "_s, [](QTextCharFormat &f) { f.setFontWeight(QFont::Bold); });
    run(u"eğik "_s, [](QTextCharFormat &f) { f.setFontItalic(true); });
    run(u"altı "_s, [](QTextCharFormat &f) { f.setFontUnderline(true); });
    run(u"üstü "_s, [](QTextCharFormat &f) { f.setFontStrikeOut(true); });
    run(u"kırmızı "_s, [](QTextCharFormat &f) {
        f.setForeground(QColor(u"#c00000"_s));
        f.setFontFamilies({u"Courier New"_s});
        f.setFontPointSize(18);
    });
    run(u"vurgulu"_s, [](QTextCharFormat &f) { f.setBackground(QColor(u"#ffff00"_s)); });
    run(u"üst"_s, [](QTextCharFormat &f) { f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); });
    paragraph(Qt::AlignRight, {}, model::Numbering::None, false);
    run(u"Sağa yaslı"_s, nullptr);
    paragraph(Qt::AlignJustify, {}, model::Numbering::None, false);
    run(u"İki yana yaslı paragraf"_s, nullptr);
    paragraph(Qt::AlignLeft, {1080, 360, 720}, model::Numbering::None, false);
    run(u"Girintili paragraf"_s, nullptr);
    for (const QString &item : {u"madde bir"_s, u"madde iki"_s}) {
        paragraph(Qt::AlignLeft, {360, 360, 0}, model::Numbering::Bullet, false);
        if (item == u"madde bir")
            c.createList(model::listFormat(model::Numbering::Bullet));
        else
            c.block().previous().textList()->add(c.block());
        run(item, nullptr);
    }
    paragraph(Qt::AlignLeft, {360, 360, 0}, model::Numbering::Other, false);
    c.createList(model::listFormat(model::Numbering::Other));
    run(u"sayı bir"_s, nullptr);
    paragraph(Qt::AlignLeft, {}, model::Numbering::None, false);
    paragraph(Qt::AlignLeft, {}, model::Numbering::None, false);
    run(u"Ελληνικά Кириллица 漢字 😀 "_s, [](QTextCharFormat &f) {
        f.setFontFamilies({u"Times New Roman"_s});
        f.setFontPointSize(10.5);
    });
    run(u"son"_s, nullptr);
    return doc;
}

QString readText(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    QString text = QString::fromUtf8(f.readAll());
    if (text.startsWith(u'\ufeff'))
        text.remove(0, 1);
    return text;
}

// What LibreOffice read from a file, as its flat ODT shows it: the targets
// of the links and, for each frame, the bytes of its picture (the first
// one: LibreOffice adds a PNG of its own after a metafile, and gives an
// object the picture it showed), in document order.
struct LinksAndPictures {
    QStringList targets;
    QList<QByteArray> pictures;
    QString error;
};

LinksAndPictures readFlatOdt(const QString &path)
{
    LinksAndPictures found;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        found.error = u"cannot read "_s + path;
        return found;
    }
    const QString text = u"urn:oasis:names:tc:opendocument:xmlns:text:1.0"_s;
    const QString office = u"urn:oasis:names:tc:opendocument:xmlns:office:1.0"_s;
    const QString xlink = u"http://www.w3.org/1999/xlink"_s;
    const QString draw = u"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"_s;
    QXmlStreamReader xml(&f);
    bool inBody = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.namespaceUri() == office && xml.name() == u"body")
            inBody = true;
        else if (inBody && xml.namespaceUri() == text && xml.name() == u"a")
            found.targets.append(xml.attributes().value(xlink, u"href"_s).toString());
        else if (inBody && xml.namespaceUri() == draw && xml.name() == u"frame")
            found.pictures.append(QByteArray());
        else if (inBody && xml.namespaceUri() == office && xml.name() == u"binary-data" &&
                 !found.pictures.isEmpty() && found.pictures.last().isEmpty())
            found.pictures.last() = QByteArray::fromBase64(xml.readElementText().toLatin1());
    }
    if (xml.hasError())
        found.error = path + u": "_s + xml.errorString();
    return found;
}

} // namespace

void TestLibreOffice::initTestCase()
{
    m_soffice = QStandardPaths::findExecutable(u"soffice"_s);
    if (m_soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    QVERIFY(m_work.isValid());
}

bool TestLibreOffice::convert(const QStringList &files, const QString &filter, const QString &outDir)
{
    // A profile of our own: no clash with a running LibreOffice or another test.
    const QString profile = u"-env:UserInstallation=file://"_s + m_work.path() + u"/profile"_s;
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(m_soffice, QStringList{profile, u"--headless"_s, u"--norestore"_s, u"--convert-to"_s, filter, u"--outdir"_s, outDir} + files);
    const bool done = p.waitForFinished(300000);
    if (!done || p.exitCode() != 0)
        qWarning("soffice failed: %s", p.readAll().constData());
    return done && p.exitCode() == 0;
}

void TestLibreOffice::readsLibreOfficeRtf()
{
    const QString fodt = m_work.path() + u"/ornek.fodt"_s;
    QFile f(fodt);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(SampleFodt);
    f.close();
    QVERIFY(convert({fodt}, u"rtf"_s, m_work.path() + u"/lo"_s));
    auto doc = newDocument();
    const LoadResult loaded = loadFile(*doc, m_work.path() + u"/lo/ornek.rtf"_s, false);
    QVERIFY(loaded.rtf);

    QCOMPARE(paragraphTexts(*doc),
             QStringList({u"Kalın ığüşöç İĞÜŞÖÇ eğik altı üstü kırmızı küçük"_s, u"Sağa"_s, u"İki yana"_s,
                          u"Girinti"_s, u"madde bir"_s, u"madde iki"_s, u"sayı bir"_s, u"a1"_s, u"b1"_s, u"a2"_s,
                          u"b2"_s, u"bağlantı"_s, u"Ελληνικά Кириллица 漢字 😀"_s}));
    QCOMPARE(tableShapes(*doc), u"table 1, 2 columns: 50% 50%\n  \"a1\" | \"b1\"\n  \"a2\" | \"b2\"\n"_s);
    const QString plain = u"face=Arial size=12 b=0 i=0 u=0 s=0 colour=auto bg=none valign=0"_s;
    const auto runAt = [&doc](int p, int offset) { return describeRun(*doc, formatAt(*doc, p, offset)); };
    QCOMPARE(runAt(0, 0), u"face=Arial size=12 b=1 i=0 u=0 s=0 colour=auto bg=none valign=0"_s);
    QCOMPARE(runAt(0, 20), u"face=Arial size=12 b=0 i=1 u=0 s=0 colour=auto bg=none valign=0"_s);
    QCOMPARE(runAt(0, 25), u"face=Arial size=12 b=0 i=0 u=1 s=0 colour=auto bg=none valign=0"_s);
    QCOMPARE(runAt(0, 30), u"face=Arial size=12 b=0 i=0 u=0 s=1 colour=auto bg=none valign=0"_s);
    QCOMPARE(runAt(0, 35), u"face=Courier New size=18 b=0 i=0 u=0 s=0 colour=#ff0000 bg=none valign=0"_s);
    QCOMPARE(runAt(0, 43), u"face=Arial size=10.5 b=0 i=0 u=0 s=0 colour=auto bg=none valign=0"_s);
    QCOMPARE(runAt(1, 0), plain);

    const auto para = [&doc](int p) { return describeParagraph(paragraph(*doc, p)); };
    const int left = int(Qt::AlignLeft);
    QCOMPARE(para(0), u"align=%1 first=0 left=0 right=0 numbering=0"_s.arg(int(Qt::AlignHCenter)));
    QCOMPARE(para(1), u"align=%1 first=0 left=0 right=0 numbering=0"_s.arg(int(Qt::AlignRight)));
    QCOMPARE(para(2), u"align=%1 first=0 left=0 right=0 numbering=0"_s.arg(int(Qt::AlignJustify)));
    QCOMPARE(para(3), u"align=%1 first=1080 left=360 right=720 numbering=0"_s.arg(left));
    QCOMPARE(para(4), u"align=%1 first=360 left=360 right=0 numbering=1"_s.arg(left));
    QCOMPARE(para(5), u"align=%1 first=360 left=360 right=0 numbering=1"_s.arg(left));
    QCOMPARE(para(6), u"align=%1 first=360 left=360 right=0 numbering=2"_s.arg(left));
    QCOMPARE(paragraph(*doc, 4).textList(), paragraph(*doc, 5).textList());
    // The hyperlink shows its text as LibreOffice styles it.
    QVERIFY(formatAt(*doc, 11, 0).fontUnderline());
}

void TestLibreOffice::libreOfficeReadsOurRtf()
{
    const auto doc = ourDocument();
    const QString ours = m_work.path() + u"/bizim.rtf"_s;
    saveFile(*doc, ours, false, {});

    // The text, as LibreOffice's plain text export gives it (list labels
    // are part of that export; they are not in the paragraph text).
    QVERIFY(convert({ours}, u"txt:Text (encoded):UTF8"_s, m_work.path() + u"/txt"_s));
    QStringList lines = readText(m_work.path() + u"/txt/bizim.txt"_s).split(u'\n');
    for (QString &line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    QStringList expected = paragraphTexts(*doc);
    expected[4] = u"    • madde bir"_s;
    expected[5] = u"    • madde iki"_s;
    expected[6] = u"    1. sayı bir"_s;
    QCOMPARE(lines, expected);

    // The formatting, as LibreOffice writes it again.
    QVERIFY(convert({ours}, u"rtf"_s, m_work.path() + u"/rtf"_s));
    auto back = newDocument();
    QVERIFY(loadFile(*back, m_work.path() + u"/rtf/bizim.rtf"_s, false).rtf);
    QCOMPARE(paragraphTexts(*back), paragraphTexts(*doc));
    for (int p = 0; p < doc->blockCount(); ++p) {
        QCOMPARE(describeParagraph(paragraph(*back, p)), describeParagraph(paragraph(*doc, p)));
        const QString text = paragraph(*doc, p).text();
        for (int i = 0; i < text.size(); ++i) {
            const QString context = u"paragraph %1, offset %2"_s.arg(p).arg(i);
            QVERIFY2(describeRun(*back, formatAt(*back, p, i)) == describeRun(*doc, formatAt(*doc, p, i)),
                     qPrintable(context + u": "_s + describeRun(*back, formatAt(*back, p, i)) + u" != "_s +
                                describeRun(*doc, formatAt(*doc, p, i))));
        }
    }
}

void TestLibreOffice::keptTextsAreLibreOffices()
{
    // The texts kept beside the hand-written files (tst_rtffiles) are what
    // this LibreOffice shows for them.
    QStringList files;
    for (const QString &name : rtfDataFiles())
        files.append(rtfDataDir() + u'/' + name + u".rtf"_s);
    QVERIFY(!files.isEmpty());
    const QString out = m_work.path() + u"/data"_s;
    QVERIFY(convert(files, u"txt:Text (encoded):UTF8"_s, out));
    for (const QString &name : rtfDataFiles()) {
        const QString now = libreOfficeText(readText(out + u'/' + name + u".txt"_s));
        const QString kept = libreOfficeText(readText(rtfDataDir() + u'/' + name + u".lo.txt"_s));
        QVERIFY2(now == kept, qPrintable(name + u": LibreOffice now shows \""_s + now + u'"'));
    }
}

QStringList TestLibreOffice::tableFiles() const
{
    QStringList names;
    for (const QString &name : rtfDataFiles()) {
        if (QFile::exists(rtfDataDir() + u'/' + name + u".lo.tables"_s))
            names.append(name);
    }
    return names;
}

void TestLibreOffice::keptTablesAreLibreOffices()
{
    // The tables kept beside the hand-written files are what this
    // LibreOffice finds in them.
    const QStringList names = tableFiles();
    QVERIFY(!names.isEmpty());
    QStringList files;
    for (const QString &name : names)
        files.append(rtfDataDir() + u'/' + name + u".rtf"_s);
    const QString out = m_work.path() + u"/tables"_s;
    QVERIFY(convert(files, u"fodt"_s, out));
    for (const QString &name : names) {
        const QString now = odtTableShapes(out + u'/' + name + u".fodt"_s);
        const QString kept = readText(rtfDataDir() + u'/' + name + u".lo.tables"_s);
        QVERIFY2(now == kept, qPrintable(name + u": LibreOffice now finds\n"_s + now));
    }
}

void TestLibreOffice::libreOfficeFindsTheTablesInOurSave_data()
{
    // Our saves of every table file, converted by LibreOffice in one run.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("odt");
    const QString dir = m_work.path() + u"/saved"_s;
    QDir().mkpath(dir);
    QStringList saved;
    for (const QString &name : tableFiles()) {
        auto doc = newDocument();
        (void)loadFile(*doc, rtfDataDir() + u'/' + name + u".rtf"_s, false);
        saved.append(dir + u'/' + name + u".rtf"_s);
        saveFile(*doc, saved.last(), false, {});
        QTest::newRow(qPrintable(name)) << name << dir + u"/odt/"_s + name + u".fodt"_s;
    }
    QVERIFY(!saved.isEmpty());
    QVERIFY(convert(saved, u"fodt"_s, dir + u"/odt"_s));
}

void TestLibreOffice::libreOfficeFindsTheTablesInOurSave()
{
    QFETCH(QString, name);
    QFETCH(QString, odt);
    const QString original = readText(rtfDataDir() + u'/' + name + u".lo.tables"_s);
    QVERIFY(!original.isEmpty());
    QCOMPARE(odtTableShapes(odt), original);
}

void TestLibreOffice::keptPartsSurviveOurSave()
{
    // NAME.lo.kept holds what LibreOffice finds in NAME.rtf: page styles with
    // their headers and footers, paragraph styles, notes, their text and
    // fonts (LibreOfficeReading.h). It finds the same in our save of it.
    QStringList names;
    QStringList files;
    for (const QString &name : rtfDataFiles()) {
        if (!QFile::exists(rtfDataDir() + u'/' + name + u".lo.kept"_s))
            continue;
        names.append(name);
        files.append(rtfDataDir() + u'/' + name + u".rtf"_s);
        auto doc = newDocument();
        const LoadResult loaded = loadFile(*doc, files.last(), false);
        QVERIFY2(!loaded.report.malformed, qPrintable(name + u": "_s + loaded.report.problem));
        QDir().mkpath(m_work.path() + u"/ours"_s);
        files.append(m_work.path() + u"/ours/"_s + name + u".rtf"_s);
        saveFile(*doc, files.last(), false, {});
    }
    QVERIFY(names.size() >= 3);
    const QString out = m_work.path() + u"/kept"_s;
    QVERIFY(convert(files.filter(u"/ours/"_s), u"fodt"_s, out + u"/ours"_s));
    QVERIFY(convert(files.filter(rtfDataDir()), u"fodt"_s, out + u"/original"_s));
    QStringList differences;
    for (const QString &name : std::as_const(names)) {
        const QString kept = readText(rtfDataDir() + u'/' + name + u".lo.kept"_s);
        const QStringList expected = kept.split(u'\n', Qt::SkipEmptyParts);
        for (const QString &which : {u"original"_s, u"ours"_s}) {
            QFile f(out + u'/' + which + u'/' + name + u".fodt"_s);
            const QStringList found = f.open(QIODevice::ReadOnly) ? libreOfficeReading(f.readAll()) : QStringList();
            if (found != expected)
                differences.append(u"== %1 (%2), LibreOffice finds:\n%3"_s.arg(name, which, found.join(u'\n')));
        }
    }
    for (const QString &d : std::as_const(differences))
        qInfo().noquote() << d;
    QVERIFY2(differences.isEmpty(), "LibreOffice finds other kept parts (shown above)");
}

void TestLibreOffice::libreOfficeFindsTheLinksAndPicturesInOurSave()
{
    QStringList originals, ours;
    QDir().mkpath(m_work.path() + u"/saved"_s);
    for (const QString &name : rtfDataFiles()) {
        originals.append(rtfDataDir() + u'/' + name + u".rtf"_s);
        auto doc = newDocument();
        QVERIFY(loadFile(*doc, originals.last(), false).rtf);
        ours.append(m_work.path() + u"/saved/"_s + name + u".rtf"_s);
        saveFile(*doc, ours.last(), false, {});
    }
    QVERIFY(convert(originals, u"fodt"_s, m_work.path() + u"/fodt-original"_s));
    QVERIFY(convert(ours, u"fodt"_s, m_work.path() + u"/fodt-ours"_s));
    int links = 0, pictures = 0;
    for (const QString &name : rtfDataFiles()) {
        const LinksAndPictures original = readFlatOdt(m_work.path() + u"/fodt-original/"_s + name + u".fodt"_s);
        const LinksAndPictures saved = readFlatOdt(m_work.path() + u"/fodt-ours/"_s + name + u".fodt"_s);
        QVERIFY2(original.error.isEmpty(), qPrintable(original.error));
        QVERIFY2(saved.error.isEmpty(), qPrintable(saved.error));
        QVERIFY2(saved.targets == original.targets,
                 qPrintable(name + u": "_s + saved.targets.join(u", "_s) + u" instead of "_s + original.targets.join(u", "_s)));
        QVERIFY2(saved.pictures.size() == original.pictures.size(),
                 qPrintable(name + u": %1 pictures instead of %2"_s.arg(saved.pictures.size()).arg(original.pictures.size())));
        for (qsizetype i = 0; i < original.pictures.size(); ++i)
            QVERIFY2(saved.pictures.at(i) == original.pictures.at(i), qPrintable(name + u": picture %1 differs"_s.arg(i)));
        links += int(original.targets.size());
        pictures += int(original.pictures.size());
    }
    // The files hold what this compares.
    QVERIFY(links >= 10);
    QVERIFY(pictures >= 8);
}

QTEST_GUILESS_MAIN(TestLibreOffice)
#include "tst_libreoffice.moc"
