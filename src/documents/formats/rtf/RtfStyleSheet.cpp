#include "RtfStyleSheet.h"

#include "RtfBody.h"
#include "RtfKeptWords.h"

namespace kelmora::formats {

namespace {

std::optional<model::KeptStyle::Kind> styleKind(Kw k)
{
    switch (k) {
    case Kw::S: return model::KeptStyle::Kind::Paragraph;
    case Kw::Cs: return model::KeptStyle::Kind::Character;
    case Kw::Ds: return model::KeptStyle::Kind::Section;
    case Kw::Ts: return model::KeptStyle::Kind::Table;
    default: return std::nullopt;
    }
}

// The character format property a word states, or 0.
int statedProperty(Kw k)
{
    switch (k) {
    case Kw::F: return QTextFormat::FontFamilies;
    case Kw::Fs: return QTextFormat::FontPointSize;
    case Kw::B: return QTextFormat::FontWeight;
    case Kw::I: return QTextFormat::FontItalic;
    case Kw::Strike: case Kw::Striked: return QTextFormat::FontStrikeOut;
    case Kw::Cf: return QTextFormat::ForegroundBrush;
    case Kw::Highlight: case Kw::Cb: case Kw::Chcbpat: return QTextFormat::BackgroundBrush;
    case Kw::Super: case Kw::Sub: case Kw::Nosupersub: return QTextFormat::TextVerticalAlignment;
    default: return isUnderlineOn(k) || k == Kw::Ulnone ? int(QTextFormat::TextUnderlineStyle) : 0;
    }
}

// What full holds of the stated properties; a stated switch full lacks is off.
QTextCharFormat statedOnly(const QTextCharFormat &full, const QList<int> &stated)
{
    QTextCharFormat f;
    for (int p : stated) {
        if (full.hasProperty(p))
            f.setProperty(p, full.property(p));
        else if (p == QTextFormat::FontWeight)
            f.setFontWeight(QFont::Normal);
        else if (p == QTextFormat::FontItalic || p == QTextFormat::FontStrikeOut)
            f.setProperty(p, false);
        else if (p == QTextFormat::TextUnderlineStyle)
            f.setUnderlineStyle(QTextCharFormat::NoUnderline);
        else if (p == QTextFormat::TextVerticalAlignment)
            f.setVerticalAlignment(QTextCharFormat::AlignNormal);
    }
    return f;
}

} // namespace

bool RtfStyleSheetReader::begin(GroupState &group, Kw)
{
    if (group.dest != Dest::Normal || m_context.depth > 0) {
        m_control.skipGroup();
        return true;
    }
    // Entries start from the defaults, whatever the text before set.
    group.dest = Dest::StyleSheet;
    group.opensDest = true;
    group.chr = CharState();
    group.para = ParaState();
    m_inEntry = false;
    return true;
}

void RtfStyleSheetReader::bytes(GroupState &group, QByteArrayView bytes)
{
    const CodePageDecoder &decoder = m_decoders.get(m_settings.codePage);
    qsizetype start = 0;
    for (qsizetype i = 0; i <= bytes.size(); ++i) {
        if (i < bytes.size() && bytes[i] != ';')
            continue;
        const QByteArrayView part = bytes.sliced(start, i - start);
        if (!part.isEmpty()) {
            m_inEntry = true;
            decoder.decode(part, m_entry.name);
        }
        if (i < bytes.size())
            endEntry(group);
        start = i + 1;
    }
}

void RtfStyleSheetReader::unicode(GroupState &, char16_t c)
{
    m_inEntry = true;
    m_entry.name.append(QChar(c));
}

void RtfStyleSheetReader::word(GroupState &group, Kw k, const RtfToken &t)
{
    m_inEntry = true;
    if (const auto kind = styleKind(k)) {
        m_entry.kind = *kind;
        m_entry.number = qMax(0, t.param);
        return;
    }
    if (applyCharacterWord(group.chr, k, t)) {
        const int stated = statedProperty(k);
        if (stated != 0 && !m_stated.contains(stated))
            m_stated.append(stated);
        return;
    }
    if (applyParagraphWord(group.para, k, t)) {
        m_statesAlignment = m_statesAlignment || k == Kw::Ql || k == Kw::Qc || k == Kw::Qr || k == Kw::Qj ||
                            k == Kw::Qd;
        m_statesIndents = m_statesIndents || k == Kw::Fi || k == Kw::Li || k == Kw::Lin || k == Kw::Ri ||
                          k == Kw::Rin;
        return;
    }
    if (k == Kw::Unknown && keptWord(t.word) == KeptWordKind::Style) {
        model::KeptWord w{QByteArray(t.word.data(), qsizetype(t.word.size())), std::nullopt};
        if (t.hasParam)
            w.value = t.param;
        m_entry.words.set(std::move(w));
    }
}

void RtfStyleSheetReader::end(const GroupState &closed, GroupState &parent)
{
    // An entry's group, or the sheet itself, closed without a ";".
    if (m_inEntry && (closed.opensDest || (parent.opensDest && parent.dest == Dest::StyleSheet))) {
        GroupState state = closed;
        endEntry(state);
    }
}

void RtfStyleSheetReader::endEntry(GroupState &state)
{
    model::KeptStyle style = std::exchange(m_entry, model::KeptStyle());
    m_inEntry = false;
    if (m_count >= MaxStyles) {
        m_stated.clear();
        m_statesAlignment = m_statesIndents = false;
        if (m_count++ == MaxStyles)
            m_control.problem(QStringLiteral("more than %1 styles").arg(MaxStyles));
        return;
    }
    ++m_count;
    style.name = style.name.trimmed();
    CharState chr = state.chr.western();
    chr.charStyle = -1;
    style.characters = statedOnly(m_body.charFormat(chr), std::exchange(m_stated, {}));
    const DocumentBuilder::Paragraph paragraph = m_body.paragraph(state.para);
    if (std::exchange(m_statesAlignment, false))
        style.paragraph.setAlignment(paragraph.alignment);
    if (std::exchange(m_statesIndents, false))
        model::setIndents(style.paragraph, paragraph.indents, false);
    m_context.file.addStyle(std::move(style));
    if (state.opensDest) {
        // Entries written without groups of their own start afresh too.
        state.chr = CharState();
        state.para = ParaState();
    }
}

} // namespace kelmora::formats
