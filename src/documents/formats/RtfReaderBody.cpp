// The document part of RtfReader: character and paragraph properties, text
// control words, tables flattened to tabs, and the formats handed to the builder.

#include "RtfReader.h"

#include "EastAsian.h"

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

bool flagOn(const RtfToken &t)
{
    return !t.hasParam || t.param != 0;
}

int indentTwips(const RtfToken &t)
{
    return qBound(-MaxIndentTwips, t.param, MaxIndentTwips);
}

// Control characters, and characters that only structure a QTextDocument
// (an object mark without its object, frame marks), are not text.
bool isDroppedControl(char16_t c)
{
    return (c < 0x20 && c != u'\t') || c == 0xfffc || c == 0xfdd0 || c == 0xfdd1;
}

} // namespace

void RtfReader::bodyWord(Kw k, const RtfToken &t)
{
    if (documentWord(k, t) || characterWord(k, t) || paragraphWord(k, t))
        return;
    if (top().dest == Dest::Normal)
        textWord(k);
}

bool RtfReader::documentWord(Kw k, const RtfToken &t)
{
    switch (k) {
    case Kw::Ansi: m_docCodePage = 1252; break;
    case Kw::Mac: m_docCodePage = 10000; break;
    case Kw::Pc: m_docCodePage = 437; break;
    case Kw::Pca: m_docCodePage = 850; break;
    case Kw::Ansicpg:
        if (t.param > 0)
            m_docCodePage = t.param;
        break;
    case Kw::Deff:
        m_defaultFont = t.param;
        for (GroupState &s : m_stack) {
            if (s.chr.font < 0)
                s.chr.font = t.param;
        }
        break;
    default:
        return false;
    }
    return true;
}

bool RtfReader::characterWord(Kw k, const RtfToken &t)
{
    CharState &c = top().chr;
    switch (k) {
    case Kw::Plain:
        c = CharState();
        c.font = m_defaultFont;
        break;
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

bool RtfReader::paragraphWord(Kw k, const RtfToken &t)
{
    ParaState &p = top().para;
    const bool body = top().dest == Dest::Normal;
    switch (k) {
    case Kw::Pard: p = ParaState(); break;
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
    case Kw::Pnlvlblt: p.pn = PnKind::Bullet; break;
    case Kw::Pnlvlbody: case Kw::Pnlvl: p.pn = PnKind::Other; break;
    case Kw::Pnlvlcont: p.pn = PnKind::None; break;
    case Kw::Par:
        if (!body)
            break;
        // One paragraph per table row: breaks inside a cell become line breaks.
        if (p.inTable) {
            if (!m_builder.paragraphEmpty())
                appendBodyText(u"\u2028");
        } else {
            endParagraph();
        }
        break;
    case Kw::Cell: case Kw::Nestcell:
        if (body)
            endCell();
        break;
    case Kw::Row:
        if (body)
            endParagraph();
        break;
    case Kw::Nestrow:
        if (body)
            appendBodyText(u"\u2028");
        break;
    default:
        return false;
    }
    return true;
}

bool RtfReader::textWord(Kw k)
{
    const char16_t *text = nullptr;
    switch (k) {
    case Kw::Tab: text = u"\t"; break;
    case Kw::Line: text = u"\u2028"; break;
    case Kw::Bullet: text = u"\u2022"; break;
    case Kw::Endash: text = u"\u2013"; break;
    case Kw::Emdash: text = u"\u2014"; break;
    case Kw::Lquote: text = u"\u2018"; break;
    case Kw::Rquote: text = u"\u2019"; break;
    case Kw::Ldblquote: text = u"\u201c"; break;
    case Kw::Rdblquote: text = u"\u201d"; break;
    case Kw::Emspace: text = u"\u2003"; break;
    case Kw::Enspace: text = u"\u2002"; break;
    case Kw::Qmspace: text = u"\u2005"; break;
    case Kw::Zwj: text = u"\u200d"; break;
    case Kw::Zwnj: text = u"\u200c"; break;
    case Kw::Ltrmark: text = u"\u200e"; break;
    case Kw::Rtlmark: text = u"\u200f"; break;
    case Kw::Zwbo: text = u"\u200b"; break;
    case Kw::Zwnbo: text = u"\u2060"; break;
    case Kw::Page: case Kw::Sect: case Kw::Column:
        // Breaks between pages or sections end a paragraph that has text;
        // writers usually put them right after a \par.
        if (!m_builder.paragraphEmpty())
            endParagraph();
        return true;
    default:
        return false;
    }
    appendBodyText(QStringView(text));
    return true;
}

void RtfReader::appendBodyText(QStringView text)
{
    flushSurrogate();
    const CharState &state = top().chr;
    if (!state.hasEastAsian()) {
        appendRun(text, formatId(state.western()));
        return;
    }
    // East Asian characters take the \dbch face and size; so do spaces and
    // punctuation in text marked \dbch, as writers split runs by script.
    const bool markedEast = state.mode == AssocMode::EastAsian;
    const auto eastAt = [&](qsizetype i) {
        return isEastAsianAt(text, i) || (markedEast && !text[i].isLetterOrNumber());
    };
    qsizetype start = 0;
    bool east = eastAt(0);
    for (qsizetype i = 1; i <= text.size(); ++i) {
        if (i < text.size() && QChar::isLowSurrogate(text[i].unicode()))
            continue;
        const bool next = i < text.size() && eastAt(i);
        if (i < text.size() && next == east)
            continue;
        appendRun(text.sliced(start, i - start), formatId(east ? state.eastAsian() : state.western()));
        start = i;
        east = next;
    }
}

void RtfReader::appendRun(QStringView text, int id)
{
    if (m_cellTabPending) {
        m_cellTabPending = false;
        m_builder.appendText(u"\t", id);
    }
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (!isDroppedControl(c) && c != QChar::ParagraphSeparator)
            continue;
        m_builder.appendText(text.sliced(start, i - start), id);
        // A paragraph separator inside a run is a line break: paragraphs end at \par.
        if (c == QChar::ParagraphSeparator)
            m_builder.appendText(u"\u2028", id);
        start = i + 1;
    }
    m_builder.appendText(text.sliced(start), id);
}

void RtfReader::appendObject(int objectFormatId)
{
    flushSurrogate();
    if (m_cellTabPending) {
        m_cellTabPending = false;
        m_builder.appendText(u"\t", formatId(top().chr.western()));
    }
    m_builder.appendText(u"\ufffc", objectFormatId);
}

void RtfReader::appendUnicode(int value)
{
    // \uN is a signed 16-bit number: -1 is U+FFFF.
    const int v = value < 0 ? value + 0x10000 : value;
    const char16_t c = (v < 0 || v > 0xffff) ? u'\ufffd' : char16_t(v);
    const Dest dest = top().dest;
    if (dest == Dest::FontTable) {
        m_fonts.appendText(QStringView(&c, 1));
        return;
    }
    if (dest != Dest::Normal)
        return;
    if (QChar::isHighSurrogate(c)) {
        flushSurrogate();
        m_highSurrogate = c;
    } else if (QChar::isLowSurrogate(c)) {
        if (m_highSurrogate == 0) {
            appendBodyText(u"\ufffd");
            return;
        }
        const char16_t pair[2] = {m_highSurrogate, c};
        m_highSurrogate = 0;
        appendBodyText(QStringView(pair, 2));
    } else {
        appendBodyText(QStringView(&c, 1));
    }
}

void RtfReader::flushSurrogate()
{
    if (m_highSurrogate == 0)
        return;
    m_highSurrogate = 0;
    appendBodyText(u"\ufffd"); // a high surrogate without its low half
}

void RtfReader::endParagraph()
{
    flushSurrogate();
    m_cellTabPending = false;
    m_builder.endParagraph(paragraph(top().para));
}

void RtfReader::endCell()
{
    flushSurrogate();
    if (m_cellTabPending) // the cell before this one was empty
        m_builder.appendText(u"\t", formatId(top().chr.western()));
    m_cellTabPending = true;
}

int RtfReader::formatId(const CharState &state)
{
    if (m_lastCharId >= 0 && state == m_lastChar)
        return m_lastCharId;
    auto it = m_formatIds.constFind(state);
    if (it == m_formatIds.cend())
        it = m_formatIds.insert(state, m_builder.addCharFormat(makeCharFormat(state)));
    m_lastChar = state;
    m_lastCharId = it.value();
    return m_lastCharId;
}

QTextCharFormat RtfReader::makeCharFormat(const CharState &s) const
{
    QTextCharFormat f;
    const RtfFontTable::Font *font = m_fonts.find(s.font);
    if (font && !font->name.isEmpty())
        f.setFontFamilies(QStringList{font->name});
    f.setFontPointSize(s.halfPoints / 2.0);
    if (s.bold)
        f.setFontWeight(QFont::Bold);
    if (s.italic)
        f.setFontItalic(true);
    if (s.underline)
        f.setFontUnderline(true);
    if (s.strike)
        f.setFontStrikeOut(true);
    if (const auto colour = m_colours.colour(s.colour))
        f.setForeground(*colour);
    if (s.highlight > 0) {
        if (const auto colour = m_colours.colour(s.highlight))
            f.setBackground(*colour);
    }
    if (s.vertical == VerticalPos::Super)
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (s.vertical == VerticalPos::Sub)
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    return f;
}

DocumentBuilder::Paragraph RtfReader::paragraph(const ParaState &p) const
{
    DocumentBuilder::Paragraph r;
    switch (p.align) {
    case Align::Left: r.alignment = Qt::AlignLeft; break;
    case Align::Center: r.alignment = Qt::AlignHCenter; break;
    case Align::Right: r.alignment = Qt::AlignRight; break;
    case Align::Justify: r.alignment = Qt::AlignJustify; break;
    }
    // \li indents every line, \fi moves the first line from there.
    r.indents.first = p.li + p.fi;
    r.indents.left = -p.fi;
    r.indents.right = p.ri;
    const auto fromPn = [&p] {
        switch (p.pn) {
        case PnKind::Bullet: return model::Numbering::Bullet;
        case PnKind::Other: return model::Numbering::Other;
        case PnKind::None: break;
        }
        return model::Numbering::None;
    };
    if (p.ls > 0) {
        const auto listed = m_lists.numbering(p.ls, p.ilvl);
        r.numbering = listed ? *listed
                             : (p.pn == PnKind::Bullet ? model::Numbering::Bullet : model::Numbering::Other);
    } else {
        r.numbering = fromPn();
    }
    return r;
}

int RtfReader::bodyCodePage() const
{
    // Double-byte text marked \dbch is in the code page of the \dbch font.
    const CharState &c = top().chr;
    const bool east = c.mode == AssocMode::EastAsian && c.eastFont >= 0;
    const RtfFontTable::Font *font = m_fonts.find(east ? c.eastFont : c.font);
    return (font && font->codePage > 0) ? font->codePage : m_docCodePage;
}

} // namespace kelmora::formats
