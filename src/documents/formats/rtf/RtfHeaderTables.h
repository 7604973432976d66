#pragma once
// The tables an RTF header declares, filled by the reader while it is inside
// the matching destination and looked up while it reads the body.
// Lookups of numbers the file never declared answer "none"; nothing here
// grows faster than the input.

#include "formats/codepages/CodePage.h"
#include "model/DocumentModel.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace kelmora::formats {

// \fonttbl: font number -> face and code page. Entries are "\fN ... name;",
// either each in its own group or all in the table's group.
class RtfFontTable {
public:
    struct Font {
        QString name;
        int charset = -1; // \fcharsetN, -1 when not given
        int cpg = 0;      // \cpgN, 0 when not given
        // The code page of text in this font (see fontCodePage).
        int codePage(int documentPage) const { return fontCodePage(charset, cpg, documentPage); }
    };

    void beginEntry(int number);
    void setCharset(int charset);
    void setCodePage(int codePage);
    // The code page of the current entry's name.
    int entryCodePage(int documentPage) const
    {
        return m_hasEntry ? m_entry.codePage(documentPage) : documentPage;
    }
    // Decoded name text; a ";" ends the entry.
    void appendText(QStringView text);
    void endEntry();

    const Font *find(int number) const;
    // Changes whenever an entry is added or replaced.
    int revision() const { return m_revision; }

private:
    QHash<int, Font> m_fonts;
    int m_revision = 0;
    Font m_entry;
    int m_number = 0;
    bool m_hasEntry = false;
    bool m_named = false; // the entry's ";" was seen
};

// \colortbl: entries separated by ";"; an entry with no \red, \green or \blue
// is the automatic colour (usually entry 0).
class RtfColorTable {
public:
    void setRed(int v) { m_r = clampComponent(v); m_given = true; }
    void setGreen(int v) { m_g = clampComponent(v); m_given = true; }
    void setBlue(int v) { m_b = clampComponent(v); m_given = true; }
    void endEntry();
    // The colour of entry index, or nothing for auto and undeclared entries.
    std::optional<QColor> colour(int index) const;
    // Changes whenever an entry is added.
    int revision() const { return int(m_entries.size()); }

private:
    static int clampComponent(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

    QList<std::optional<QRgb>> m_entries;
    int m_r = 0, m_g = 0, m_b = 0;
    bool m_given = false;
};

// \listtable and \listoverridetable: \lsN -> list -> the number format of
// each level (\levelnfc: 23 bullet, 255 none, anything else a numbering).
class RtfListTable {
public:
    void beginList();
    void setListId(int id);
    void beginLevel();
    void setLevelFormat(int nfc);
    void beginOverride();
    void setOverrideListId(int id);
    void setOverrideNumber(int ls);

    // The numbering of paragraphs with \lsN\ilvlM, or nothing when N is unknown.
    std::optional<model::Numbering> numbering(int ls, int level) const;

private:
    struct List {
        int id = 0;
        QList<int> levelFormats;
    };
    QList<List> m_lists;
    QHash<int, int> m_listById;    // \listid -> index in m_lists
    QHash<int, int> m_overrides;   // \ls -> \listid
    int m_overrideListId = 0;
    bool m_inList = false;
};

} // namespace kelmora::formats
