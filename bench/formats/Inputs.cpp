#include "Inputs.h"

#include "BenchDocument.h"
#include "formats/DocumentIO.h"
#include "Measure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

#include <cstdio>

namespace kelmora::bench {

namespace {

void note(const QString &text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// Our RTF of `paragraphs` paragraphs, and LibreOffice's rewrite of it.
void makeRtf(const QString &dir, const QString &soffice, int paragraphs, const QString &ours, const QString &lo)
{
    note(QStringLiteral("generating %1 (%2 paragraphs)").arg(ours).arg(paragraphs));
    const auto doc = formattedDocument(paragraphs);
    formats::saveFile(*doc, ours, false, {});
    if (soffice.isEmpty())
        return;
    const QString outDir = dir + QStringLiteral("/lo-out");
    if (!convertWithLibreOffice(soffice, dir, ours, QStringLiteral("rtf"), outDir))
        qFatal("LibreOffice could not convert %s", qPrintable(ours));
    QFile::remove(lo);
    QFile::rename(outDir + u'/' + QFileInfo(ours).fileName(), lo);
}

// Paragraphs that make about `bytes` of LibreOffice's RTF (or ours without it).
int paragraphsFor(qint64 bytes, double bytesPerParagraph)
{
    return int(double(bytes) / bytesPerParagraph);
}

double measureBytesPerParagraph(const QString &dir, const QString &soffice)
{
    const int sample = 400;
    const QString ours = dir + QStringLiteral("/sample.rtf");
    const QString lo = dir + QStringLiteral("/sample-lo.rtf");
    makeRtf(dir, soffice, sample, ours, lo);
    return double(QFileInfo(soffice.isEmpty() ? ours : lo).size()) / sample;
}

} // namespace

bool convertWithLibreOffice(const QString &soffice, const QString &dir, const QString &file, const QString &filter,
                            const QString &outDir, double *seconds)
{
    const QString profile = QStringLiteral("-env:UserInstallation=file://") + dir + QStringLiteral("/lo-profile");
    const ProcessRun r = runProcess(soffice, {profile, QStringLiteral("--headless"), QStringLiteral("--norestore"),
                                              QStringLiteral("--convert-to"), filter, QStringLiteral("--outdir"),
                                              outDir, file});
    if (seconds)
        *seconds = r.seconds;
    return r.exitCode == 0;
}

Inputs prepareInputs(const QString &dir, const QString &soffice, bool regenerate)
{
    QDir().mkpath(dir);
    Inputs in;
    in.ours10 = dir + QStringLiteral("/ours-10mb.rtf");
    in.ours1 = dir + QStringLiteral("/ours-1mb.rtf");
    in.plain10 = dir + QStringLiteral("/plain-10mb.txt");
    in.plain50 = dir + QStringLiteral("/plain-50mb.txt");
    if (!soffice.isEmpty()) {
        in.libreOffice10 = dir + QStringLiteral("/lo-10mb.rtf");
        in.libreOffice1 = dir + QStringLiteral("/lo-1mb.rtf");
    }
    const bool have = QFile::exists(in.ours10) && QFile::exists(in.ours1) && QFile::exists(in.plain50) &&
                      (soffice.isEmpty() || (QFile::exists(in.libreOffice10) && QFile::exists(in.libreOffice1)));
    if (have && !regenerate)
        return in;
    const double perParagraph = measureBytesPerParagraph(dir, soffice);
    makeRtf(dir, soffice, paragraphsFor(10'000'000, perParagraph), in.ours10, in.libreOffice10);
    makeRtf(dir, soffice, paragraphsFor(1'000'000, perParagraph), in.ours1, in.libreOffice1);
    note(QStringLiteral("generating plain text"));
    writeBytes(in.plain10, plainText(10'000'000));
    writeBytes(in.plain50, plainText(50'000'000));
    return in;
}

} // namespace kelmora::bench
