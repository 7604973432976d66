#include "PdfProbe.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kelmora::test {

ToolRun runTool(const QString &program, const QStringList &arguments, int timeoutMs)
{
    ToolRun run;
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty()) {
        run.error = program + u" is not installed: run scripts/deps.sh 'test*'"_s;
        return run;
    }
    QProcess p;
    p.start(path, arguments);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        run.error = program + u" did not finish: "_s + p.errorString();
        return run;
    }
    run.out = p.readAllStandardOutput();
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        run.error = u"%1 %2 failed (exit %3): %4"_s.arg(program, arguments.join(u' '))
                        .arg(p.exitCode())
                        .arg(QString::fromLocal8Bit(p.readAllStandardError()).trimmed());
    return run;
}

QList<PdfLine> PdfPage::lines() const
{
    QList<PdfWord> sorted = words;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const PdfWord &a, const PdfWord &b) { return a.box.center().y() < b.box.center().y(); });
    QList<QList<PdfWord>> groups;
    for (const PdfWord &w : sorted) {
        const bool sameLine = !groups.isEmpty()
            && qAbs(groups.last().first().box.center().y() - w.box.center().y()) < w.box.height() / 2;
        if (sameLine)
            groups.last() << w;
        else
            groups.append({w});
    }
    QList<PdfLine> out;
    for (QList<PdfWord> &group : groups) {
        std::stable_sort(group.begin(), group.end(),
                         [](const PdfWord &a, const PdfWord &b) { return a.box.left() < b.box.left(); });
        PdfLine line{group, group.first().box};
        for (const PdfWord &w : group)
            line.box |= w.box;
        out << line;
    }
    return out;
}

QStringList PdfLine::texts() const
{
    QStringList out;
    for (const PdfWord &w : words)
        out << w.text;
    return out;
}

QStringList PdfText::allWords() const
{
    QStringList out;
    for (const PdfPage &page : pages)
        for (const PdfLine &line : page.lines())
            out << line.texts();
    return out;
}

namespace {

qreal attr(const QXmlStreamReader &xml, QLatin1StringView name)
{
    return xml.attributes().value(name).toDouble();
}

} // namespace

PdfText readPdfText(const QString &path)
{
    PdfText text;
    const ToolRun run = runTool(u"pdftotext"_s, {u"-bbox"_s, path, u"-"_s});
    if (!run.ok()) {
        text.error = run.error;
        return text;
    }
    QXmlStreamReader xml(run.out);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"page") {
            text.pages.append({QSizeF(attr(xml, "width"_L1), attr(xml, "height"_L1)), {}});
        } else if (xml.name() == u"word" && !text.pages.isEmpty()) {
            const QRectF box(QPointF(attr(xml, "xMin"_L1), attr(xml, "yMin"_L1)),
                             QPointF(attr(xml, "xMax"_L1), attr(xml, "yMax"_L1)));
            text.pages.last().words.append({xml.readElementText(), box});
        }
    }
    if (xml.hasError())
        text.error = u"pdftotext output unreadable: "_s + xml.errorString();
    return text;
}

int pdfPageCount(const QString &path, QString *error)
{
    const ToolRun run = runTool(u"pdfinfo"_s, {path});
    if (!run.ok()) {
        *error = run.error;
        return -1;
    }
    static const QRegularExpression pages(u"^Pages:\\s+(\\d+)"_s, QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = pages.match(QString::fromUtf8(run.out));
    if (!m.hasMatch()) {
        *error = u"pdfinfo shows no page count for "_s + path;
        return -1;
    }
    return m.captured(1).toInt();
}

QStringList pdfFontNames(const QString &path, QString *error)
{
    const ToolRun run = runTool(u"pdffonts"_s, {path});
    if (!run.ok()) {
        *error = run.error;
        return {};
    }
    // Two heading lines, then one font per line, its name first.
    QStringList names;
    const QList<QByteArray> lines = run.out.split('\n');
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines[i]).trimmed();
        if (!line.isEmpty())
            names << line.section(u' ', 0, 0);
    }
    return names;
}

QImage renderPdfPage(const QString &path, int page, int dpi, QString *error)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(u"page"_s);
    const QString n = QString::number(page);
    const ToolRun run = runTool(u"pdftoppm"_s, {u"-r"_s, QString::number(dpi), u"-f"_s, n, u"-l"_s, n, u"-png"_s,
                                                u"-singlefile"_s, path, prefix});
    if (!run.ok()) {
        *error = run.error;
        return {};
    }
    QImage image(prefix + u".png"_s);
    if (image.isNull())
        *error = u"pdftoppm wrote no picture for "_s + path;
    return image;
}

} // namespace kelmora::test
