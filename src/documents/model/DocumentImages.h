#pragma once
// Pictures in a document. A picture read from a file keeps its original PNG
// or JPEG bytes in a resource of its own (Qt may replace the displayed
// resource with a decoded image), so it is written back unchanged; a picture
// without them is written as PNG.

#include <QByteArray>
#include <QSize>
#include <QTextImageFormat>

#include <optional>

class QTextDocument;

namespace kelmora::model::images {

// Adds a PNG or JPEG picture to doc's resources and returns the format that
// shows it at its own size. Identical bytes share one resource.
QTextImageFormat addImage(QTextDocument &doc, const QByteArray &data);

struct EncodedImage {
    QByteArray bytes;
    bool jpeg = false;
    QSize pixels;
};
// The bytes to write for the picture of format, or nothing when doc has no
// such picture.
std::optional<EncodedImage> encodedImage(const QTextDocument &doc, const QTextImageFormat &format);

} // namespace kelmora::model::images
