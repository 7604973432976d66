#include "PictureDrawing.h"

#include "Pictures.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QTextDocument>

#include <cmath>

namespace kelmora::model::pictures {

namespace {

// The unit of the editor's layout lengths: pixels at 96 dots per inch.
constexpr qreal LayoutDpi = 96.0;
constexpr int CacheKiB = 192 * 1024;

// The part of a side left after cropping, never below a hundredth.
qreal kept(qreal cutA, qreal cutB)
{
    return qMax(0.01, 1.0 - qBound(0.0, cutA, 1.0) - qBound(0.0, cutB, 1.0));
}

// A grey line one layout pixel wide (on paper too) just inside rect.
void drawFrame(QPainter &painter, const QRectF &rect)
{
    const qreal width = painter.device() ? qMax(1.0, painter.device()->logicalDpiX() / LayoutDpi) : 1.0;
    painter.save();
    painter.setPen(QPen(QColor(0x80, 0x80, 0x80), width));
    painter.setBrush(Qt::NoBrush);
    const qreal in = width / 2;
    painter.drawRect(rect.adjusted(in, in, -in, -in));
    painter.restore();
}

} // namespace

PictureHandler::PictureHandler(QObject *parent) : QObject(parent), m_images(CacheKiB) {}

QSizeF PictureHandler::intrinsicSize(QTextDocument *doc, int, const QTextFormat &format)
{
    const QTextImageFormat f = format.toImageFormat();
    QSizeF size(qMax(0.0, f.width()), qMax(0.0, f.height()));
    // Lengths are 96-dpi pixels; a printer lays out in its own.
    if (const QPaintDevice *device = doc->documentLayout()->paintDevice())
        size = QSizeF(size.width() * device->logicalDpiX() / LayoutDpi, size.height() * device->logicalDpiY() / LayoutDpi);
    return size;
}

void PictureHandler::drawObject(QPainter *painter, const QRectF &rect, QTextDocument *doc, int,
                                const QTextFormat &format)
{
    const QTextImageFormat f = format.toImageFormat();
    const std::optional<Picture> picture = pictureOf(*doc, f);
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QSizeF device = painter->transform().mapRect(rect).size() * ratio;
    const QImage decoded = picture ? image(*doc, f, QSize(int(std::ceil(device.width())), int(std::ceil(device.height()))))
                                   : QImage();
    if (decoded.isNull()) {
        drawFrame(*painter, rect);
        return;
    }
    const QMarginsF &c = picture->crop;
    const QRectF source(decoded.width() * qBound(0.0, c.left(), 1.0), decoded.height() * qBound(0.0, c.top(), 1.0),
                        decoded.width() * kept(c.left(), c.right()), decoded.height() * kept(c.top(), c.bottom()));
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(rect, decoded, source);
    painter->restore();
}

QImage PictureHandler::image(const QTextDocument &doc, const QTextImageFormat &format, QSize pixels)
{
    const QString key = format.name() + u'@' + QString::number(pixels.width()) + u'x' + QString::number(pixels.height());
    if (const QImage *cached = m_images.object(key))
        return *cached;
    QImage decoded;
    const std::optional<Picture> picture = pictureOf(doc, format);
    if (picture && isDrawn(*picture)) {
        QByteArray bytes = decodableBytes(*picture);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        // The whole picture at the pixels its shown part is drawn with, but
        // never more than it has.
        const QSize own = reader.size();
        const QSize wanted(int(std::ceil(pixels.width() / kept(picture->crop.left(), picture->crop.right()))),
                           int(std::ceil(pixels.height() / kept(picture->crop.top(), picture->crop.bottom()))));
        if (own.isValid() && !wanted.isEmpty() && wanted.width() < own.width() && wanted.height() < own.height())
            reader.setScaledSize(wanted);
        decoded = reader.read();
    }
    m_images.insert(key, new QImage(decoded), int(qMax<qsizetype>(1, decoded.sizeInBytes() / 1024)));
    return decoded;
}

void drawPicturesOf(QTextDocument &doc)
{
    QAbstractTextDocumentLayout *layout = doc.documentLayout();
    if (dynamic_cast<PictureHandler *>(layout->handlerForObject(QTextFormat::ImageObject)))
        return;
    layout->registerHandler(QTextFormat::ImageObject, new PictureHandler(layout));
}

} // namespace kelmora::model::pictures
