// The editor benchmark: opening large documents in the real main frame
// (offscreen) until the first paint and until Qt has laid them out, the
// longest event meanwhile, whether the result can be typed in and scrolled,
// bold over everything and its undo, the refresh on a key with everything
// selected (and, in its own section, each step of the refresh), and long
// lists and table-heavy files opened and saved; each beside Qt's floor, a
// bare QTextEdit of the same size and font, in the same run. Prints Markdown
// for bench/README.md.
//
// usage: editor_bench [--dir DIR] [--runs N] [--sizes 1,10,50,100]
//                     [--items 10000,25000,50000,100000] [--table-sizes 1,5,10]
//                     [--only open|narrow|edit|lists|tables|limits|refresh]

#include "documents/RichEdit.h"
#include "EditorBench.h"
#include "EditorInputs.h"
#include "EventClock.h"
#include "RefreshSection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTextBlock>
#include <QTextDocument>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <utility>

using namespace kelmora;
using namespace kelmora::bench;

namespace {

struct Options {
    QString dir = QStringLiteral("/tmp/kelmora-bench-editor");
    int runs = 3;
    QList<int> sizes{1, 10, 50, 100};
    QList<int> items{10000, 25000, 50000, 100000};
    QList<int> tableSizes{1, 5, 10};
    QString only;
};

const QSize kFrame(1024, 768);      // its document windows' editors: about 760 x 470
const QSize kNarrowFrame(530, 768); // about half as wide

void out(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

QString ms(double s) { return QString::number(s * 1000, 'f', s < 0.1 ? 1 : 0) + QStringLiteral(" ms"); }
QString sec(double s) { return QString::number(s, 'f', 2) + QStringLiteral(" s"); }
QString ratio(double a, double b) { return b > 0 ? QString::number(a / b, 'f', 2) + QStringLiteral(" x") : QString(); }
double mb(const QString &path) { return QFileInfo(path).size() / 1e6; }

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

// The median of each figure over runs.
OpenFigures medianOpen(int runs, const std::function<OpenFigures()> &once)
{
    QList<double> c, p, l, d;
    OpenFigures last;
    bool finished = true, usable = true;
    for (int i = 0; i < runs; ++i) {
        last = once();
        c << last.command;
        p << last.firstPaint;
        l << last.longest;
        d << last.laidOut;
        finished = finished && last.finished;
        usable = usable && last.usable;
        if (!last.error.isEmpty())
            break;
    }
    last.command = median(c);
    last.firstPaint = median(p);
    last.longest = median(l);
    last.laidOut = median(d);
    last.finished = finished;
    last.usable = usable;
    return last;
}

QString laid(const OpenFigures &f) { return f.finished ? sec(f.laidOut) : QStringLiteral("**not within 300 s**"); }

struct Scale {
    QString input;
    double megabytes;
    OpenFigures ours;
};

void openRow(const Options &o, QSize frame, const QString &path, bool rtf, QList<Scale> *scale)
{
    FrameBench bench(frame);
    const OpenFigures ours = medianOpen(o.runs, [&] {
        const OpenFigures f = bench.open(path, true);
        bench.closeAll();
        return f;
    });
    const QString name = QFileInfo(path).fileName();
    if (!ours.error.isEmpty()) {
        out(QStringLiteral("| %1 | %2 MB | refused: \"%3\" in %4 | | | | | | | |")
                .arg(name).arg(mb(path), 0, 'f', 1).arg(ours.error, ms(ours.command)));
        return;
    }
    bench.open(path, false);
    const QSize size = bench.editorSize();
    bench.closeAll();
    FloorBench floor(size);
    const OpenFigures qt = medianOpen(o.runs, [&] { return rtf ? floor.openRtf(path) : floor.openPlain(path); });
    out(QStringLiteral("| %1 | %2 MB | %3 x %4 | %5 | %6 | %7 | %8 | %9 | %10 | %11 | %12 |")
            .arg(name).arg(mb(path), 0, 'f', 1).arg(size.width()).arg(size.height())
            .arg(sec(ours.command), ms(ours.firstPaint), ms(ours.longest), laid(ours),
                 ours.usable ? QStringLiteral("yes") : QStringLiteral("**no**"))
            .arg(ms(qt.command + qt.firstPaint), ms(qt.longest), laid(qt)));
    if (scale)
        scale->append({name, mb(path), ours});
}

void openHeader()
{
    out(QStringLiteral("| Input | Size | Editor | Open command (read, parse, hand over) | First paint after it | "
                       "Longest event while Qt lays out the rest | Laid out after | Typed, Ctrl+End, scrolled | "
                       "Qt's floor: call + first paint | floor: longest event | floor: laid out after |"));
    out(QStringLiteral("|---|---|---|---|---|---|---|---|---|---|---|"));
}

void openSection(const Options &o, QSize frame, const QList<int> &plainSizes, const QList<int> &rtfSizes)
{
    QList<Scale> scale;
    openHeader();
    for (int s : plainSizes)
        openRow(o, frame, plainInput(o.dir, s), false, &scale);
    for (int s : rtfSizes)
        openRow(o, frame, rtfInput(o.dir, s), true, &scale);
    out(QString());
    out(QStringLiteral("| Scaling | Size | Open command per MB | Laid out per MB |"));
    out(QStringLiteral("|---|---|---|---|"));
    for (const Scale &s : scale)
        out(QStringLiteral("| %1 | %2 MB | %3 | %4 |").arg(s.input).arg(s.megabytes, 0, 'f', 1)
                .arg(ms(s.ours.command / s.megabytes), ms(s.ours.laidOut / s.megabytes)));
    out(QString());
}

void editSection(const Options &o)
{
    const QString rtf = rtfInput(o.dir, 10);
    FrameBench bench(kFrame);
    bench.open(rtf, false);
    const QSize size = bench.editorSize();
    QList<double> bold, undo;
    for (int i = 0; i < o.runs; ++i) {
        bold << bench.toggleBold();
        undo << bench.undo();
    }
    FloorBench floor(size);
    floor.openRtf(rtf);
    QList<double> qbold, qundo;
    for (int i = 0; i < o.runs; ++i) {
        qbold << floor.mergeBold();
        qundo << floor.undo();
    }
    out(QStringLiteral("| %1 (%2 MB) | Kelmora | Qt's mergeCharFormat | Ratio | Target |").arg(QFileInfo(rtf).fileName()).arg(mb(rtf), 0, 'f', 1));
    out(QStringLiteral("|---|---|---|---|---|"));
    out(QStringLiteral("| bold over everything | %1 | %2 | %3 | < 1.2 x |").arg(ms(median(bold)), ms(median(qbold)), ratio(median(bold), median(qbold))));
    out(QStringLiteral("| its undo | %1 | %2 | %3 | < 1.2 x |").arg(ms(median(undo)), ms(median(qundo)), ratio(median(undo), median(qundo))));
    bench.closeAll();

    // The refresh on Shift down and up with a uniformly bold 10 MB selection.
    const QString plain = plainInput(o.dir, 10);
    bench.open(plain, false);
    bench.toggleBold();
    QList<double> shift, qshift;
    for (int i = 0; i < o.runs; ++i)
        shift << bench.shiftPressRelease();
    floor.openPlain(plain);
    floor.mergeBold();
    for (int i = 0; i < o.runs; ++i)
        qshift << floor.shiftPressRelease();
    out(QStringLiteral("| Shift down and up, all of %1 selected, bold | %2 | %3 (bare QTextEdit) | %4 | < 5 ms |")
            .arg(QFileInfo(plain).fileName(), ms(median(shift)), ms(median(qshift)), ratio(median(shift), median(qshift))));
    out(QString());
    bench.closeAll();
}

void listsSection(const Options &o)
{
    out(QStringLiteral("| List | Items | Open command | Laid out after | Save | Open + layout + save | Same paragraphs, "
                       "no list | Ratio | Target | Copy for printing | List turned off (all selected, bullet button) |"));
    out(QStringLiteral("|---|---|---|---|---|---|---|---|---|---|---|"));
    FrameBench bench(kFrame);
    const QString copy = o.dir + QStringLiteral("/open-copy.rtf");
    struct Extra {
        double saved = 0, printCopy = 0, off = 0;
    };
    auto measure = [&](const QString &path, Extra *extra) {
        QList<double> s, c, t;
        const OpenFigures f = medianOpen(o.runs, [&] {
            QFile::remove(copy);
            QFile::copy(path, copy);
            OpenFigures r = bench.open(copy, false);
            r.usable = bench.editor()->document()->firstBlock().textList() != nullptr; // bullets shown from the list
            s << bench.save();
            c << bench.printCopy();
            if (r.usable) {
                t << bench.toggleBullets();
                // Turned off, not on: no paragraph is left in a list.
                r.usable = bench.editor()->document()->firstBlock().textList() == nullptr;
            }
            bench.closeAll();
            return r;
        });
        *extra = {median(s), median(c), median(t)};
        return f;
    };
    for (int n : o.items) {
        Extra plain;
        const OpenFigures p = measure(listInput(o.dir, n, ListKind::None), &plain);
        const double tp = p.command + p.laidOut + plain.saved;
        for (const auto &[kind, name] : {std::pair{ListKind::Bullets, "bulleted"}, std::pair{ListKind::Numbers, "numbered"}}) {
            Extra e;
            const OpenFigures f = measure(listInput(o.dir, n, kind), &e);
            const double t = f.command + f.laidOut + e.saved;
            out(QStringLiteral("| %1 (\\ls) | %2 | %3 | %4 | %5 | %6 | %7 | %8 | < 1.5 x | %9 | %10 |")
                    .arg(QLatin1String(name))
                    .arg(n)
                    .arg(sec(f.command), laid(f), ms(e.saved), sec(t), sec(tp), ratio(t, tp), sec(e.printCopy),
                         f.usable ? sec(e.off) : QStringLiteral("**not turned off**")));
        }
    }
    out(QString());
}

// Table-heavy RTF: open (as the open section measures it) and save, at
// sizes whose figures per MB show whether the cost stays linear.
void tablesSection(const Options &o)
{
    openHeader();
    QList<Scale> scale;
    for (int s : o.tableSizes)
        openRow(o, kFrame, tablesInput(o.dir, s), true, &scale);
    out(QString());
    out(QStringLiteral("| Tables | Size | Open command per MB | Laid out per MB | Save (FileSaveItem) | Save per MB |"));
    out(QStringLiteral("|---|---|---|---|---|---|"));
    FrameBench bench(kFrame);
    const QString copy = o.dir + QStringLiteral("/tables-copy.rtf");
    for (const Scale &s : scale) {
        QList<double> saves;
        for (int i = 0; i < o.runs; ++i) {
            QFile::remove(copy);
            QFile::copy(o.dir + u'/' + s.input, copy);
            bench.open(copy, false);
            saves << bench.save();
            bench.closeAll();
        }
        const double save = median(saves);
        out(QStringLiteral("| %1 | %2 MB | %3 | %4 | %5 | %6 |").arg(s.input).arg(s.megabytes, 0, 'f', 1)
                .arg(ms(s.ours.command / s.megabytes), ms(s.ours.laidOut / s.megabytes), ms(save),
                     ms(save / s.megabytes)));
    }
    out(QString());
}

void limitsSection(const Options &o)
{
    FrameBench bench(kFrame);
    const QString lines = shortLinesInput(o.dir, 1'200'000);
    const OpenFigures f = bench.open(lines, false);
    out(QStringLiteral("| %1 (1,200,000 paragraphs) | %2 | error box: \"%3\" |").arg(QFileInfo(lines).fileName(), sec(f.command), f.error));
    out(QString());
}

Options parse(const QStringList &args)
{
    Options o;
    auto numbers = [](const QString &s) {
        QList<int> v;
        for (const QString &p : s.split(u','))
            v << p.toInt();
        return v;
    };
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        const QString &k = args.at(i), &v = args.at(i + 1);
        if (k == u"--dir") o.dir = v;
        else if (k == u"--runs") o.runs = qMax(1, v.toInt());
        else if (k == u"--sizes") o.sizes = numbers(v);
        else if (k == u"--items") o.items = numbers(v);
        else if (k == u"--table-sizes") o.tableSizes = numbers(v);
        else if (k == u"--only") o.only = v;
        else qFatal("unknown option %s", qPrintable(k));
    }
    return o;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    EventClock app(argc, argv);
    const Options o = parse(app.arguments());
    QDir().mkpath(o.dir);
    out(QStringLiteral("Machine: %1, %2 cores; Qt %3; median of %4 runs")
            .arg(QSysInfo::prettyProductName()).arg(QThread::idealThreadCount()).arg(QLatin1String(qVersion())).arg(o.runs));
    out(QString());
    auto want = [&](const char *s) { return o.only.isEmpty() || o.only == QLatin1String(s); };
    if (want("open"))
        openSection(o, kFrame, o.sizes, o.sizes);
    if (want("narrow"))
        openSection(o, kNarrowFrame, {10, 100}, {10, 50});
    if (want("edit"))
        editSection(o);
    if (want("lists"))
        listsSection(o);
    if (want("tables"))
        tablesSection(o);
    if (want("limits"))
        limitsSection(o);
    if (want("refresh"))
        refreshSection(o.dir, o.runs);
    return 0;
}
