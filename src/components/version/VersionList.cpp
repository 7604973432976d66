#include "VersionList.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace kelmora::version {

namespace {

constexpr char kCodePage[] = "windows-1254";

QByteArrayView productKey(QByteArrayView productCode)
{
    return productCode.first(std::min<qsizetype>(productCode.size(), 3));
}

} // namespace

QList<QByteArray> versionListLines(QByteArrayView list)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < list.size()) {
        qsizetype end = start;
        while (end < list.size() && list[end] != '\r' && list[end] != '\n')
            ++end;
        lines.append(list.sliced(start, std::min(end - start, MaxLineLength)).toByteArray());
        if (end < list.size() && list[end] == '\r' && end + 1 < list.size() && list[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

bool isProductLine(QByteArrayView line, QByteArrayView productCode)
{
    const QByteArrayView key = productKey(productCode);
    return !key.isEmpty() && line.indexOf(key) >= 0;
}

QByteArray versionOfLine(QByteArrayView line)
{
    const qsizetype comma = line.indexOf(',');
    const QByteArrayView rest = comma < 0 ? line : line.sliced(comma + 1);
    return rest.first(std::min<qsizetype>(rest.size(), 4)).toByteArray();
}

int compareVersions(QByteArrayView a, QByteArrayView b)
{
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

QString versionInUse(const QString &progVers)
{
    return progVers.mid(1);
}

std::optional<VersionVerdict> checkVersionList(const QList<QByteArray> &lines, QByteArrayView productCode,
                                               QByteArrayView inUse)
{
    std::optional<VersionVerdict> verdict;
    for (const QByteArray &line : lines) {
        if (!isProductLine(line, productCode))
            continue;
        QByteArray found = versionOfLine(line);
        const bool newer = compareVersions(found, inUse) > 0;
        verdict = VersionVerdict{std::move(found), newer};
    }
    return verdict;
}

QByteArray toListText(const QString &text)
{
    QStringEncoder encoder(kCodePage);
    if (!encoder.isValid())
        return text.toLatin1(); // a Qt without ICU: the Latin-1 part of the page
    return encoder(text);
}

QString fromListText(QByteArrayView bytes)
{
    QStringDecoder decoder(kCodePage);
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder(bytes);
}

} // namespace kelmora::version
