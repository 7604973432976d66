#pragma once
// Draws a document's pictures in place of Qt's own image drawing: each at the
// size its format gives (scaled to the paint device's resolution, as Qt does
// for images), a picture Qt can decode as its image (cropped as the file
// says), any other as a frame of that size. Pictures are decoded when first
// drawn, at no more pixels than they are drawn with, and the decoded images
// are cached within a fixed memory cost.

#include <QCache>
#include <QImage>
#include <QObject>
#include <QTextObjectInterface>

class QTextDocument;

namespace kelmora::model::pictures {

class PictureHandler final : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    explicit PictureHandler(QObject *parent = nullptr);

    QSizeF intrinsicSize(QTextDocument *doc, int posInDocument, const QTextFormat &format) override;
    void drawObject(QPainter *painter, const QRectF &rect, QTextDocument *doc, int posInDocument,
                    const QTextFormat &format) override;

private:
    // The decoded picture for drawing at pixels, or a null image to frame.
    QImage image(const QTextDocument &doc, const QTextImageFormat &format, QSize pixels);

    QCache<QString, QImage> m_images; // cost in KiB
};

// Has doc's layout draw its pictures through a PictureHandler (owned by the
// layout). Call after doc has the layout it is shown or printed with.
void drawPicturesOf(QTextDocument &doc);

} // namespace kelmora::model::pictures
