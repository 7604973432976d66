#include "RtfHeaderTables.h"

namespace kelmora::formats {

namespace {
// Face names longer than this are not names (and would only cost memory).
constexpr qsizetype MaxFontName = 256;
// Word's lists have nine levels; more is not read.
constexpr int MaxListLevels = 9;
} // namespace

void RtfFontTable::beginEntry(int number)
{
    endEntry();
    m_entry = Font();
    m_number = number;
    m_hasEntry = true;
    m_named = false;
}

void RtfFontTable::setCharset(int charset)
{
    if (m_hasEntry && charset >= 0)
        m_entry.charset = charset;
}

void RtfFontTable::setCodePage(int codePage)
{
    if (m_hasEntry && codePage > 0)
        m_entry.cpg = codePage;
}

void RtfFontTable::appendText(QStringView text)
{
    if (!m_hasEntry || m_named)
        return;
    const qsizetype semicolon = text.indexOf(u';');
    const QStringView part = semicolon < 0 ? text : text.first(semicolon);
    if (m_entry.name.size() + part.size() <= MaxFontName) {
        for (QChar c : part) {
            if (c.unicode() >= 0x20 && !c.isNonCharacter() && !c.isSurrogate())
                m_entry.name += c;
        }
    }
    if (semicolon >= 0) {
        m_named = true;
        endEntry();
    }
}

void RtfFontTable::endEntry()
{
    if (!m_hasEntry)
        return;
    m_entry.name = m_entry.name.trimmed();
    m_fonts.insert(m_number, m_entry);
    ++m_revision;
    m_hasEntry = false;
}

const RtfFontTable::Font *RtfFontTable::find(int number) const
{
    const auto it = m_fonts.constFind(number);
    return it == m_fonts.cend() ? nullptr : &it.value();
}

void RtfColorTable::endEntry()
{
    if (m_given)
        m_entries.append(qRgb(m_r, m_g, m_b));
    else
        m_entries.append(std::nullopt);
    m_r = m_g = m_b = 0;
    m_given = false;
}

std::optional<QColor> RtfColorTable::colour(int index) const
{
    if (index < 0 || index >= m_entries.size() || !m_entries.at(index))
        return std::nullopt;
    return QColor::fromRgb(*m_entries.at(index));
}

void RtfListTable::beginList()
{
    m_lists.append(List());
    m_inList = true;
}

void RtfListTable::setListId(int id)
{
    if (!m_inList || m_lists.isEmpty())
        return;
    m_lists.last().id = id;
    m_listById.insert(id, int(m_lists.size() - 1));
}

void RtfListTable::beginLevel()
{
    if (m_inList && !m_lists.isEmpty() && m_lists.last().levelFormats.size() < MaxListLevels)
        m_lists.last().levelFormats.append(0);
}

void RtfListTable::setLevelFormat(int nfc)
{
    if (m_inList && !m_lists.isEmpty() && !m_lists.last().levelFormats.isEmpty())
        m_lists.last().levelFormats.last() = nfc;
}

void RtfListTable::beginOverride()
{
    m_inList = false;
    m_overrideListId = 0;
}

void RtfListTable::setOverrideListId(int id)
{
    m_overrideListId = id;
}

void RtfListTable::setOverrideNumber(int ls)
{
    m_overrides.insert(ls, m_overrideListId);
}

std::optional<model::Numbering> RtfListTable::numbering(int ls, int level) const
{
    const auto override = m_overrides.constFind(ls);
    const int listId = override == m_overrides.cend() ? ls : override.value();
    const auto list = m_listById.constFind(listId);
    if (list == m_listById.cend())
        return std::nullopt;
    const QList<int> &levels = m_lists.at(list.value()).levelFormats;
    if (levels.isEmpty())
        return model::Numbering::Other;
    const int nfc = levels.at(qBound(0, level, int(levels.size() - 1)));
    if (nfc == 23)
        return model::Numbering::Bullet;
    if (nfc == 255)
        return model::Numbering::None;
    return model::Numbering::Other;
}

} // namespace kelmora::formats
