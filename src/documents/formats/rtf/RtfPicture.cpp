#include "RtfPicture.h"

#include "RtfTokenizer.h"

namespace kelmora::formats {

namespace {

// 22 inches, the largest page side word processors accept, in twips.
constexpr int MaxTwips = 31680;

int scaled(int twips, int percent)
{
    const long long v = (long long)twips * qBound(1, percent, 10000) / 100;
    return int(qBound(0LL, v, (long long)MaxTwips));
}

} // namespace

void RtfPicture::reset()
{
    *this = RtfPicture();
}

void RtfPicture::appendHex(QByteArrayView text)
{
    for (char c : text) {
        const int v = hexDigitValue(c);
        if (v < 0)
            continue;
        if (m_highNibble < 0) {
            m_highNibble = v;
        } else {
            m_data.append(char(m_highNibble << 4 | v));
            m_highNibble = -1;
        }
    }
}

void RtfPicture::appendBinary(QByteArrayView bytes)
{
    m_data.append(bytes);
}

QByteArray RtfPicture::imageData() const
{
    static constexpr char png[] = "\x89PNG\r\n\x1a\n";
    static constexpr char jpeg[] = "\xff\xd8\xff";
    const QByteArrayView data(m_data);
    if (m_kind == Kind::Png && data.startsWith(QByteArrayView(png, 8)))
        return m_data;
    if (m_kind == Kind::Jpeg && data.startsWith(QByteArrayView(jpeg, 3)))
        return m_data;
    return QByteArray();
}

QSize RtfPicture::sizeTwips() const
{
    // PNG and JPEG \picw/\pich are pixels; at 96 dpi a pixel is 15 twips.
    const int w = m_goalw > 0 ? m_goalw : qBound(0, m_picw, MaxTwips / 15) * 15;
    const int h = m_goalh > 0 ? m_goalh : qBound(0, m_pich, MaxTwips / 15) * 15;
    if (w <= 0 || h <= 0)
        return QSize();
    return QSize(scaled(w, m_scalex), scaled(h, m_scaley));
}

} // namespace kelmora::formats
