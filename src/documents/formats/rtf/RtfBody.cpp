#include "RtfBody.h"

#include "EastAsian.h"

namespace kelmora::formats {

namespace {

bool inBody(Dest d)
{
    return d == Dest::Normal || d == Dest::Ignore;
}

// Control characters, and characters that only structure a QTextDocument
// (an object mark without its object, frame marks), are not text.
bool isDroppedControl(char16_t c)
{
    return (c < 0x20 && c != u'\t') || c == 0xfffc || c == 0xfdd0 || c == 0xfdd1;
}

// The table nesting depth of a paragraph: \itap, or 1 for \intbl alone.
int tableDepth(const ParaState &p)
{
    return qMax(p.itap, p.inTable ? 1 : 0);
}

// The depth a \nestcell or \nestrow ends a cell or row of.
int nestedDepth(const ParaState &p)
{
    return qMax(2, p.itap);
}

} // namespace

RtfBody::RtfBody(QTextDocument &doc, RtfDocumentSettings &settings, const RtfFontTable &fonts,
                 const RtfColorTable &colours, const RtfListTable &lists, const RtfLinkTable &links,
                 CodePageDecoders &decoders, const TableBuilder::Problem &problem)
    : m_builder(doc), m_tables(m_builder, problem), m_tableWords(m_tables, colours, problem), m_settings(settings),
      m_fonts(fonts), m_colours(colours), m_lists(lists), m_links(links), m_decoders(decoders)
{
}

bool RtfBody::begin(GroupState &group, Kw word)
{
    if (!inBody(group.dest))
        return false;
    // The shown alternatives of objects and shapes; \shppict and \ud only
    // wrap what follows and keep the destination they are in.
    if (word == Kw::Result || word == Kw::Shprslt) {
        group.dest = Dest::Normal;
        group.opensDest = true;
    }
    // A nested table's row definition; some writers put the nested
    // table's cells in it too, which are read like any others.
    if (word == Kw::Nesttableprops)
        group.nestedTableProps = true;
    return true;
}

void RtfBody::bytes(GroupState &group, QByteArrayView bytes)
{
    m_decoded.resize(0);
    decode(group.chr, bytes, m_decoded);
    appendText(group.chr, m_decoded);
}

void RtfBody::decode(const CharState &state, QByteArrayView bytes, QString &out)
{
    decoderFor(state, bytes).decode(bytes, out);
}

void RtfBody::unicode(GroupState &group, char16_t c)
{
    if (QChar::isHighSurrogate(c)) {
        flushSurrogate(group.chr);
        m_highSurrogate = c;
    } else if (QChar::isLowSurrogate(c)) {
        if (m_highSurrogate == 0) {
            appendText(group.chr, u"\ufffd");
            return;
        }
        const char16_t pair[2] = {m_highSurrogate, c};
        m_highSurrogate = 0;
        appendText(group.chr, QStringView(pair, 2));
    } else {
        appendText(group.chr, QStringView(&c, 1));
    }
}

void RtfBody::symbol(GroupState &group, char symbol)
{
    switch (symbol) {
    case '~': appendText(group.chr, u"\u00a0"); break;
    case '-': appendText(group.chr, u"\u00ad"); break;
    case '_': appendText(group.chr, u"\u2011"); break;
    case '\n': endParagraph(group); break;
    default: break; // \: \| and malformed escapes carry no text
    }
}

void RtfBody::word(GroupState &group, Kw k, const RtfToken &t)
{
    if (keptWord(group, k, t))
        return;
    if (applyDocumentWord(m_settings, k, t) || applyCharacterWord(group.chr, k, t) ||
        applyParagraphWord(group.para, k, t) || m_tableWords.word(group, k, t) || structureWord(group, k))
        return;
    const QStringView text = specialCharacter(k);
    if (!text.isEmpty())
        appendText(group.chr, text);
}

bool RtfBody::structureWord(GroupState &group, Kw k)
{
    switch (k) {
    case Kw::Par:
        endParagraph(group);
        return true;
    case Kw::Cell:
        endCell(group, 1);
        return true;
    case Kw::Nestcell:
        endCell(group, nestedDepth(group.para));
        return true;
    case Kw::Row:
        endRow(group, 1);
        return true;
    case Kw::Nestrow:
        endRow(group, nestedDepth(group.para));
        return true;
    case Kw::Page: case Kw::Sect: case Kw::Column:
        // Breaks between pages or sections end a paragraph that has text;
        // writers usually put them right after a \par.
        if (!m_builder.paragraphEmpty())
            endParagraph(group);
        return true;
    default:
        return false;
    }
}

void RtfBody::appendText(const CharState &state, QStringView text)
{
    flushSurrogate(state);
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

void RtfBody::appendRun(QStringView text, int id)
{
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

void RtfBody::appendPicture(const CharState &state, const model::pictures::Picture &picture, QSize sizeTwips)
{
    flushSurrogate(state);
    QTextCharFormat link;
    if (const model::Link *l = m_links.find(state.link))
        model::setLink(link, *l);
    const int id = m_builder.addPicture(picture, sizeTwips, link);
    m_builder.appendText(u"\ufffc", id);
}

void RtfBody::flushSurrogate(const CharState &state)
{
    if (m_highSurrogate == 0)
        return;
    m_highSurrogate = 0;
    appendText(state, u"\ufffd"); // a high surrogate without its low half
}

void RtfBody::endParagraph(const GroupState &group)
{
    flushSurrogate(group.chr);
    const DocumentBuilder::Paragraph format = keptParagraph(group.para);
    const int depth = tableDepth(group.para);
    if (depth == 0 && m_tables.idle())
        m_builder.endParagraph(format);
    else
        m_tables.paragraph(depth, m_builder.takeParagraph(), format);
}

void RtfBody::endCell(const GroupState &group, int depth)
{
    flushSurrogate(group.chr);
    m_tables.endCell(depth, m_builder.takeParagraph(), paragraph(group.para));
}

void RtfBody::endRow(const GroupState &group, int depth)
{
    flushSurrogate(group.chr);
    std::optional<DocumentBuilder::Content> pending;
    if (!m_builder.paragraphEmpty())
        pending = m_builder.takeParagraph();
    m_tables.endRow(depth, std::move(pending), paragraph(group.para));
}

void RtfBody::finish(const GroupState &state)
{
    flushSurrogate(state.chr);
    // A section that starts after the last paragraph needs one to start.
    if (m_kept && m_kept->depth == 0 && m_kept->file.sectionPending() && m_builder.paragraphEmpty())
        endParagraph(state);
    if (!m_tables.idle()) {
        if (!m_builder.paragraphEmpty())
            m_tables.paragraph(tableDepth(state.para), m_builder.takeParagraph(), keptParagraph(state.para));
        m_tables.finish();
    }
    m_builder.finish(keptParagraph(state.para));
}

void RtfBody::forgetStaleFormats()
{
    const TablesSeen now{m_fonts.revision(), m_colours.revision(), m_settings.defaultFont};
    if (now == m_tablesSeen)
        return;
    m_tablesSeen = now;
    m_formatIds.clear();
    m_lastCharId = -1;
}

int RtfBody::formatId(const CharState &state)
{
    forgetStaleFormats();
    if (m_lastCharId >= 0 && state == m_lastChar)
        return m_lastCharId;
    auto it = m_formatIds.constFind(state);
    if (it == m_formatIds.cend())
        it = m_formatIds.insert(state, m_builder.addCharFormat(charFormat(state)));
    m_lastChar = state;
    m_lastCharId = it.value();
    return m_lastCharId;
}

QTextCharFormat RtfBody::makeCharFormat(const CharState &s) const
{
    QTextCharFormat f;
    const RtfFontTable::Font *font = m_fonts.find(fontNumber(s.font));
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
    if (const model::Link *link = m_links.find(s.link))
        model::setLink(f, *link);
    return f;
}

DocumentBuilder::Paragraph RtfBody::paragraph(const ParaState &p) const
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

int RtfBody::fontCodePage(int font) const
{
    const RtfFontTable::Font *f = m_fonts.find(font);
    return f ? f->codePage(m_settings.codePage) : m_settings.codePage;
}

const CodePageDecoder &RtfBody::decoderFor(const CharState &c, QByteArrayView bytes)
{
    const CodePageDecoder &run = m_decoders.get(fontCodePage(fontNumber(c.font)));
    if (c.mode != AssocMode::EastAsian || c.eastFont < 0)
        return run;
    // Text marked \dbch is in the \dbch font's page where it is double-byte
    // text of that page. Runs marked \dbch also hold Western text in a
    // Western font ("caf\'e9"), which keeps the run font's page.
    const CodePageDecoder &east = m_decoders.get(fontCodePage(c.eastFont));
    if (!east.isDoubleByte() || &east == &run)
        return run;
    if (run.isDoubleByte() || east.readsAsDoubleByte(bytes))
        return east;
    return run;
}

} // namespace kelmora::formats
