// RTF files shaped as real producers write them (tests/data/rtf): each reads
// with the text LibreOffice shows for it (kept beside it as NAME.lo.txt),
// unless NAME.expect says why ours differs (our text is then NAME.txt), the
// runs NAME.expect lists have their face, size and colour, it holds exactly
// the links and pictures listed there, and a save keeps them all; and it
// holds the tables LibreOffice finds in it (NAME.lo.tables, see
// TableShapes.h).
//
// NAME.expect: "# comment" lines, "ours<TAB>reason",
// "run<TAB>text<TAB>face<TAB>size in points<TAB>#rrggbb or auto",
// "link<TAB>text<TAB>target[<TAB>tooltip]" and
// "picture<TAB>kind WxH twips, N bytes, drawn|framed" lines, in the order
// of the document.

#include "formats/DocumentIO.h"
#include "FormatTestSupport.h"
#include "TableShapes.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace kelmora;
using namespace kelmora::formats;
using namespace kelmora::formats::test;

class TestRtfFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void textAsLibreOfficeShowsIt_data();
    void textAsLibreOfficeShowsIt();
    void runFormats_data();
    void runFormats();
    void tablesAsLibreOfficeFindsThem_data();
    void tablesAsLibreOfficeFindsThem();
    void linksAndPictures_data();
    void linksAndPictures();
    void saveKeepsLinksAndPictures_data();
    void saveKeepsLinksAndPictures();
};

namespace {

QString dataDir()
{
    return rtfDataDir();
}

QString readUtf8(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

struct Expectation {
    QString oursBecause; // why our text is not LibreOffice's, or empty
    QList<QStringList> runs;
    QStringList links;    // "text -> target" or "text -> target (tooltip)"
    QStringList pictures; // describePicture
};

QString describeLink(const QString &text, const QString &target, const QString &toolTip)
{
    return text + u" -> "_s + target + (toolTip.isEmpty() ? QString() : u" ("_s + toolTip + u')');
}

Expectation expectation(const QString &name)
{
    Expectation e;
    const QStringList lines = readUtf8(dataDir() + u'/' + name + u".expect"_s).split(u'\n', Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const QStringList fields = line.split(u'\t');
        if (fields.first() == u"ours" && fields.size() == 2)
            e.oursBecause = fields.at(1);
        else if (fields.first() == u"run" && fields.size() == 5)
            e.runs.append(fields.mid(1));
        else if (fields.first() == u"link" && (fields.size() == 3 || fields.size() == 4))
            e.links.append(describeLink(fields.at(1), fields.at(2), fields.value(3)));
        else if (fields.first() == u"picture" && fields.size() == 2)
            e.pictures.append(fields.at(1));
        else if (!line.startsWith(u'#'))
            e.runs.append({u"malformed line: "_s + line});
    }
    return e;
}

std::unique_ptr<QTextDocument> load(const QString &name, RtfReport *report = nullptr)
{
    auto doc = newDocument();
    const LoadResult loaded = loadFile(*doc, dataDir() + u'/' + name + u".rtf"_s, false);
    if (report)
        *report = loaded.report;
    return doc;
}

// The runs of linked text, one entry per link however many runs it has.
QStringList linksOf(const QTextDocument &doc)
{
    QStringList links;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QString text;
        std::optional<model::Link> open;
        const auto close = [&] {
            if (open)
                links.append(describeLink(text, open->target, open->toolTip));
            text.clear();
        };
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const std::optional<model::Link> link = model::linkOf(it.fragment().charFormat());
            if (link != open)
                close();
            open = link;
            text += it.fragment().text();
        }
        close();
    }
    return links;
}

} // namespace

void TestRtfFiles::initTestCase()
{
    QVERIFY2(rtfDataFiles().size() >= 15, qPrintable(dataDir()));
}

void TestRtfFiles::textAsLibreOfficeShowsIt_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &name : rtfDataFiles())
        QTest::newRow(qPrintable(name)) << name;
}

void TestRtfFiles::textAsLibreOfficeShowsIt()
{
    QFETCH(QString, name);
    const Expectation e = expectation(name);
    const QString libreOffice = libreOfficeText(readUtf8(dataDir() + u'/' + name + u".lo.txt"_s));
    const QString oursPath = dataDir() + u'/' + name + u".txt"_s;
    // Our own text is kept exactly where a reason is given, and only where it differs.
    QCOMPARE(QFile::exists(oursPath), !e.oursBecause.isEmpty());
    const QString expected = e.oursBecause.isEmpty() ? libreOffice : libreOfficeText(readUtf8(oursPath));
    if (!e.oursBecause.isEmpty())
        QVERIFY2(expected != libreOffice, "NAME.txt is LibreOffice's text: drop it and the reason");

    RtfReport report;
    const auto doc = load(name, &report);
    QVERIFY2(!report.malformed, qPrintable(report.problem));
    QCOMPARE(QString::fromUtf8(toPlainText(*doc, LineEnding::LF)), expected);
}

void TestRtfFiles::runFormats_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("run"); // text, face, size, colour
    for (const QString &name : rtfDataFiles()) {
        const Expectation e = expectation(name);
        for (const QStringList &run : e.runs)
            QTest::newRow(qPrintable(name + u": "_s + run.first())) << name << run;
    }
}

void TestRtfFiles::runFormats()
{
    QFETCH(QString, name);
    QFETCH(QStringList, run);
    QCOMPARE(run.size(), 4);
    const auto doc = load(name);
    const QStringList paragraphs = paragraphTexts(*doc);
    int paragraph = 0;
    qsizetype at = -1;
    for (; paragraph < paragraphs.size() && at < 0; ++paragraph)
        at = paragraphs.at(paragraph).indexOf(run.at(0));
    QVERIFY2(at >= 0, "the run's text is not in the document");
    --paragraph;
    const QString expected = u"%1 %2 %3"_s.arg(run.at(1), run.at(2), run.at(3));
    for (qsizetype i = at; i < at + run.at(0).size(); ++i) {
        const QTextCharFormat f = formatAt(*doc, paragraph, int(i));
        const double size = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize()
                                                                       : doc->defaultFont().pointSizeF();
        QCOMPARE(u"%1 %2 %3"_s.arg(faceOf(*doc, f)).arg(size).arg(colourOf(f)), expected);
    }
}

void TestRtfFiles::tablesAsLibreOfficeFindsThem_data()
{
    QTest::addColumn<QString>("name");
    int tables = 0;
    for (const QString &name : rtfDataFiles()) {
        if (!QFile::exists(dataDir() + u'/' + name + u".lo.tables"_s))
            continue;
        QTest::newRow(qPrintable(name)) << name;
        ++tables;
    }
    QVERIFY(tables >= 6);
}

void TestRtfFiles::tablesAsLibreOfficeFindsThem()
{
    QFETCH(QString, name);
    const QString kept = readUtf8(dataDir() + u'/' + name + u".lo.tables"_s);
    QVERIFY(!kept.isEmpty());
    QCOMPARE(tableShapes(*load(name)), kept);
}

void TestRtfFiles::linksAndPictures_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &name : rtfDataFiles())
        QTest::newRow(qPrintable(name)) << name;
}

void TestRtfFiles::linksAndPictures()
{
    QFETCH(QString, name);
    const Expectation e = expectation(name);
    const auto doc = load(name);
    QCOMPARE(linksOf(*doc), e.links);
    QStringList pictures;
    for (const ShownPicture &p : picturesOf(*doc))
        pictures.append(describePicture(p));
    QCOMPARE(pictures, e.pictures);
}

void TestRtfFiles::saveKeepsLinksAndPictures_data()
{
    linksAndPictures_data();
}

void TestRtfFiles::saveKeepsLinksAndPictures()
{
    QFETCH(QString, name);
    const auto doc = load(name);
    auto saved = newDocument();
    const RtfReport report = readRtf(*saved, toRtf(*doc));
    QVERIFY2(!report.malformed, qPrintable(report.problem));
    QCOMPARE(markedLinks(*saved), markedLinks(*doc));
    QCOMPARE(picturesOf(*saved), picturesOf(*doc));
}

QTEST_GUILESS_MAIN(TestRtfFiles)
#include "tst_rtffiles.moc"
