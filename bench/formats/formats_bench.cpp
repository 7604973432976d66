// The document format benchmarks: opening large RTF with kelmora-doc (whole
// process, wall time and peak memory) beside LibreOffice's and AbiWord's
// headless conversions of the same file, loading and saving inside this
// process beside Qt's own setPlainText, and search beside QTextDocument::find.
// Prints a Markdown report for bench/README.md.
//
// usage: formats_bench [--dir DIR] [--runs N] [--regenerate] [--no-references]
//                      [--only open|process|search]

#include "formats/DocumentIO.h"
#include "model/DocumentModel.h"
#include "model/TextDocument.h"
#include "Inputs.h"
#include "Measure.h"
#ifdef KELMORA_BENCH_FIND
#include "FindBench.h"
#include <QApplication>
#else
#include <QCoreApplication>
#endif

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTextDocument>
#include <QThread>

#include <cstdio>
#include <memory>

using namespace kelmora;
using namespace kelmora::bench;

namespace {

struct Options {
    QString dir = QStringLiteral("/tmp/kelmora-bench");
    int runs = 3;
    bool regenerate = false;
    bool references = true;
    QString only; // one section: open, process, search
};

void out(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

double megabytes(const QString &path)
{
    return QFileInfo(path).size() / 1e6;
}

QString seconds(double s)
{
    return QString::number(s, 'f', s < 10 ? 3 : 1) + QStringLiteral(" s");
}

QString verdict(bool met)
{
    return met ? QStringLiteral("met") : QStringLiteral("**missed**");
}

QString firstLine(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed().section(u'\n', 0, 0);
}

QString fileLine(const QString &path, const QString &key)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith(key.toLatin1()))
            return QString::fromLatin1(line.mid(line.indexOf(':') + 1)).trimmed();
    }
    return QString();
}

void machine(const QString &soffice)
{
    const double ramGiB = fileLine(QStringLiteral("/proc/meminfo"), QStringLiteral("MemTotal")).section(u' ', 0, 0).toDouble() /
                          1024 / 1024;
    out(QStringLiteral("Measured %1 on %2, %3 cores, %4 GiB RAM; Qt %5; %6; AbiWord %7.")
            .arg(QDateTime::currentDateTime().toString(Qt::ISODate),
                 fileLine(QStringLiteral("/proc/cpuinfo"), QStringLiteral("model name")))
            .arg(QThread::idealThreadCount())
            .arg(ramGiB, 0, 'f', 1)
            .arg(QString::fromLatin1(qVersion()),
                 soffice.isEmpty() ? QStringLiteral("no LibreOffice") : firstLine(soffice, {QStringLiteral("--version")}),
                 firstLine(QStringLiteral("abiword"), {QStringLiteral("--version")})));
    out(QString());
}

// Opening RTF with the whole kelmora-doc process, beside the references.
void openingRtf(const Options &o, const Inputs &in, const QString &soffice)
{
    const QString tool = QStringLiteral(KELMORA_DOC);
    out(QStringLiteral("| Opening (`kelmora-doc text FILE`, whole process) | Size | Time | MB/s | Peak memory |"));
    out(QStringLiteral("|---|---|---|---|---|"));
    for (const QString &file : {in.libreOffice10, in.ours10, in.libreOffice1, in.ours1}) {
        if (file.isEmpty())
            continue;
        const ProcessRun r = medianRun(o.runs, tool, {QStringLiteral("text"), file});
        out(QStringLiteral("| %1 | %2 MB | %3 | %4 | %5 MiB |")
                .arg(QFileInfo(file).fileName())
                .arg(megabytes(file), 0, 'f', 1)
                .arg(seconds(r.seconds))
                .arg(megabytes(file) / r.seconds, 0, 'f', 1)
                .arg(r.peakMiB, 0, 'f', 0));
    }
    out(QString());
    if (!o.references)
        return;

    const QString big = in.libreOffice10.isEmpty() ? in.ours10 : in.libreOffice10;
    const ProcessRun ours = medianRun(o.runs, tool, {QStringLiteral("text"), big});
    out(QStringLiteral("| %1 to text | Time | Peak memory | kelmora-doc is faster by | Target | |").arg(QFileInfo(big).fileName()));
    out(QStringLiteral("|---|---|---|---|---|---|"));
    out(QStringLiteral("| kelmora-doc | %1 | %2 MiB | | well under 1 s, < 200 MiB | %3 |")
            .arg(seconds(ours.seconds))
            .arg(ours.peakMiB, 0, 'f', 0)
            .arg(verdict(ours.seconds < 1.0 && ours.peakMiB < 200)));
    const QString outDir = o.dir + QStringLiteral("/reference-out");
    if (!soffice.isEmpty()) {
        // One conversion first, so the profile exists and the timing is of a warm start.
        convertWithLibreOffice(soffice, o.dir, o.dir + QStringLiteral("/sample.rtf"), QStringLiteral("txt"), outDir);
        QList<double> times;
        for (int i = 0; i < o.runs; ++i) {
            double s = 0;
            convertWithLibreOffice(soffice, o.dir, big, QStringLiteral("txt:Text (encoded):UTF8"), outDir, &s);
            times.append(s);
        }
        const double lo = median(times);
        out(QStringLiteral("| LibreOffice `--headless --convert-to txt` | %1 | | %2 x | 25 x | %3 |")
                .arg(seconds(lo))
                .arg(lo / ours.seconds, 0, 'f', 1)
                .arg(verdict(lo / ours.seconds >= 25)));
    }
    if (!QStandardPaths::findExecutable(QStringLiteral("abiword")).isEmpty()) {
        const ProcessRun abi = medianRun(o.runs, QStringLiteral("abiword"),
                                         {QStringLiteral("--to=txt"), QStringLiteral("-o"),
                                          outDir + QStringLiteral("/abiword.txt"), big});
        out(QStringLiteral("| AbiWord `--to=txt` | %1 | %2 MiB | %3 x | 4 x | %4 |")
                .arg(seconds(abi.seconds))
                .arg(abi.peakMiB, 0, 'f', 0)
                .arg(abi.seconds / ours.seconds, 0, 'f', 1)
                .arg(verdict(abi.seconds / ours.seconds >= 4)));
    }
    out(QString());
}

std::unique_ptr<QTextDocument> freshDocument()
{
    auto doc = std::make_unique<model::TextDocument>();
    model::prepareDocument(*doc);
    return doc;
}

// Loading and saving in this process.
void loadAndSave(const Options &o, const Inputs &in)
{
    out(QStringLiteral("| In the editor's process | Time | MB/s | Compared with | Target | |"));
    out(QStringLiteral("|---|---|---|---|---|---|"));
    const QString rtf = in.libreOffice10.isEmpty() ? in.ours10 : in.libreOffice10;
    std::unique_ptr<QTextDocument> doc;
    const double open = medianSeconds(o.runs, [&] { (void)formats::loadFile(*doc, rtf, false); },
                                      [&] { doc = freshDocument(); });
    out(QStringLiteral("| open %1 (loadFile) | %2 | %3 | | | |")
            .arg(QFileInfo(rtf).fileName(), seconds(open))
            .arg(megabytes(rtf) / open, 0, 'f', 1));
    const QString savedRtf = o.dir + QStringLiteral("/saved.rtf");
    const double save = medianSeconds(o.runs, [&] { formats::saveFile(*doc, savedRtf, false, {}); });
    out(QStringLiteral("| save it as RTF (saveFile, %1 MB) | %2 | %3 | %4 x the open | < 0.5 x | %5 |")
            .arg(megabytes(savedRtf), 0, 'f', 1)
            .arg(seconds(save))
            .arg(megabytes(savedRtf) / save, 0, 'f', 1)
            .arg(save / open, 0, 'f', 2)
            .arg(verdict(save < open / 2)));

    for (const QString &plain : {in.plain10, in.plain50}) {
        QFile f(plain);
        f.open(QIODevice::ReadOnly);
        const QString text = QString::fromUtf8(f.readAll());
        f.close();
        const double qt = medianSeconds(o.runs, [&] { doc->setPlainText(text); }, [&] { doc = freshDocument(); });
        const double ours = medianSeconds(o.runs, [&] { (void)formats::loadFile(*doc, plain, true); },
                                          [&] { doc = freshDocument(); });
        const bool big = plain == in.plain50;
        out(QStringLiteral("| open %1 (loadFile: read, check, decode, insert) | %2 | %3 | %4 x Qt's setPlainText (%5) | %6 | %7 |")
                .arg(QFileInfo(plain).fileName(), seconds(ours))
                .arg(megabytes(plain) / ours, 0, 'f', 1)
                .arg(ours / qt, 0, 'f', 2)
                .arg(seconds(qt), big ? QStringLiteral("< 1.5 x") : QString(),
                     big ? verdict(ours / qt <= 1.5) : QString()));
        const QString saved = o.dir + QStringLiteral("/saved.txt");
        formats::PlainTextForm lf;
        lf.lineEnding = formats::LineEnding::LF;
        const double write = medianSeconds(o.runs, [&] { formats::saveFile(*doc, saved, true, lf); });
        out(QStringLiteral("| save it as plain text (saveFile) | %1 | %2 | | %3 | %4 |")
                .arg(seconds(write))
                .arg(megabytes(saved) / write, 0, 'f', 1)
                .arg(big ? QStringLiteral("< 0.5 s") : QString(), big ? verdict(write < 0.5) : QString()));
    }
    out(QString());
}

void search(const Options &o, const Inputs &in)
{
#ifdef KELMORA_BENCH_FIND
    const QString rtf = in.libreOffice10.isEmpty() ? in.ours10 : in.libreOffice10;
    out(QStringLiteral("| Search %1 for an absent word | TRichEdit::FindText | QTextDocument::find | Ratio | Target | |")
            .arg(QFileInfo(rtf).fileName()));
    out(QStringLiteral("|---|---|---|---|---|---|"));
    for (const FindTimes &t : measureFind(rtf, o.runs)) {
        out(QStringLiteral("| \"%1\"%2 | %3 | %4 | %5 x | < 1.5 x | %6 |")
                .arg(t.word, t.matchCase ? QStringLiteral(", match case") : QString(), seconds(t.ours), seconds(t.qt))
                .arg(t.ours / t.qt, 0, 'f', 2)
                .arg(verdict(t.ours / t.qt <= 1.5)));
    }
    out(QString());
#else
    Q_UNUSED(o);
    Q_UNUSED(in);
    out(QStringLiteral("Search: not measured (built without the widgets)."));
#endif
}

Options parse(const QStringList &args)
{
    Options o;
    for (int i = 1; i < args.size(); ++i) {
        if (args.at(i) == u"--dir" && i + 1 < args.size())
            o.dir = args.at(++i);
        else if (args.at(i) == u"--runs" && i + 1 < args.size())
            o.runs = qMax(1, args.at(++i).toInt());
        else if (args.at(i) == u"--regenerate")
            o.regenerate = true;
        else if (args.at(i) == u"--no-references")
            o.references = false;
        else if (args.at(i) == u"--only" && i + 1 < args.size())
            o.only = args.at(++i);
        else
            qFatal("usage: formats_bench [--dir DIR] [--runs N] [--regenerate] [--no-references] [--only open|process|search]");
    }
    return o;
}

} // namespace

int main(int argc, char **argv)
{
#ifdef KELMORA_BENCH_FIND
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    const Options o = parse(app.arguments());
    const QString soffice = o.references ? QStandardPaths::findExecutable(QStringLiteral("soffice")) : QString();
    const Inputs in = prepareInputs(o.dir, soffice, o.regenerate);
    machine(soffice);
    if (o.only.isEmpty() || o.only == u"open")
        openingRtf(o, in, soffice);
    if (o.only.isEmpty() || o.only == u"process")
        loadAndSave(o, in);
    if (o.only.isEmpty() || o.only == u"search")
        search(o, in);
    return 0;
}
