#include "RtfKept.h"

#include <QTextDocument>

#include <algorithm>

namespace kelmora::formats {

namespace {

QString roman(int n, bool upper)
{
    static constexpr std::pair<int, const char *> Digits[] = {
        {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
        {40, "xl"}, {10, "x"}, {9, "ix"}, {5, "v"}, {4, "iv"}, {1, "i"},
    };
    QString s;
    for (const auto &[value, digits] : Digits) {
        for (; n >= value; n -= value)
            s += QLatin1StringView(digits);
    }
    return upper ? s.toUpper() : s;
}

// a, b, ..., z, aa, bb, ...: the letter repeats once more each round.
QString letters(int n, bool upper)
{
    const QChar letter(char16_t((upper ? u'A' : u'a') + (n - 1) % 26));
    return QString((n - 1) / 26 + 1, letter);
}

// *, †, ‡, §, then doubled, tripled, ...
QString chicago(int n)
{
    static constexpr char16_t Symbols[] = {u'*', u'\u2020', u'\u2021', u'\u00a7'};
    return QString((n - 1) / 4 + 1, QChar(Symbols[(n - 1) % 4]));
}

} // namespace

void RtfKeptFile::addSectionStory(model::StoryKind kind, model::Story text)
{
    section().stories.append(model::SectionStory{kind, std::move(text)});
}

void RtfKeptFile::sectionBreak()
{
    if (m_sections >= MaxSections) {
        m_problem = QStringLiteral("more than %1 sections").arg(MaxSections);
        return;
    }
    ++m_sections;
    // A break right after another (an empty section) replaces it.
    m_section = std::make_shared<model::KeptSection>();
    m_pending = m_section;
}

void RtfKeptFile::addStyle(model::KeptStyle style)
{
    // A number given twice keeps its last entry.
    const std::pair<int, int> key{int(style.kind), style.number};
    const auto it = m_styleIndex.constFind(key);
    if (it != m_styleIndex.cend()) {
        m_parts.styles[it.value()] = std::move(style);
        return;
    }
    m_styleIndex.insert(key, m_parts.styles.size());
    m_parts.styles.append(std::move(style));
}

bool RtfKeptFile::hasStyle(model::KeptStyle::Kind kind, int number) const
{
    return m_styleIndex.contains({int(kind), number});
}

bool RtfKeptFile::admitStory()
{
    if (m_stories >= MaxStories)
        return false;
    ++m_stories;
    return true;
}

void RtfKeptFile::documentWord(model::KeptWord word)
{
    // Producers write the note numbering words before the text. One that
    // comes after a note was numbered did not number it; kept, it would
    // number the notes differently when the file is read again.
    const bool numbering = word.name.startsWith("ftn") || word.name.startsWith("aftn");
    if (numbering && m_footnotes + m_endnotes > 0)
        return;
    m_parts.document.set(std::move(word));
}

QString RtfKeptFile::nextNumber(model::KeptNote::Kind kind) const
{
    const bool end = kind == model::KeptNote::Kind::Endnote;
    const QByteArray prefix = end ? "aftn" : "ftn";
    int start = 1;
    QByteArray style = "ar"; // \ftnnar, \aftnnrlc, ...: how notes are numbered
    for (const model::KeptWord &w : m_parts.document.list()) {
        if (!w.name.startsWith(prefix))
            continue;
        const QByteArray rest = w.name.mid(prefix.size());
        if (rest == "start" && w.value)
            start = *w.value;
        else if (rest.startsWith('n'))
            style = rest.mid(1);
    }
    const int n = int(std::clamp<qint64>(qint64(start) + (end ? m_endnotes : m_footnotes), 1, 99999));
    // Beyond a few hundred, repeated letters and symbols grow long: digits then.
    if (n < 1000) {
        if (style == "alc" || style == "auc")
            return letters(n, style == "auc");
        if (style == "rlc" || style == "ruc")
            return roman(n, style == "ruc");
        if (style == "chi")
            return chicago(n);
    }
    return QString::number(n);
}

void RtfKeptFile::countNumbered(model::KeptNote::Kind kind)
{
    if (kind == model::KeptNote::Kind::Endnote)
        ++m_endnotes;
    else if (kind == model::KeptNote::Kind::Footnote)
        ++m_footnotes;
}

void RtfKeptFile::annotationField(QByteArrayView name, const QString &text)
{
    if (name == "atnid")
        m_initials = text;
    else if (name == "atnauthor")
        m_author = text;
}

void RtfKeptFile::takeAnnotationFields(model::KeptNote &note)
{
    note.initials = std::exchange(m_initials, QString());
    note.author = std::exchange(m_author, QString());
}

void RtfKeptFile::finish(QTextDocument &doc)
{
    if (model::KeptParts *parts = model::keptPartsOf(doc))
        *parts = std::move(m_parts);
}

} // namespace kelmora::formats
