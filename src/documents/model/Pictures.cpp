#include "Pictures.h"

#include "DocumentModel.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImageReader>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>
#include <QtEndian>

#include <cmath>
#include <limits>

namespace kelmora::model::pictures {

namespace {

const QString Scheme = QStringLiteral("kelmora-picture:");

bool isPng(QByteArrayView data)
{
    return data.startsWith(QByteArrayView("\x89PNG\r\n\x1a\n", 8));
}

bool isJpeg(QByteArrayView data)
{
    return data.startsWith(QByteArrayView("\xff\xd8\xff", 3));
}

// What a device-independent bitmap's header says: its size and where its
// pixels start, counted from the header's first byte.
struct DibHeader {
    QSize size;
    qint64 pixelsAt = 0;
    qint64 pixelBytes = 1; // at least; exactly for uncompressed pixels
};

std::optional<DibHeader> dibHeader(QByteArrayView data)
{
    if (data.size() < 12)
        return std::nullopt;
    const auto u16 = [&data](qsizetype at) { return qFromLittleEndian<quint16>(data.data() + at); };
    const auto u32 = [&data](qsizetype at) { return qFromLittleEndian<quint32>(data.data() + at); };
    const quint32 headerSize = u32(0);
    if (headerSize == 12) { // the old core header: 16-bit sizes, 3-byte colours
        const int bits = u16(10);
        if (u16(8) != 1 || (bits != 1 && bits != 4 && bits != 8 && bits != 24))
            return std::nullopt;
        const qint64 colours = bits <= 8 ? (qint64(1) << bits) * 3 : 0;
        const qint64 row = (qint64(u16(4)) * bits + 31) / 32 * 4;
        return DibHeader{QSize(u16(4), u16(6)), 12 + colours, row * u16(6)};
    }
    if (headerSize < 40 || headerSize > 124 || data.size() < 40)
        return std::nullopt;
    const qint32 width = qint32(u32(4));
    const qint32 height = qint32(u32(8));
    const int bits = u16(14);
    const quint32 compression = u32(16);
    const quint32 used = u32(32);
    if (u16(12) != 1 || width <= 0 || height == 0 || height == std::numeric_limits<qint32>::min() ||
        (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) || used > 65536)
        return std::nullopt;
    qint64 colours = used > 0 ? qint64(used) * 4 : (bits <= 8 ? (qint64(1) << bits) * 4 : 0);
    if (headerSize == 40 && (compression == 3 || compression == 6)) // masks after the header
        colours += compression == 3 ? 12 : 16;
    const bool uncompressed = compression == 0 || compression == 3 || compression == 6;
    const qint64 row = (qint64(width) * bits + 31) / 32 * 4;
    return DibHeader{QSize(width, std::abs(height)), headerSize + colours,
                     uncompressed ? row * std::abs(qint64(height)) : 1};
}

bool bytesMatchKind(const Picture &p)
{
    switch (p.kind) {
    case Kind::Png: return isPng(p.data);
    case Kind::Jpeg: return isJpeg(p.data);
    case Kind::Dib: {
        const std::optional<DibHeader> header = dibHeader(p.data);
        return header && header->pixelsAt + header->pixelBytes <= p.data.size();
    }
    default: return false;
    }
}

QString keyOf(const Picture &p)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const char kind = char(p.kind);
    hash.addData(QByteArrayView(&kind, 1));
    for (qreal side : {p.crop.left(), p.crop.top(), p.crop.right(), p.crop.bottom()})
        hash.addData(QByteArray(QByteArray::number(side, 'g', 17) + ';'));
    hash.addData(QByteArray(QByteArray::number(p.kept.size()) + ':'));
    hash.addData(p.kept);
    hash.addData(p.data);
    return QString::fromLatin1(hash.result().toHex());
}

} // namespace

QString kindName(Kind kind)
{
    switch (kind) {
    case Kind::Png: return QStringLiteral("png");
    case Kind::Jpeg: return QStringLiteral("jpeg");
    case Kind::Dib: return QStringLiteral("dib");
    case Kind::Emf: return QStringLiteral("emf");
    case Kind::Wmf: return QStringLiteral("wmf");
    case Kind::MacPict: return QStringLiteral("pict");
    case Kind::Os2Metafile: return QStringLiteral("os2");
    case Kind::DeviceBitmap: return QStringLiteral("ddb");
    case Kind::Unknown: break;
    }
    return QStringLiteral("unknown");
}

QTextImageFormat addPicture(QTextDocument &doc, const Picture &picture, QSize sizeTwips)
{
    const QUrl name(Scheme + keyOf(picture));
    if (!doc.resource(QTextDocument::UserResource, name).isValid())
        doc.addResource(QTextDocument::UserResource, name, QVariant::fromValue(picture));
    QTextImageFormat format;
    format.setName(name.toString());
    format.setWidth(twipsToLayout(qMax(0, sizeTwips.width())));
    format.setHeight(twipsToLayout(qMax(0, sizeTwips.height())));
    return format;
}

std::optional<Picture> pictureOf(const QTextDocument &doc, const QTextImageFormat &format)
{
    const QString name = format.name();
    if (!name.startsWith(Scheme))
        return std::nullopt;
    const QVariant record = doc.resource(QTextDocument::UserResource, QUrl(name));
    if (record.metaType() != QMetaType::fromType<Picture>())
        return std::nullopt;
    return record.value<Picture>();
}

QSize shownTwips(const QTextImageFormat &format)
{
    if (!format.hasProperty(QTextFormat::ImageWidth) || !format.hasProperty(QTextFormat::ImageHeight))
        return QSize();
    return QSize(int(std::lround(format.width() * 15)), int(std::lround(format.height() * 15)));
}

void copyPictures(const QTextDocument &part, const QTextDocument &from, QTextDocument &to)
{
    for (QTextBlock block = part.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (!f.isImageFormat())
                continue;
            const QUrl name(f.toImageFormat().name());
            if (to.resource(QTextDocument::UserResource, name).isValid())
                continue;
            const QVariant record = from.resource(QTextDocument::UserResource, name);
            if (record.metaType() == QMetaType::fromType<Picture>())
                to.addResource(QTextDocument::UserResource, name, record);
        }
    }
}

QByteArray decodableBytes(const Picture &picture)
{
    if (!bytesMatchKind(picture))
        return QByteArray();
    if (picture.kind != Kind::Dib)
        return picture.data;
    const std::optional<DibHeader> header = dibHeader(picture.data);
    // The file header a bitmap file starts with: its mark, its size and
    // where the pixels start.
    QByteArray bmp(14, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    qToLittleEndian<quint32>(quint32(14 + picture.data.size()), bmp.data() + 2);
    qToLittleEndian<quint32>(quint32(14 + header->pixelsAt), bmp.data() + 10);
    return bmp + picture.data;
}

QSize claimedPixels(const Picture &picture)
{
    if (picture.kind == Kind::Dib) {
        const std::optional<DibHeader> header = dibHeader(picture.data);
        return header ? header->size : QSize();
    }
    if (!bytesMatchKind(picture))
        return QSize();
    if (picture.kind == Kind::Png) {
        // The header chunk comes first: width and height, big-endian.
        if (picture.data.size() < 24 || QByteArrayView(picture.data).sliced(12, 4) != "IHDR")
            return QSize();
        const quint32 width = qFromBigEndian<quint32>(picture.data.constData() + 16);
        const quint32 height = qFromBigEndian<quint32>(picture.data.constData() + 20);
        if (width == 0 || height == 0 || width > 0x7fffffff || height > 0x7fffffff)
            return QSize();
        return QSize(int(width), int(height));
    }
    QByteArray bytes = picture.data;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return QSize();
    const QSize size = QImageReader(&buffer).size();
    return size.isValid() ? size : QSize();
}

bool isDrawn(const Picture &picture)
{
    const QSize pixels = claimedPixels(picture);
    return bytesMatchKind(picture) && !pixels.isEmpty() && qint64(pixels.width()) * pixels.height() <= PixelBudget;
}

} // namespace kelmora::model::pictures
