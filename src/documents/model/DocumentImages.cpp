#include "DocumentImages.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QTextDocument>
#include <QUrl>

namespace kelmora::model::images {

namespace {

const QString ImageScheme = QStringLiteral("kelmora-image:");
const QString SourceScheme = QStringLiteral("kelmora-image-source:");

bool isJpeg(const QByteArray &data)
{
    return data.startsWith("\xff\xd8\xff");
}

bool isPng(const QByteArray &data)
{
    return data.startsWith(QByteArrayView("\x89PNG\r\n\x1a\n", 8));
}

QSize pixelSize(const QByteArray &data)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader(&buffer).size();
}

QByteArray toPng(const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return QByteArray();
    return png;
}

} // namespace

QTextImageFormat addImage(QTextDocument &doc, const QByteArray &data)
{
    const QString key =
        QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha1).toHex());
    const QUrl name(ImageScheme + key);
    doc.addResource(QTextDocument::ImageResource, name, data);
    doc.addResource(QTextDocument::UserResource, QUrl(SourceScheme + key), data);
    QTextImageFormat format;
    format.setName(name.toString());
    return format;
}

std::optional<EncodedImage> encodedImage(const QTextDocument &doc, const QTextImageFormat &format)
{
    const QString name = format.name();
    if (name.startsWith(ImageScheme)) {
        const QUrl source(SourceScheme + name.mid(ImageScheme.size()));
        const QByteArray bytes = doc.resource(QTextDocument::UserResource, source).toByteArray();
        if (isPng(bytes) || isJpeg(bytes))
            return EncodedImage{bytes, isJpeg(bytes), pixelSize(bytes)};
    }
    const QVariant shown = doc.resource(QTextDocument::ImageResource, QUrl(name));
    QImage image;
    if (shown.userType() == QMetaType::QByteArray) {
        const QByteArray bytes = shown.toByteArray();
        if (isPng(bytes) || isJpeg(bytes))
            return EncodedImage{bytes, isJpeg(bytes), pixelSize(bytes)};
        image.loadFromData(bytes);
    } else if (shown.userType() == QMetaType::QImage) {
        image = shown.value<QImage>();
    } else if (shown.userType() == QMetaType::QPixmap) {
        image = shown.value<QPixmap>().toImage();
    }
    if (image.isNull())
        return std::nullopt;
    const QByteArray png = toPng(image);
    if (png.isEmpty())
        return std::nullopt;
    return EncodedImage{png, false, image.size()};
}

} // namespace kelmora::model::images
