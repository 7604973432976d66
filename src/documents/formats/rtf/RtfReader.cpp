#include "RtfReader.h"

#include <utility>

namespace kelmora::formats {

RtfReader::RtfReader(QTextDocument &doc) : RtfReader(doc, nullptr, nullptr) {}

RtfReader::RtfReader(QTextDocument &doc, RtfFileTables *tables, RtfKeptContext *context)
    : m_doc(doc), m_ownTables(tables ? nullptr : std::make_unique<RtfFileTables>()),
      m_tables(tables ? *tables : *m_ownTables), m_ownContext{m_tables.kept, 0},
      m_context(context ? *context : m_ownContext),
      m_body(doc, m_settings, m_fonts, m_colours, m_lists, m_links, m_decoders,
             [this](const QString &p) { problem(p); })
{
    m_body.setKeptContext(&m_context);
    const auto set = [this](Dest d, RtfDestination &handler) { m_destinations[size_t(d)] = &handler; };
    set(Dest::Normal, m_body);
    set(Dest::Ignore, m_ignored);
    set(Dest::Skipped, m_skipped);
    set(Dest::FontTable, m_fontTable);
    set(Dest::ColorTable, m_colourTable);
    for (Dest d : {Dest::ListTable, Dest::List, Dest::ListLevel, Dest::ListOverrideTable, Dest::ListOverride})
        set(d, m_listTables);
    set(Dest::Field, m_fields);
    set(Dest::FieldInstruction, m_fields);
    set(Dest::Pn, m_pn);
    set(Dest::Picture, m_picture);
    set(Dest::UprChoice, m_upr);
    set(Dest::Info, m_info);
    set(Dest::InfoField, m_info);
    set(Dest::StyleSheet, m_styleSheet);
    set(Dest::Story, m_stories);
}

RtfReport RtfReader::read(QByteArrayView data)
{
    m_tokens = RtfTokenizer(data);
    m_stack.reserve(32);
    m_stack.append(GroupState()); // outside any group
    if (readTokens())
        problem(QStringLiteral("the data ends with %1 group(s) open").arg(m_stack.size() - 1));
    if (m_stack.size() < 2)
        m_stack.append(GroupState());
    flushBytes();
    m_body.finish(top());
    if (!m_tables.kept.problem().isEmpty())
        problem(m_tables.kept.problem());
    m_tables.kept.finish(m_doc);
    return m_report;
}

RtfReport RtfReader::readStory(QTextDocument &doc, RtfFileTables &tables, RtfKeptContext &context,
                               QByteArrayView content, const GroupState &start)
{
    RtfReader reader(doc, &tables, &context);
    reader.m_tokens = RtfTokenizer(content);
    GroupState group = start;
    group.dest = Dest::Normal;
    group.opensDest = false;
    group.upr = false;
    reader.m_stack = {GroupState(), group};
    reader.readTokens(); // the content ends where the story's group closes
    if (reader.m_stack.size() < 2)
        reader.m_stack.append(group);
    reader.flushBytes();
    reader.m_body.finish(reader.top());
    return reader.m_report;
}

bool RtfReader::readTokens()
{
    bool closed = false;    // the document's own group was closed
    bool exhausted = false; // the data ended first
    while (!closed && !exhausted) {
        const RtfToken t = m_tokens.next();
        const bool firstInGroup = std::exchange(m_groupOpened, false);
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
            onSymbol(t.symbol, firstInGroup);
            break;
        default:
            break;
        }
        // Skipping a damaged group can consume the document's own.
        closed = closed || m_stack.size() < 2;
    }
    return exhausted;
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
    RtfDestination &d = destination();
    if (d.joinsBytes())
        m_bytes.append(text);
    else
        d.bytes(top(), text);
}

void RtfReader::onHex(unsigned char byte)
{
    m_ignorable = false;
    if (m_fallback > 0) {
        --m_fallback;
        return;
    }
    RtfDestination &d = destination();
    const char c = char(byte);
    if (d.joinsBytes())
        m_bytes.append(c);
    else
        d.bytes(top(), QByteArrayView(&c, 1));
}

void RtfReader::flushBytes()
{
    if (m_bytes.isEmpty())
        return;
    destination().bytes(top(), m_bytes);
    m_bytes.resize(0);
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
    m_groupOpened = true;
    destination().groupStart(top());
}

void RtfReader::onGroupEnd()
{
    m_fallback = 0;
    m_ignorable = false;
    const GroupState closed = m_stack.takeLast();
    m_destinations[size_t(closed.dest)]->end(closed, top());
}

void RtfReader::skipGroup()
{
    dropGroup();
}

bool RtfReader::dropGroup()
{
    m_bytes.resize(0);
    m_fallback = 0;
    m_ignorable = false;
    const bool closed = m_tokens.skipGroup();
    if (!closed)
        problem(QStringLiteral("the data ends inside a skipped group"));
    m_stack.removeLast();
    return closed;
}

QByteArrayView RtfReader::takeGroup()
{
    const qsizetype from = m_tokens.position();
    const bool closed = dropGroup(); // the data may end first
    return m_tokens.data().sliced(from, m_tokens.position() - from - (closed ? 1 : 0));
}

void RtfReader::onWord(const RtfToken &t)
{
    const bool ignorable = std::exchange(m_ignorable, false);
    if (m_fallback > 0) {
        --m_fallback;
        return;
    }
    const Kw k = lookupWord(t.word);
    if (k == Kw::Bin) { // its data is never text, whoever reads the group
        onBinary(t.hasParam ? t.param : 0);
        return;
    }
    GroupState &s = top();
    RtfDestination &here = destination();
    if (here.readsEveryWord()) {
        here.word(s, k, t);
        return;
    }
    switch (k) {
    case Kw::Uc:
        s.uc = quint8(qBound(0, t.param, 16));
        return;
    case Kw::U:
        onUnicode(t.param);
        m_fallback = s.uc;
        return;
    default:
        break;
    }
    const Dest named = destinationOf(k);
    if (named != Dest::None && m_destinations[size_t(named)]->begin(s, k))
        return; // s may be gone: a skipped group is popped
    // "{\*" before a word we do not know, or before a destination that does
    // not start here, skips the group; before a word we know that names no
    // destination (\csN) it marks nothing.
    if (ignorable && (k == Kw::Unknown || named != Dest::None)) {
        skipGroup();
        return;
    }
    here.word(s, k, t);
}

void RtfReader::onUnicode(int value)
{
    // \uN is a signed 16-bit number: -1 is U+FFFF.
    const int v = value < 0 ? value + 0x10000 : value;
    const char16_t c = (v < 0 || v > 0xffff) ? u'\ufffd' : char16_t(v);
    destination().unicode(top(), c);
}

void RtfReader::onBinary(int count)
{
    const QByteArrayView data = m_tokens.takeBinary(count);
    if (data.size() < count)
        problem(QStringLiteral("\\bin%1 runs past the end of the data").arg(count));
    destination().binary(top(), data);
}

void RtfReader::onSymbol(char symbol, bool firstInGroup)
{
    // Only "{\*" marks a destination that may be skipped; a \* further on
    // in a group (writers leave them before character styles) marks nothing.
    if (symbol == '*' && !destination().readsEveryWord()) {
        m_ignorable = firstInGroup;
        return;
    }
    m_ignorable = false;
    if (m_fallback > 0) {
        --m_fallback;
        return;
    }
    destination().symbol(top(), symbol);
}

} // namespace kelmora::formats
