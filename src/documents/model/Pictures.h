#pragma once
// Pictures in a document. Every picture a file holds is kept as the file gave
// it: its kind, its bytes and what the file said about it besides (for RTF
// the control words of its \pict group), so that a save writes it back
// unchanged. The record lives in a resource of the document, named by the
// picture's format; the format itself carries the size the picture is shown
// at. What Qt can draw (PNG, JPEG, device-independent bitmaps) is drawn at
// that size (PictureDrawing.h); anything else is shown as a frame of that
// size, so that lines and pages break where the file's producer meant.
//
// A decoded picture costs memory in its pixels: a picture whose bytes claim
// more than PixelBudget pixels is never decoded, only framed.

#include <QByteArray>
#include <QMarginsF>
#include <QSize>
#include <QString>
#include <QTextImageFormat>

#include <optional>

class QTextDocument;

namespace kelmora::model::pictures {

enum class Kind { Png, Jpeg, Dib, Emf, Wmf, MacPict, Os2Metafile, DeviceBitmap, Unknown };

struct Picture {
    Kind kind = Kind::Unknown;
    QByteArray data; // the picture's bytes, as the file holds them
    QByteArray kept; // the file's description of it besides the bytes
    QMarginsF crop;  // the share of each side cut away, 0 to 1
    friend bool operator==(const Picture &, const Picture &) = default;
};

inline constexpr qint64 PixelBudget = 32'000'000;

// The short name of a kind: "png", "jpeg", "dib", "emf", "wmf", "pict",
// "os2", "ddb", "unknown".
QString kindName(Kind kind);

// Stores picture in doc (identical pictures share one record) and returns
// the format that shows it at sizeTwips.
QTextImageFormat addPicture(QTextDocument &doc, const Picture &picture, QSize sizeTwips);
// The record of the picture format shows, or nothing for a format that
// names no picture of doc.
std::optional<Picture> pictureOf(const QTextDocument &doc, const QTextImageFormat &format);
// The size format shows its picture at, in twips (empty when it has none).
QSize shownTwips(const QTextImageFormat &format);
// Gives to the record of every picture part shows that from holds and to
// lacks: a copy of some of a document (part, often to itself) keeps its
// pictures, and so does a paste.
void copyPictures(const QTextDocument &part, const QTextDocument &from, QTextDocument &to);

// The bytes an image reader decodes for picture (a device-independent
// bitmap gets the file header it lacks), or empty when its kind is not
// drawn or its bytes do not match its kind.
QByteArray decodableBytes(const Picture &picture);
// The size in pixels the picture's bytes claim, or an empty size.
QSize claimedPixels(const Picture &picture);
// True when the picture is drawn rather than framed: a kind Qt draws, bytes
// that match it, within the pixel budget.
bool isDrawn(const Picture &picture);

} // namespace kelmora::model::pictures
