#include "RtfReader.h"

#include <utility>

namespace kelmora::formats {

RtfReader::RtfReader(QTextDocument &doc) : m_builder(doc) {}

RtfReader::~RtfReader() = default;

RtfReport RtfReader::read(QByteArrayView data)
{
    m_tokens = RtfTokenizer(data);
    m_stack.reserve(32);
    m_stack.append(GroupState()); // outside any group
    bool closed = false;    // the document's own group was closed
    bool exhausted = false; // the data ended first
    while (!closed && !exhausted) {
        const RtfToken t = m_tokens.next();
        switch (t.kind) {
        case RtfToken::Text:
            onText(t.text);
            continue;
        case RtfToken::Hex:
            onHex(t.hex);
            continue;
        default:
            break;
        }
        flushBytes();
        switch (t.kind) {
        case RtfToken::End:
            exhausted = true;
            break;
        case RtfToken::GroupStart:
            onGroupStart();
            break;
        case RtfToken::GroupEnd:
            closed = m_stack.size() <= 2; // the document's own group ends it
            if (!closed)
                onGroupEnd();
            break;
        case RtfToken::Word:
            onWord(t);
            break;
        case RtfToken::Symbol:
            onSymbol(t.symbol);
            break;
        default:
            break;
        }
        // Skipping a damaged group can consume the document's own.
        closed = closed || m_stack.size() < 2;
    }
    if (exhausted)
        problem(QStringLiteral("the data ends with %1 group(s) open").arg(m_stack.size() - 1));
    if (m_stack.size() < 2)
        m_stack.append(GroupState());
    flushBytes();
    flushSurrogate();
    m_builder.finish(paragraph(top().para));
    return m_report;
}

void RtfReader::problem(const QString &text)
{
    if (m_report.malformed)
        return;
    m_report.malformed = true;
    m_report.problem = text;
}

void RtfReader::onText(QByteArrayView text)
{
    m_ignorable = false;
    if (m_fallback > 0) {
        const qsizetype n = qMin(qsizetype(m_fallback), text.size());
        m_fallback -= int(n);
        text = text.sliced(n);
        if (text.isEmpty())
            return;
    }
    switch (top().dest) {
    case Dest::Normal:
    case Dest::FontTable:
        m_bytes.append(text);
        break;
    case Dest::ColorTable:
        for (char c : text) {
            if (c == ';')
                m_colours.endEntry();
        }
        break;
    case Dest::Picture:
        m_picture.appendHex(text);
        break;
    case Dest::UprChoice:
        skipCurrentGroup();
        break;
    default:
        break;
    }
}

void RtfReader::onHex(unsigned char byte)
{
    m_ignorable = false;
    if (m_fallback > 0) {
        --m_fallback;
        return;
    }
    const Dest dest = top().dest;
    if (dest == Dest::Normal || dest == Dest::FontTable)
        m_bytes.append(char(byte));
    else if (dest == Dest::UprChoice)
        skipCurrentGroup();
}

void RtfReader::flushBytes()
{
    if (m_bytes.isEmpty())
        return;
    const bool body = top().dest == Dest::Normal;
    int codePage = body ? bodyCodePage() : m_fonts.entryCodePage();
    if (codePage == 0)
        codePage = m_docCodePage;
    m_decoded.resize(0);
    decoder(codePage).decode(m_bytes, m_decoded);
    m_bytes.resize(0);
    textInDestination(m_decoded);
}

void RtfReader::textInDestination(QStringView text)
{
    switch (top().dest) {
    case Dest::Normal:
        appendBodyText(text);
        break;
    case Dest::FontTable:
        m_fonts.appendText(text);
        break;
    default:
        break;
    }
}

const CodePageDecoder &RtfReader::decoder(int codePage)
{
    std::unique_ptr<CodePageDecoder> &d = m_decoders[codePage];
    if (!d)
        d = std::make_unique<CodePageDecoder>(codePage);
    return *d;
}

void RtfReader::onGroupStart()
{
    m_fallback = 0;
    m_ignorable = false;
    if (m_stack.size() > MaxDepth) {
        problem(QStringLiteral("groups nested deeper than %1").arg(MaxDepth));
        if (!m_tokens.skipGroup())
            problem(QStringLiteral("the data ends inside a skipped group"));
        return;
    }
    GroupState s = top();
    s.opensDest = false;
    s.upr = false;
    if (top().upr) {
        s.uprParent = top().dest;
        s.dest = Dest::UprChoice;
    }
    m_stack.append(s);
}

void RtfReader::onGroupEnd()
{
    m_fallback = 0;
    m_ignorable = false;
    const GroupState closed = m_stack.takeLast();
    endDestination(closed);
}

void RtfReader::skipCurrentGroup()
{
    m_bytes.resize(0);
    m_fallback = 0;
    m_ignorable = false;
    if (!m_tokens.skipGroup())
        problem(QStringLiteral("the data ends inside a skipped group"));
    m_stack.removeLast();
}

void RtfReader::onWord(const RtfToken &t)
{
    const bool ignorable = std::exchange(m_ignorable, false);
    if (m_fallback > 0) {
        --m_fallback;
        return;
    }
    const Kw k = lookupWord(t.word);
    GroupState &s = top();
    if (s.dest == Dest::UprChoice) {
        if (k == Kw::Ud)
            s.dest = s.uprParent;
        else
            skipCurrentGroup();
        return;
    }
    if (isSkippedDestination(k)) {
        skipCurrentGroup();
        return;
    }
    switch (k) {
    case Kw::Bin:
        onBinary(t.hasParam ? t.param : 0);
        return;
    case Kw::Uc:
        s.uc = quint8(qBound(0, t.param, 16));
        return;
    case Kw::U:
        appendUnicode(t.param);
        m_fallback = s.uc;
        return;
    default:
        break;
    }
    if (startDestination(k))
        return;
    if (ignorable) {
        skipCurrentGroup();
        return;
    }
    switch (s.dest) {
    case Dest::Normal:
    case Dest::Ignore:
        bodyWord(k, t);
        break;
    case Dest::Picture:
        wordInPicture(k, t);
        break;
    default:
        wordInHeaderTable(k, t);
        break;
    }
}

void RtfReader::onBinary(int count)
{
    const QByteArrayView data = m_tokens.takeBinary(count);
    if (data.size() < count)
        problem(QStringLiteral("\\bin%1 runs past the end of the data").arg(count));
    if (top().dest == Dest::Picture)
        m_picture.appendBinary(data);
}

void RtfReader::onSymbol(char symbol)
{
    if (symbol == '*') {
        m_ignorable = true;
        return;
    }
    m_ignorable = false;
    if (m_fallback > 0) {
        --m_fallback;
        return;
    }
    if (top().dest == Dest::UprChoice) {
        skipCurrentGroup();
        return;
    }
    if (top().dest != Dest::Normal)
        return;
    switch (symbol) {
    case '~':
        appendBodyText(u"\u00a0");
        break;
    case '-':
        appendBodyText(u"\u00ad");
        break;
    case '_':
        appendBodyText(u"\u2011");
        break;
    case '\n':
        endParagraph();
        break;
    default:
        break; // \: \| and malformed escapes carry no text
    }
}

bool RtfReader::startDestination(Kw k)
{
    GroupState &s = top();
    const bool inBody = s.dest == Dest::Normal || s.dest == Dest::Ignore;
    Dest dest = s.dest;
    switch (k) {
    case Kw::Fonttbl: dest = Dest::FontTable; break;
    case Kw::Colortbl: dest = Dest::ColorTable; break;
    case Kw::Listtable: dest = Dest::ListTable; break;
    case Kw::Listoverridetable: dest = Dest::ListOverrideTable; break;
    case Kw::List: case Kw::Listlevel: case Kw::Listoverride:
        return startListEntry(k);
    case Kw::Pict:
        if (s.dest == Dest::Picture)
            return false; // a picture inside a picture: skipped as ignorable or ignored
        m_picture.reset();
        m_pictureForBody = s.dest == Dest::Normal;
        dest = Dest::Picture;
        break;
    case Kw::Pn:
        if (!inBody)
            return false;
        s.para.pn = PnKind::Other;
        dest = Dest::Pn;
        break;
    case Kw::Field: case Kw::Object: case Kw::Shp:
        if (!inBody)
            return false;
        dest = Dest::Ignore;
        break;
    case Kw::Fldrslt: case Kw::Result: case Kw::Shprslt:
        if (!inBody)
            return false;
        dest = Dest::Normal;
        break;
    case Kw::Shppict: case Kw::Ud:
        return inBody;
    case Kw::Upr:
        s.upr = true;
        return true;
    default:
        return false;
    }
    s.dest = dest;
    s.opensDest = true;
    return true;
}

// A list, a list level or a list override, each inside its own table.
bool RtfReader::startListEntry(Kw k)
{
    GroupState &s = top();
    if (k == Kw::List && s.dest == Dest::ListTable) {
        m_lists.beginList();
        s.dest = Dest::List;
    } else if (k == Kw::Listlevel && s.dest == Dest::List) {
        m_lists.beginLevel();
        s.dest = Dest::ListLevel;
    } else if (k == Kw::Listoverride && s.dest == Dest::ListOverrideTable) {
        m_lists.beginOverride();
        s.dest = Dest::ListOverride;
    } else {
        return false;
    }
    s.opensDest = true;
    return true;
}

void RtfReader::endDestination(const GroupState &closed)
{
    switch (closed.dest) {
    case Dest::FontTable:
        m_fonts.endEntry(); // an entry group or the table without a final ";"
        m_formatIds.clear();
        m_lastCharId = -1;
        break;
    case Dest::ColorTable:
        m_formatIds.clear();
        m_lastCharId = -1;
        break;
    case Dest::Pn:
        if (closed.opensDest)
            top().para.pn = closed.para.pn;
        break;
    case Dest::Picture:
        if (closed.opensDest)
            finishPicture();
        break;
    default:
        break;
    }
}

void RtfReader::wordInHeaderTable(Kw k, const RtfToken &t)
{
    GroupState &s = top();
    switch (s.dest) {
    case Dest::FontTable:
        if (k == Kw::F)
            m_fonts.beginEntry(t.param);
        else if (k == Kw::Fcharset)
            m_fonts.setCharset(t.param);
        else if (k == Kw::Cpg)
            m_fonts.setCodePage(t.param);
        break;
    case Dest::ColorTable:
        if (k == Kw::Red)
            m_colours.setRed(t.param);
        else if (k == Kw::Green)
            m_colours.setGreen(t.param);
        else if (k == Kw::Blue)
            m_colours.setBlue(t.param);
        break;
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
    case Dest::Pn:
        if (k == Kw::Pnlvlblt)
            s.para.pn = PnKind::Bullet;
        else if (k == Kw::Pnlvlbody || k == Kw::Pnlvl)
            s.para.pn = PnKind::Other;
        else if (k == Kw::Pnlvlcont)
            s.para.pn = PnKind::None;
        break;
    default:
        break;
    }
}

void RtfReader::wordInPicture(Kw k, const RtfToken &t)
{
    switch (k) {
    case Kw::Pngblip: m_picture.setKind(RtfPicture::Kind::Png); break;
    case Kw::Jpegblip: m_picture.setKind(RtfPicture::Kind::Jpeg); break;
    case Kw::Picw: m_picture.setPixelWidth(t.param); break;
    case Kw::Pich: m_picture.setPixelHeight(t.param); break;
    case Kw::Picwgoal: m_picture.setGoalWidth(t.param); break;
    case Kw::Pichgoal: m_picture.setGoalHeight(t.param); break;
    case Kw::Picscalex: m_picture.setScaleX(t.param); break;
    case Kw::Picscaley: m_picture.setScaleY(t.param); break;
    default: break;
    }
}

void RtfReader::finishPicture()
{
    const QByteArray data = m_picture.imageData();
    const QSize size = m_picture.sizeTwips();
    m_picture.reset();
    if (data.isEmpty() || !m_pictureForBody)
        return;
    appendObject(m_builder.addImage(data, size));
}

} // namespace kelmora::formats
