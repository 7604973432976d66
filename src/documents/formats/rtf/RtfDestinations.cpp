#include "RtfDestinations.h"

#include "RtfBody.h"

#include <array>

namespace kelmora::formats {

namespace {

struct DestinationWord {
    Kw word;
    Dest dest;
};

// The words that name a destination, besides the skipped ones (RtfWords.h).
constexpr DestinationWord DestinationWords[] = {
    {Kw::Result, Dest::Normal}, {Kw::Shprslt, Dest::Normal}, {Kw::Shppict, Dest::Normal}, {Kw::Ud, Dest::Normal},
    {Kw::Nesttableprops, Dest::Normal},
    {Kw::Object, Dest::Ignore}, {Kw::Shp, Dest::Ignore},
    {Kw::Field, Dest::Field}, {Kw::Fldinst, Dest::Field}, {Kw::Fldrslt, Dest::Field},
    {Kw::Fonttbl, Dest::FontTable},
    {Kw::Colortbl, Dest::ColorTable},
    {Kw::Listtable, Dest::ListTable}, {Kw::List, Dest::ListTable}, {Kw::Listlevel, Dest::ListTable},
    {Kw::Listoverridetable, Dest::ListTable}, {Kw::Listoverride, Dest::ListTable},
    {Kw::Pict, Dest::Picture},
    {Kw::Pn, Dest::Pn},
    {Kw::Upr, Dest::UprChoice},
    // What the editor keeps without showing it.
    {Kw::Info, Dest::Info}, {Kw::Title, Dest::Info}, {Kw::Subject, Dest::Info}, {Kw::Author, Dest::Info},
    {Kw::Manager, Dest::Info}, {Kw::Company, Dest::Info}, {Kw::Operator, Dest::Info},
    {Kw::Category, Dest::Info}, {Kw::Keywords, Dest::Info}, {Kw::Comment, Dest::Info},
    {Kw::Doccomm, Dest::Info}, {Kw::Hlinkbase, Dest::Info}, {Kw::Creatim, Dest::Info},
    {Kw::Revtim, Dest::Info}, {Kw::Printim, Dest::Info}, {Kw::Buptim, Dest::Info},
    {Kw::Atnid, Dest::Info}, {Kw::Atnauthor, Dest::Info}, {Kw::Atndate, Dest::Info},
    {Kw::Stylesheet, Dest::StyleSheet},
    {Kw::Header, Dest::Story}, {Kw::Headerl, Dest::Story}, {Kw::Headerr, Dest::Story},
    {Kw::Headerf, Dest::Story}, {Kw::Footer, Dest::Story}, {Kw::Footerl, Dest::Story},
    {Kw::Footerr, Dest::Story}, {Kw::Footerf, Dest::Story}, {Kw::Footnote, Dest::Story},
    {Kw::Annotation, Dest::Story},
};

constexpr std::array<Dest, size_t(Kw::Count)> destinationTable()
{
    std::array<Dest, size_t(Kw::Count)> table{};
    for (size_t k = 0; k < table.size(); ++k)
        table[k] = isSkippedDestination(Kw(k)) ? Dest::Skipped : Dest::None;
    for (const DestinationWord &d : DestinationWords)
        table[size_t(d.word)] = d.dest;
    return table;
}

constexpr std::array<Dest, size_t(Kw::Count)> Destinations = destinationTable();

bool inBody(Dest d)
{
    return d == Dest::Normal || d == Dest::Ignore;
}

void startIn(GroupState &group, Dest dest)
{
    group.dest = dest;
    group.opensDest = true;
}

} // namespace

Dest destinationOf(Kw word)
{
    return word < Kw::Count ? Destinations[size_t(word)] : Dest::None;
}

bool RtfIgnoredText::begin(GroupState &group, Kw)
{
    if (!inBody(group.dest))
        return false;
    startIn(group, Dest::Ignore);
    return true;
}

void RtfIgnoredText::word(GroupState &group, Kw k, const RtfToken &t)
{
    if (!applyDocumentWord(m_settings, k, t) && !applyCharacterWord(group.chr, k, t))
        applyParagraphWord(group.para, k, t);
}

bool RtfSkippedGroup::begin(GroupState &, Kw)
{
    m_control.skipGroup();
    return true;
}

bool RtfFontTableReader::begin(GroupState &group, Kw)
{
    startIn(group, Dest::FontTable);
    return true;
}

void RtfFontTableReader::bytes(GroupState &, QByteArrayView bytes)
{
    m_decoded.resize(0);
    m_decoders.get(m_fonts.entryCodePage(m_settings.codePage)).decode(bytes, m_decoded);
    m_fonts.appendText(m_decoded);
}

void RtfFontTableReader::unicode(GroupState &, char16_t c)
{
    m_fonts.appendText(QStringView(&c, 1));
}

void RtfFontTableReader::word(GroupState &, Kw k, const RtfToken &t)
{
    if (k == Kw::F)
        m_fonts.beginEntry(t.param);
    else if (k == Kw::Fcharset)
        m_fonts.setCharset(t.param);
    else if (k == Kw::Cpg)
        m_fonts.setCodePage(t.param);
}

void RtfFontTableReader::end(const GroupState &, GroupState &)
{
    m_fonts.endEntry(); // an entry group, or the table without a final ";"
}

bool RtfColorTableReader::begin(GroupState &group, Kw)
{
    startIn(group, Dest::ColorTable);
    return true;
}

void RtfColorTableReader::bytes(GroupState &, QByteArrayView bytes)
{
    for (char c : bytes) {
        if (c == ';')
            m_colours.endEntry();
    }
}

void RtfColorTableReader::word(GroupState &, Kw k, const RtfToken &t)
{
    if (k == Kw::Red)
        m_colours.setRed(t.param);
    else if (k == Kw::Green)
        m_colours.setGreen(t.param);
    else if (k == Kw::Blue)
        m_colours.setBlue(t.param);
}

bool RtfListTableReader::begin(GroupState &group, Kw k)
{
    // The two tables start anywhere; their entries only inside them.
    if (k == Kw::Listtable) {
        startIn(group, Dest::ListTable);
    } else if (k == Kw::Listoverridetable) {
        startIn(group, Dest::ListOverrideTable);
    } else if (k == Kw::List && group.dest == Dest::ListTable) {
        m_lists.beginList();
        startIn(group, Dest::List);
    } else if (k == Kw::Listlevel && group.dest == Dest::List) {
        m_lists.beginLevel();
        startIn(group, Dest::ListLevel);
    } else if (k == Kw::Listoverride && group.dest == Dest::ListOverrideTable) {
        m_lists.beginOverride();
        startIn(group, Dest::ListOverride);
    } else {
        return false;
    }
    return true;
}

void RtfListTableReader::word(GroupState &group, Kw k, const RtfToken &t)
{
    switch (group.dest) {
    case Dest::List:
        if (k == Kw::Listid)
            m_lists.setListId(t.param);
        break;
    case Dest::ListLevel:
        if (k == Kw::Levelnfc || k == Kw::Levelnfcn)
            m_lists.setLevelFormat(t.param);
        break;
    case Dest::ListOverride:
        if (k == Kw::Listid)
            m_lists.setOverrideListId(t.param);
        else if (k == Kw::Ls)
            m_lists.setOverrideNumber(t.param);
        break;
    default:
        break;
    }
}

bool RtfPictureReader::begin(GroupState &group, Kw)
{
    if (group.dest == Dest::Picture)
        return false;
    m_picture.reset();
    m_forBody = group.dest == Dest::Normal;
    startIn(group, Dest::Picture);
    return true;
}

void RtfPictureReader::groupStart(GroupState &)
{
    m_picture.groupStart();
}

void RtfPictureReader::bytes(GroupState &, QByteArrayView bytes)
{
    m_picture.text(bytes);
}

void RtfPictureReader::binary(GroupState &, QByteArrayView data)
{
    m_picture.binary(data);
}

void RtfPictureReader::symbol(GroupState &, char symbol)
{
    m_picture.symbol(symbol);
}

void RtfPictureReader::word(GroupState &, Kw k, const RtfToken &t)
{
    m_picture.word(k, t);
}

void RtfPictureReader::end(const GroupState &closed, GroupState &parent)
{
    if (!closed.opensDest) {
        m_picture.groupEnd();
        return;
    }
    if (m_picture.refused())
        m_control.problem(QStringLiteral("a picture of more than %1 bytes").arg(RtfPicture::MaxBytes));
    const model::pictures::Picture picture = m_picture.picture();
    if (!m_forBody || picture.data.isEmpty()) {
        m_picture.reset();
        return;
    }
    const QSize pixels = model::pictures::claimedPixels(picture);
    if (qint64(pixels.width()) * pixels.height() > model::pictures::PixelBudget) {
        m_control.problem(QStringLiteral("a picture claims %1 x %2 pixels; it is shown as a frame")
                              .arg(pixels.width())
                              .arg(pixels.height()));
    }
    const QSize size = m_picture.sizeTwips();
    m_picture.reset();
    m_body.appendPicture(parent.chr, picture, size);
}

bool RtfPnReader::begin(GroupState &group, Kw)
{
    if (!inBody(group.dest))
        return false;
    group.para.pn = PnKind::Other;
    startIn(group, Dest::Pn);
    return true;
}

void RtfPnReader::word(GroupState &group, Kw k, const RtfToken &)
{
    if (k == Kw::Pnlvlblt)
        group.para.pn = PnKind::Bullet;
    else if (k == Kw::Pnlvlbody || k == Kw::Pnlvl)
        group.para.pn = PnKind::Other;
    else if (k == Kw::Pnlvlcont)
        group.para.pn = PnKind::None;
}

void RtfPnReader::end(const GroupState &closed, GroupState &parent)
{
    if (closed.opensDest)
        parent.para.pn = closed.para.pn;
}

bool RtfUprReader::begin(GroupState &group, Kw)
{
    // The \upr group keeps its destination; its children become choices.
    group.upr = true;
    return true;
}

void RtfUprReader::bytes(GroupState &, QByteArrayView)
{
    m_control.skipGroup();
}

void RtfUprReader::unicode(GroupState &, char16_t)
{
    m_control.skipGroup();
}

void RtfUprReader::symbol(GroupState &, char symbol)
{
    if (symbol != '*') // {\*\ud ...} is the alternative read
        m_control.skipGroup();
}

void RtfUprReader::word(GroupState &group, Kw k, const RtfToken &)
{
    if (k == Kw::Ud)
        group.dest = group.uprParent;
    else
        m_control.skipGroup();
}

} // namespace kelmora::formats
