#pragma once
// JPEG pictures decoded with libjpeg's decompressor: the about component's
// left picture is a JPEG, and the program decodes it itself rather than
// through Qt's image plug-ins. Grey, RGB/YCbCr and CMYK/YCCK files are read;
// the result is an RGB888 image of the file's size.

#include <QByteArray>
#include <QImage>

namespace kelmora::about {

// Decodes data; throws kelmora::Exception with libjpeg's message when the
// data is not a JPEG picture it can read, or the picture is unreasonably large.
QImage decodeJpeg(const QByteArray &data);

} // namespace kelmora::about
