#include "EditorInputs.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringList>

#include <cstdio>
#include <functional>

namespace kelmora::bench {

namespace {

const QList<QByteArray> &words()
{
    static const QList<QByteArray> list = QByteArray(
        "ve bir bu da ile için çok daha gibi kadar sonra şimdi ağaç çiçek güneş yağmur deniz kıyı "
        "dağ ırmak göl şehir köy sokak ev kapı pencere masa sandalye kitap defter kalem öğrenci "
        "öğretmen okul ders sınav başarı çalışma emek yorgunluk dinlenme uyku rüya sabah akşam gece "
        "gündüz yıl ay hafta gün saat dakika İstanbul Ankara İzmir Iğdır Çanakkale Şanlıurfa Muğla "
        "güzel büyük küçük uzun kısa geniş dar hızlı yavaş eski yeni genç yaşlı doğru yanlış kolay zor "
        "önemli gerekli mümkün olağanüstü düşünce duygu sevgi özlem umut korku cesaret sabır özgürlük")
                                                  .split(' ');
    return list;
}

// RTF for a UTF-8 word: ASCII as is, other letters as \uN?.
void appendRtfWord(QByteArray &out, const QByteArray &utf8)
{
    for (const QChar c : QString::fromUtf8(utf8)) {
        if (c.unicode() < 0x80) {
            out += char(c.unicode());
        } else {
            out += "\\u" + QByteArray::number(int(c.unicode())) + '?';
        }
    }
}

QString cached(const QString &path, const std::function<QByteArray()> &make)
{
    if (QFile::exists(path))
        return path;
    std::fprintf(stderr, "generating %s\n", qPrintable(path));
    const QByteArray bytes = make();
    QFile f(path + QStringLiteral(".part"));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    f.close();
    QFile::rename(f.fileName(), path);
    return path;
}

const char kRtfHeader[] =
    "{\\rtf1\\ansi\\ansicpg1254\\deff0\\uc1\n"
    "{\\fonttbl{\\f0\\fnil Arial;}{\\f1\\fnil Times New Roman;}{\\f2\\fnil Courier New;}{\\f3\\fnil Liberation Sans;}}\n"
    "{\\colortbl;\\red192\\green0\\blue0;\\red0\\green112\\blue192;\\red0\\green128\\blue64;}\n"
    "{\\*\\listtable{\\list\\listtemplateid1\\listsimple{\\listlevel\\levelnfc23\\leveljc0\\levelfollow0"
    "\\levelstartat1{\\leveltext\\'01\\u8226 ?;}{\\levelnumbers;}\\fi-360\\li720}\\listid1}\n"
    "{\\list\\listtemplateid2\\listsimple{\\listlevel\\levelnfc0\\leveljc0\\levelfollow0\\levelstartat1"
    "{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}\\fi-360\\li720}\\listid2}}\n"
    "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}"
    "{\\listoverride\\listid2\\listoverridecount0\\ls2}}\n";

QByteArray runPrefix(QRandomGenerator &rng)
{
    switch (rng.bounded(4)) {
    case 0: return "\\f" + QByteArray::number(rng.bounded(4)) + ' ';
    case 1: return "\\fs" + QByteArray::number(20 + 2 * rng.bounded(6)) + ' ';
    case 2: return rng.bounded(2) ? "\\b " : "\\i\\ul ";
    default: return "\\cf" + QByteArray::number(1 + rng.bounded(3)) + ' ';
    }
}

QByteArray paragraphPrefix(int index)
{
    if (index % 23 >= 19)
        return "\\pard\\ls1\\fi-360\\li720 ";
    if (index % 7 == 3)
        return "\\pard\\qc ";
    if (index % 5 == 1)
        return "\\pard\\qj\\li720\\ri360 ";
    return "\\pard ";
}

QByteArray makeRtf(qsizetype bytes)
{
    QRandomGenerator rng(1923);
    QByteArray out(kRtfHeader);
    out.reserve(bytes + 4096);
    for (int p = 0; out.size() < bytes; ++p) {
        out += paragraphPrefix(p);
        const int count = 40 + int(rng.bounded(80));
        for (int w = 0; w < count;) {
            out += '{' + runPrefix(rng);
            for (int run = 2 + int(rng.bounded(3)); run > 0 && w < count; --run, ++w) {
                appendRtfWord(out, words().at(int(rng.bounded(int(words().size())))));
                out += ' ';
            }
            out += '}';
        }
        out += "\\par\n";
    }
    out += "}\n";
    return out;
}

// Tables as Word writes them: each row's definition before its cells.
QByteArray makeTables(qsizetype bytes)
{
    QRandomGenerator rng(1299);
    QByteArray out(kRtfHeader);
    out.reserve(bytes + 4096);
    const QByteArray row = "\\trowd\\trgaph108\\trleft-108\\trbrdrt\\brdrs\\brdrw10\\trbrdrl\\brdrs\\brdrw10"
                           "\\trbrdrb\\brdrs\\brdrw10\\trbrdrr\\brdrs\\brdrw10\\trbrdrh\\brdrs\\brdrw10"
                           "\\trbrdrv\\brdrs\\brdrw10\\cellx1800\\cellx3600\\cellx5400\\cellx7200\\cellx9000\n\\pard\\intbl ";
    for (int t = 0; out.size() < bytes; ++t) {
        out += "\\pard Tablo " + QByteArray::number(t + 1) + "\\par\n";
        for (int r = 0; r < 20; ++r) {
            out += row;
            for (int c = 0; c < 5; ++c) {
                // Every fourth cell's text in a group of its own format.
                const bool grouped = rng.bounded(4) == 0;
                if (grouped)
                    out += '{' + runPrefix(rng);
                for (int w = 1 + int(rng.bounded(3)); w > 0; --w) {
                    appendRtfWord(out, words().at(int(rng.bounded(int(words().size())))));
                    if (w > 1)
                        out += ' ';
                }
                if (grouped)
                    out += '}';
                out += "\\cell ";
            }
            out += "\\row\n";
        }
    }
    out += "\\pard\\par}\n";
    return out;
}

QByteArray makePlain(qsizetype bytes)
{
    QRandomGenerator rng(1071);
    QByteArray out;
    out.reserve(bytes + 4096);
    while (out.size() < bytes) {
        const int count = 40 + int(rng.bounded(80));
        for (int i = 0; i < count; ++i) {
            out += words().at(int(rng.bounded(int(words().size()))));
            out += i + 1 < count ? ' ' : '\n';
        }
    }
    return out;
}

QByteArray makeList(int items, ListKind kind)
{
    QRandomGenerator rng(1453);
    QByteArray out(kRtfHeader);
    const QByteArray mark = kind == ListKind::Bullets   ? "\\ls1\\fi-360\\li720 "
                            : kind == ListKind::Numbers ? "\\ls2\\fi-360\\li720 "
                                                        : "\\fi-360\\li720 ";
    for (int i = 0; i < items; ++i) {
        out += "\\pard" + mark + "madde " + QByteArray::number(i + 1);
        for (int w = 5 + int(rng.bounded(6)); w > 0; --w) {
            out += ' ';
            appendRtfWord(out, words().at(int(rng.bounded(int(words().size())))));
        }
        out += "\\par\n";
    }
    out += "}\n";
    return out;
}

} // namespace

QString plainInput(const QString &dir, int megabytes)
{
    return cached(dir + QStringLiteral("/prose-%1mb.txt").arg(megabytes),
                  [=] { return makePlain(qsizetype(megabytes) * 1'000'000); });
}

QString rtfInput(const QString &dir, int megabytes)
{
    return cached(dir + QStringLiteral("/prose-%1mb.rtf").arg(megabytes),
                  [=] { return makeRtf(qsizetype(megabytes) * 1'000'000); });
}

QString tablesInput(const QString &dir, int megabytes)
{
    return cached(dir + QStringLiteral("/tables-%1mb.rtf").arg(megabytes),
                  [=] { return makeTables(qsizetype(megabytes) * 1'000'000); });
}

QString listInput(const QString &dir, int items, ListKind kind)
{
    const char *name = kind == ListKind::Bullets ? "bullets" : kind == ListKind::Numbers ? "numbers" : "paragraphs";
    return cached(dir + QStringLiteral("/%1-%2.rtf").arg(QLatin1String(name)).arg(items),
                  [=] { return makeList(items, kind); });
}

QString shortLinesInput(const QString &dir, int lines)
{
    return cached(dir + QStringLiteral("/lines-%1.txt").arg(lines), [=] {
        QByteArray out;
        for (int i = 0; i < lines; ++i)
            out += "s" + QByteArray::number(i) + '\n';
        return out;
    });
}

} // namespace kelmora::bench
