#include "RtfPicture.h"

#include "formats/OutputSink.h"

namespace kelmora::formats {

namespace {

using model::pictures::Kind;

// 22 inches, the largest page side word processors accept, in twips.
constexpr int MaxTwips = 31680;
constexpr int Inch = 1440;

int scaled(long long twips, int percent)
{
    const long long v = twips * qBound(1, percent, 100000) / 100;
    return int(qBound(1LL, v, (long long)MaxTwips));
}

// The words that name a picture's kind.
std::optional<Kind> kindOf(Kw k)
{
    switch (k) {
    case Kw::Pngblip: return Kind::Png;
    case Kw::Jpegblip: return Kind::Jpeg;
    case Kw::Emfblip: return Kind::Emf;
    case Kw::Wmetafile: return Kind::Wmf;
    case Kw::Macpict: return Kind::MacPict;
    case Kw::Pmmetafile: return Kind::Os2Metafile;
    case Kw::Dibitmap: return Kind::Dib;
    case Kw::Wbitmap: return Kind::DeviceBitmap;
    default: return std::nullopt;
    }
}

qreal share(int cut, int whole)
{
    return whole > 0 ? qBound(0.0, qreal(cut) / whole, 1.0) : 0.0;
}

const char Hex[] = "0123456789abcdef";

} // namespace

void RtfPicture::reset()
{
    *this = RtfPicture();
}

void RtfPicture::keep(QByteArrayView rtf)
{
    grown(rtf.size());
    if (!m_refused)
        m_kept.append(rtf);
}

void RtfPicture::grown(qsizetype added)
{
    if (m_data.size() + m_kept.size() + added > MaxBytes) {
        m_refused = true;
        m_data.clear();
        m_kept.clear();
    }
}

void RtfPicture::groupStart()
{
    ++m_depth;
    keep("{");
    m_afterWord = false;
}

void RtfPicture::groupEnd()
{
    m_depth = qMax(0, m_depth - 1);
    keep("}");
    m_afterWord = false;
}

void RtfPicture::word(Kw k, const RtfToken &t)
{
    QByteArray rtf = '\\' + QByteArray(t.word.data(), qsizetype(t.word.size()));
    if (t.hasParam)
        rtf += QByteArray::number(t.param);
    keep(rtf);
    m_afterWord = true;
    if (!nested())
        topWord(k, t.param);
}

void RtfPicture::topWord(Kw k, int param)
{
    if (const std::optional<Kind> kind = kindOf(k)) {
        m_kind = *kind;
        return;
    }
    switch (k) {
    case Kw::Picw: m_picw = param; break;
    case Kw::Pich: m_pich = param; break;
    case Kw::Picwgoal: m_goalw = param; break;
    case Kw::Pichgoal: m_goalh = param; break;
    case Kw::Picscalex: m_scalex = param; break;
    case Kw::Picscaley: m_scaley = param; break;
    case Kw::Piccropl: m_cropl = param; break;
    case Kw::Piccropr: m_cropr = param; break;
    case Kw::Piccropt: m_cropt = param; break;
    case Kw::Piccropb: m_cropb = param; break;
    default: break;
    }
}

void RtfPicture::symbol(char symbol)
{
    const char rtf[] = {'\\', symbol == '\n' ? '\n' : symbol};
    keep(QByteArrayView(rtf, 2));
    m_afterWord = false;
}

void RtfPicture::text(QByteArrayView bytes)
{
    if (nested()) {
        keepText(bytes);
        return;
    }
    for (char c : bytes) {
        const int v = hexDigitValue(c);
        if (v < 0)
            continue;
        if (m_highNibble >= 0) {
            grown(1);
            if (!m_refused)
                m_data.append(char(m_highNibble << 4 | v));
            m_highNibble = -1;
        } else {
            m_highNibble = v;
        }
    }
}

void RtfPicture::keepText(QByteArrayView bytes)
{
    QByteArray rtf;
    if (m_afterWord)
        rtf += ' ';
    m_afterWord = false;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '\\' || c == '{' || c == '}')
            rtf += '\\';
        if (b >= 0x20 && b < 0x7f) {
            rtf += c;
        } else {
            rtf += "\\'";
            rtf += Hex[b >> 4];
            rtf += Hex[b & 15];
        }
    }
    keep(rtf);
}

void RtfPicture::binary(QByteArrayView bytes)
{
    if (!nested()) {
        grown(bytes.size());
        if (!m_refused)
            m_data.append(bytes);
        return;
    }
    keep(QByteArray("\\bin" + QByteArray::number(bytes.size()) + ' '));
    keep(bytes);
    m_afterWord = false;
}

model::pictures::Picture RtfPicture::picture() const
{
    model::pictures::Picture p;
    p.kind = m_kind;
    p.data = m_data;
    p.kept = m_kept;
    const QSize goal(m_goalw > 0 ? m_goalw : declaredTwips().width(), m_goalh > 0 ? m_goalh : declaredTwips().height());
    p.crop = QMarginsF(share(m_cropl, goal.width()), share(m_cropt, goal.height()), share(m_cropr, goal.width()),
                       share(m_cropb, goal.height()));
    return p;
}

QSize RtfPicture::declaredTwips() const
{
    const auto twips = [this](int declared) -> long long {
        switch (m_kind) {
        case Kind::Wmf: case Kind::Emf: case Kind::Os2Metafile:
            return (long long)declared * Inch / 2540; // hundredths of a millimetre
        case Kind::MacPict:
            return (long long)declared * 20; // points
        default:
            return (long long)declared * 15; // pixels at 96 dpi
        }
    };
    const auto side = [&](int declared) { return declared > 0 ? int(qMin<long long>(twips(declared), MaxTwips)) : 0; };
    return QSize(side(m_picw), side(m_pich));
}

QSize RtfPicture::sizeTwips() const
{
    QSize goal(m_goalw > 0 ? qMin(m_goalw, MaxTwips * 100) : declaredTwips().width(),
               m_goalh > 0 ? qMin(m_goalh, MaxTwips * 100) : declaredTwips().height());
    if (goal.isEmpty()) {
        const QSize pixels = model::pictures::claimedPixels(picture());
        goal = pixels.isEmpty() ? QSize(Inch, Inch)
                                : QSize(qMin(pixels.width(), MaxTwips), qMin(pixels.height(), MaxTwips)) * 15;
    }
    const long long width = (long long)goal.width() - qMax(0, m_cropl) - qMax(0, m_cropr);
    const long long height = (long long)goal.height() - qMax(0, m_cropt) - qMax(0, m_cropb);
    return QSize(scaled(width, m_scalex), scaled(height, m_scaley));
}

void writePictureGroup(OutputSink &out, const model::pictures::Picture &picture)
{
    out.put("{\\pict");
    out.put(picture.kept);
    const QByteArray &bytes = picture.data;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (i % 64 == 0)
            out.put('\n');
        const auto b = static_cast<unsigned char>(bytes[i]);
        out.put(Hex[b >> 4]);
        out.put(Hex[b & 15]);
    }
    out.put("}");
}

} // namespace kelmora::formats
