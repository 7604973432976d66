#include "RtfInfo.h"

#include "RtfKeptWords.h"

namespace kelmora::formats {

namespace {

// The groups of \info whose text or date is kept, and the annotation fields.
const char *fieldName(Kw k)
{
    switch (k) {
    case Kw::Title: return "title";
    case Kw::Subject: return "subject";
    case Kw::Author: return "author";
    case Kw::Manager: return "manager";
    case Kw::Company: return "company";
    case Kw::Operator: return "operator";
    case Kw::Category: return "category";
    case Kw::Keywords: return "keywords";
    case Kw::Comment: return "comment";
    case Kw::Doccomm: return "doccomm";
    case Kw::Hlinkbase: return "hlinkbase";
    case Kw::Creatim: return "creatim";
    case Kw::Revtim: return "revtim";
    case Kw::Printim: return "printim";
    case Kw::Buptim: return "buptim";
    case Kw::Atnid: return "atnid";
    case Kw::Atnauthor: return "atnauthor";
    case Kw::Atndate: return "atndate";
    default: return nullptr;
    }
}

bool isAnnotationField(Kw k)
{
    return k == Kw::Atnid || k == Kw::Atnauthor || k == Kw::Atndate;
}

model::KeptWord keptWordOf(const RtfToken &t)
{
    model::KeptWord w{QByteArray(t.word.data(), qsizetype(t.word.size())), std::nullopt};
    if (t.hasParam)
        w.value = t.param;
    return w;
}

} // namespace

bool RtfInfoReader::begin(GroupState &group, Kw k)
{
    const char *name = fieldName(k);
    const bool opens = k == Kw::Info ? group.dest == Dest::Normal && m_context.depth == 0
                       : isAnnotationField(k) ? group.dest == Dest::Normal
                                              : name && group.dest == Dest::Info;
    if (!opens) {
        m_control.skipGroup();
        return true;
    }
    group.opensDest = true;
    if (k == Kw::Info) {
        group.dest = Dest::Info;
        return true;
    }
    group.dest = Dest::InfoField;
    m_entry = model::KeptInfoEntry();
    m_entry.name = name;
    m_annotation = isAnnotationField(k);
    return true;
}

void RtfInfoReader::bytes(GroupState &group, QByteArrayView bytes)
{
    if (group.dest == Dest::InfoField)
        m_decoders.get(m_settings.codePage).decode(bytes, m_entry.text);
}

void RtfInfoReader::unicode(GroupState &group, char16_t c)
{
    if (group.dest == Dest::InfoField)
        m_entry.text.append(QChar(c));
}

void RtfInfoReader::word(GroupState &group, Kw, const RtfToken &t)
{
    const KeptWordKind kind = keptWord(t.word);
    if (group.dest == Dest::Info && kind == KeptWordKind::InfoNumber) {
        // {\nofpages3}: a group of one number.
        model::KeptInfoEntry entry;
        entry.name = QByteArray(t.word.data(), qsizetype(t.word.size()));
        if (t.hasParam)
            entry.value = t.param;
        m_context.file.addInfo(std::move(entry));
    } else if (group.dest == Dest::InfoField && kind == KeptWordKind::DatePart) {
        m_entry.words.set(keptWordOf(t));
    }
}

void RtfInfoReader::end(const GroupState &closed, GroupState &)
{
    if (!closed.opensDest || closed.dest != Dest::InfoField)
        return;
    model::KeptInfoEntry entry = std::exchange(m_entry, model::KeptInfoEntry());
    // A title or a name is a line of text: control characters in it mean
    // nothing (and would not be written back).
    entry.text.removeIf([](QChar c) { return (c.unicode() < 0x20 && c != u'\t') || c == QChar::ObjectReplacementCharacter; });
    if (!m_annotation)
        m_context.file.addInfo(std::move(entry));
    else if (entry.name == "atndate")
        m_context.date = entry.text;
    else
        m_context.file.annotationField(entry.name, entry.text);
}

} // namespace kelmora::formats
