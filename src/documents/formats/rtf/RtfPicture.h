#pragma once
// Collects one \pict group: its kind, its sizes and its data, given as hex
// text or as \binN bytes. Only PNG and JPEG are kept (checked by their
// signatures, not by the control word alone); everything else is dropped.

#include <QByteArray>
#include <QByteArrayView>
#include <QSize>

namespace kelmora::formats {

class RtfPicture {
public:
    enum class Kind { Unknown, Png, Jpeg };

    void reset();
    void setKind(Kind kind) { m_kind = kind; }
    void setPixelWidth(int v) { m_picw = v; }
    void setPixelHeight(int v) { m_pich = v; }
    void setGoalWidth(int v) { m_goalw = v; }
    void setGoalHeight(int v) { m_goalh = v; }
    void setScaleX(int v) { m_scalex = v; }
    void setScaleY(int v) { m_scaley = v; }
    void appendHex(QByteArrayView text);
    void appendBinary(QByteArrayView bytes);

    // The image bytes when they are a PNG or JPEG of the declared kind, else empty.
    QByteArray imageData() const;
    // Shown size in twips, or an empty size when the file gives none.
    QSize sizeTwips() const;

private:
    Kind m_kind = Kind::Unknown;
    int m_picw = 0, m_pich = 0, m_goalw = 0, m_goalh = 0;
    int m_scalex = 100, m_scaley = 100;
    QByteArray m_data;
    int m_highNibble = -1;
};

} // namespace kelmora::formats
