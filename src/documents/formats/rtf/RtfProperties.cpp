#include "RtfProperties.h"

namespace kelmora::formats {

namespace {

// Word's largest indent, 22 inches; keeps absurd values out of the layout.
constexpr int MaxIndentTwips = 31680;
constexpr int MaxHalfPoints = 3276;
constexpr int MaxListLevel = 8;

// Sizes from 1 to 1638 pt, as the writer writes them; \fs0 is the default.
int halfPoints(const RtfToken &t)
{
    return t.param <= 0 ? 24 : qBound(2, t.param, MaxHalfPoints);
}

// \b and \b1 switch on, \b0 off.
bool flagOn(const RtfToken &t)
{
    return !t.hasParam || t.param != 0;
}

int indentTwips(const RtfToken &t)
{
    return qBound(-MaxIndentTwips, t.param, MaxIndentTwips);
}

} // namespace

bool applyDocumentWord(RtfDocumentSettings &settings, Kw k, const RtfToken &t)
{
    switch (k) {
    case Kw::Ansi: settings.codePage = 1252; break;
    case Kw::Mac: settings.codePage = 10000; break;
    case Kw::Pc: settings.codePage = 437; break;
    case Kw::Pca: settings.codePage = 850; break;
    case Kw::Ansicpg:
        if (t.param > 0)
            settings.codePage = t.param;
        break;
    case Kw::Deff: settings.defaultFont = t.param; break;
    default:
        return false;
    }
    return true;
}

bool applyCharacterWord(CharState &c, Kw k, const RtfToken &t)
{
    switch (k) {
    case Kw::Plain:
        // A field's result stays a link: \plain resets only the look.
        c = CharState{.link = c.link};
        break;
    case Kw::Cs: c.charStyle = t.param >= 0 ? t.param : -1; break;
    case Kw::F: c.font = t.param; break;
    case Kw::Fs:
        c.halfPoints = halfPoints(t);
        c.eastHalfPoints = 0; // \fs sizes East Asian text too, unless \afs says otherwise
        break;
    case Kw::Loch: case Kw::Hich: case Kw::Ltrch: c.mode = AssocMode::Western; break;
    case Kw::Dbch: c.mode = AssocMode::EastAsian; break;
    case Kw::Rtlch: c.mode = AssocMode::Other; break;
    case Kw::Af:
        if (c.mode == AssocMode::EastAsian)
            c.eastFont = t.param;
        break;
    case Kw::Afs:
        if (c.mode == AssocMode::EastAsian)
            c.eastHalfPoints = halfPoints(t);
        break;
    case Kw::B: c.bold = flagOn(t); break;
    case Kw::I: c.italic = flagOn(t); break;
    case Kw::Ulnone: c.underline = false; break;
    case Kw::Strike: case Kw::Striked: c.strike = flagOn(t); break;
    case Kw::Cf: c.colour = qMax(0, t.param); break;
    case Kw::Highlight: case Kw::Cb: case Kw::Chcbpat: c.highlight = qMax(0, t.param); break;
    case Kw::Super: c.vertical = VerticalPos::Super; break;
    case Kw::Sub: c.vertical = VerticalPos::Sub; break;
    case Kw::Nosupersub: c.vertical = VerticalPos::Normal; break;
    default:
        if (!isUnderlineOn(k))
            return false;
        c.underline = flagOn(t);
        break;
    }
    return true;
}

bool applyParagraphWord(ParaState &p, Kw k, const RtfToken &t)
{
    switch (k) {
    case Kw::Pard: p = ParaState(); break;
    case Kw::S: p.style = t.param >= 0 ? t.param : -1; break;
    case Kw::Ql: p.align = Align::Left; break;
    case Kw::Qc: p.align = Align::Center; break;
    case Kw::Qr: p.align = Align::Right; break;
    case Kw::Qj: case Kw::Qd: p.align = Align::Justify; break;
    case Kw::Fi: p.fi = indentTwips(t); break;
    case Kw::Li: case Kw::Lin: p.li = indentTwips(t); break;
    case Kw::Ri: case Kw::Rin: p.ri = indentTwips(t); break;
    case Kw::Ls: p.ls = t.param; break;
    case Kw::Ilvl: p.ilvl = qBound(0, t.param, MaxListLevel); break;
    case Kw::Intbl: p.inTable = flagOn(t); break;
    case Kw::Itap: p.itap = qMax(0, t.param); break;
    case Kw::Pnlvlblt: p.pn = PnKind::Bullet; break;
    case Kw::Pnlvlbody: case Kw::Pnlvl: p.pn = PnKind::Other; break;
    case Kw::Pnlvlcont: p.pn = PnKind::None; break;
    default:
        return false;
    }
    return true;
}

QStringView specialCharacter(Kw k)
{
    switch (k) {
    case Kw::Tab: return u"\t";
    case Kw::Line: return u"\u2028";
    case Kw::Bullet: return u"\u2022";
    case Kw::Endash: return u"\u2013";
    case Kw::Emdash: return u"\u2014";
    case Kw::Lquote: return u"\u2018";
    case Kw::Rquote: return u"\u2019";
    case Kw::Ldblquote: return u"\u201c";
    case Kw::Rdblquote: return u"\u201d";
    case Kw::Emspace: return u"\u2003";
    case Kw::Enspace: return u"\u2002";
    case Kw::Qmspace: return u"\u2005";
    case Kw::Zwj: return u"\u200d";
    case Kw::Zwnj: return u"\u200c";
    case Kw::Ltrmark: return u"\u200e";
    case Kw::Rtlmark: return u"\u200f";
    case Kw::Zwbo: return u"\u200b";
    case Kw::Zwnbo: return u"\u2060";
    default: return {};
    }
}

} // namespace kelmora::formats
