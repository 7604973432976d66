#include "RtfFields.h"

#include "RtfBody.h"
#include "RtfProperties.h"

namespace kelmora::formats {

namespace {

struct FieldToken {
    QString text;
    bool isSwitch = false; // \l, \o, \* ...: text holds the name
};

// The next argument or switch of a field instruction from pos on. Quoted
// arguments may hold blanks; inside them \" is a quote and \\ a backslash,
// elsewhere \\ is a backslash. An unclosed quote runs to the end.
std::optional<FieldToken> nextToken(QStringView s, qsizetype &pos)
{
    while (pos < s.size() && s[pos].isSpace())
        ++pos;
    if (pos >= s.size())
        return std::nullopt;
    FieldToken t;
    const auto escaped = [&s, &pos](bool inQuotes) {
        return s[pos] == u'\\' && pos + 1 < s.size() && (s[pos + 1] == u'\\' || (inQuotes && s[pos + 1] == u'"'));
    };
    if (s[pos] == u'"') {
        for (++pos; pos < s.size() && s[pos] != u'"'; ++pos) {
            if (escaped(true))
                ++pos;
            t.text += s[pos];
        }
        ++pos; // the closing quote
        return t;
    }
    if (s[pos] == u'\\' && !escaped(false) && pos + 1 < s.size()) {
        t.isSwitch = true;
        t.text += s[++pos];
        for (++pos; pos < s.size() && s[pos].isLetter(); ++pos)
            t.text += s[pos];
        return t;
    }
    for (; pos < s.size() && !s[pos].isSpace() && s[pos] != u'"'; ++pos) {
        if (escaped(false))
            ++pos;
        t.text += s[pos];
    }
    return t;
}

QString quoted(QStringView text)
{
    QString r(1, u'"');
    for (QChar c : text) {
        if (c == u'\\' || c == u'"')
            r += u'\\';
        r += c;
    }
    return r + u'"';
}

} // namespace

std::optional<model::Link> parseHyperlink(QStringView instruction)
{
    qsizetype pos = 0;
    const std::optional<FieldToken> kind = nextToken(instruction, pos);
    if (!kind || kind->isSwitch || kind->text.compare(u"HYPERLINK", Qt::CaseInsensitive) != 0)
        return std::nullopt;
    std::optional<QString> target;
    QString location;
    QString toolTip;
    while (const std::optional<FieldToken> t = nextToken(instruction, pos)) {
        if (!t->isSwitch) {
            if (!target)
                target = t->text;
            continue;
        }
        // \l, \o, \t and the general \* take an argument; \m, \n, \h none.
        const QString name = t->text.toLower();
        if (name != u"l" && name != u"o" && name != u"t" && name != u"*")
            continue;
        const qsizetype before = pos;
        const std::optional<FieldToken> argument = nextToken(instruction, pos);
        if (!argument || argument->isSwitch) {
            pos = before;
            continue;
        }
        if (name == u"l")
            location = argument->text;
        else if (name == u"o")
            toolTip = argument->text;
    }
    QString address = target.value_or(QString());
    if (!location.isEmpty())
        address += u'#' + location;
    if (address.isEmpty())
        return std::nullopt;
    return model::Link{address, toolTip, instruction.trimmed().toString()};
}

QString hyperlinkInstruction(const model::Link &link)
{
    if (!link.kept.isEmpty()) {
        const std::optional<model::Link> kept = parseHyperlink(link.kept);
        if (kept && kept->target == link.target && kept->toolTip == link.toolTip)
            return link.kept;
    }
    QString r = QStringLiteral("HYPERLINK ");
    if (link.target.startsWith(u'#'))
        r += QStringLiteral("\\l ") + quoted(QStringView(link.target).sliced(1));
    else
        r += quoted(link.target);
    if (!link.toolTip.isEmpty())
        r += QStringLiteral(" \\o ") + quoted(link.toolTip);
    return r;
}

int RtfLinkTable::add(model::Link link)
{
    m_links.append(std::move(link));
    return int(m_links.size());
}

const model::Link *RtfLinkTable::find(int number) const
{
    return number > 0 && number <= m_links.size() ? &m_links.at(number - 1) : nullptr;
}

bool RtfFieldReader::begin(GroupState &group, Kw k)
{
    // The instruction and the result start in a group of their own.
    switch (k) {
    case Kw::Field:
        if (group.dest != Dest::Normal && group.dest != Dest::Ignore && group.dest != Dest::Field)
            return false;
        m_open.append(OpenField{});
        break;
    case Kw::Fldinst:
        if (group.opensDest)
            return false;
        if (group.dest != Dest::Field) {
            m_control.skipGroup(); // an instruction outside a field shows nothing
            return true;
        }
        group.dest = Dest::FieldInstruction;
        group.opensDest = true;
        return true;
    case Kw::Fldrslt:
        if (group.dest == Dest::Field && !group.opensDest && !m_open.isEmpty()) {
            // A field inside a link's text stays linked unless it is a link itself.
            if (m_open.last().link > 0)
                group.chr.link = m_open.last().link;
        } else if (group.dest != Dest::Normal && group.dest != Dest::Ignore)
            return false;
        group.dest = Dest::Normal;
        group.opensDest = true;
        return true;
    default:
        return false;
    }
    group.dest = Dest::Field;
    group.opensDest = true;
    return true;
}

void RtfFieldReader::bytes(GroupState &group, QByteArrayView bytes)
{
    if (group.dest != Dest::FieldInstruction)
        return;
    m_decoded.resize(0);
    m_body.decode(group.chr, bytes, m_decoded);
    appendInstruction(m_decoded);
}

void RtfFieldReader::unicode(GroupState &group, char16_t c)
{
    if (group.dest == Dest::FieldInstruction)
        appendInstruction(QStringView(&c, 1));
}

void RtfFieldReader::word(GroupState &group, Kw k, const RtfToken &t)
{
    // Properties set here carry into the result, as before a field.
    if (group.dest == Dest::Field && applyDocumentWord(m_settings, k, t))
        return;
    if (!applyCharacterWord(group.chr, k, t))
        applyParagraphWord(group.para, k, t);
}

void RtfFieldReader::end(const GroupState &closed, GroupState &)
{
    if (!closed.opensDest || m_open.isEmpty())
        return;
    if (closed.dest == Dest::Field) {
        m_open.removeLast();
    } else if (closed.dest == Dest::FieldInstruction) {
        if (std::optional<model::Link> link = parseHyperlink(m_open.last().instruction))
            m_open.last().link = m_links.add(std::move(*link));
    }
}

void RtfFieldReader::appendInstruction(QStringView text)
{
    if (m_open.isEmpty())
        return;
    QString &instruction = m_open.last().instruction;
    if (instruction.size() + text.size() > MaxInstruction) {
        m_control.problem(QStringLiteral("a field instruction longer than %1 characters").arg(MaxInstruction));
        text = text.first(qMax<qsizetype>(0, MaxInstruction - instruction.size()));
    }
    instruction += text;
}

} // namespace kelmora::formats
