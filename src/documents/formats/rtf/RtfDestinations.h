#pragma once
// The destinations besides the document's text (RtfBody): the header tables,
// pictures, old-style numbering, the \upr alternatives, groups whose text is
// not shown and groups that are skipped. Each is small and keeps no state of
// its own beyond what it fills.

#include "formats/codepages/CodePage.h"
#include "RtfDestination.h"
#include "RtfHeaderTables.h"
#include "RtfPicture.h"
#include "RtfProperties.h"

#include <QString>

namespace kelmora::formats {

class RtfBody;

// \object, \shp: their text is not shown, but the properties they set
// carry into the groups that are (\fldrslt, \result, \shprslt).
class RtfIgnoredText final : public RtfDestination {
public:
    explicit RtfIgnoredText(RtfDocumentSettings &settings) : m_settings(settings) {}
    bool begin(GroupState &group, Kw word) override;
    void word(GroupState &group, Kw word, const RtfToken &token) override;

private:
    RtfDocumentSettings &m_settings;
};

// Destinations nobody reads (\*\generator, bookmarks, field instructions,
// ...): the whole group is stepped over unread.
class RtfSkippedGroup final : public RtfDestination {
public:
    explicit RtfSkippedGroup(RtfGroupControl &control) : m_control(control) {}
    bool begin(GroupState &group, Kw word) override;

private:
    RtfGroupControl &m_control;
};

// \fonttbl: each entry's number, charset or code page and name; the name's
// bytes are in the entry's own code page.
class RtfFontTableReader final : public RtfDestination {
public:
    RtfFontTableReader(RtfFontTable &fonts, const RtfDocumentSettings &settings, CodePageDecoders &decoders)
        : m_fonts(fonts), m_settings(settings), m_decoders(decoders)
    {
    }
    bool begin(GroupState &group, Kw word) override;
    bool joinsBytes() const override { return true; }
    void bytes(GroupState &group, QByteArrayView bytes) override;
    void unicode(GroupState &group, char16_t c) override;
    void word(GroupState &group, Kw word, const RtfToken &token) override;
    void end(const GroupState &closed, GroupState &parent) override;

private:
    RtfFontTable &m_fonts;
    const RtfDocumentSettings &m_settings;
    CodePageDecoders &m_decoders;
    QString m_decoded;
};

// \colortbl: \redN\greenN\blueN entries, each ended by ";".
class RtfColorTableReader final : public RtfDestination {
public:
    explicit RtfColorTableReader(RtfColorTable &colours) : m_colours(colours) {}
    bool begin(GroupState &group, Kw word) override;
    void bytes(GroupState &group, QByteArrayView bytes) override;
    void word(GroupState &group, Kw word, const RtfToken &token) override;

private:
    RtfColorTable &m_colours;
};

// \listtable with its \list and \listlevel groups, and \listoverridetable
// with its \listoverride groups: what kind of numbering each \lsN means.
class RtfListTableReader final : public RtfDestination {
public:
    explicit RtfListTableReader(RtfListTable &lists) : m_lists(lists) {}
    bool begin(GroupState &group, Kw word) override;
    void word(GroupState &group, Kw word, const RtfToken &token) override;

private:
    RtfListTable &m_lists;
};

// \pict: the picture, kept as RtfPicture collects it, is handed to the body
// when its group closes, if it is in the document's text. Every word of
// the group and of the groups inside it is the picture's.
class RtfPictureReader final : public RtfDestination {
public:
    RtfPictureReader(RtfBody &body, RtfGroupControl &control) : m_body(body), m_control(control) {}
    bool begin(GroupState &group, Kw word) override;
    bool readsEveryWord() const override { return true; }
    void groupStart(GroupState &group) override;
    void bytes(GroupState &group, QByteArrayView bytes) override;
    void binary(GroupState &group, QByteArrayView data) override;
    void symbol(GroupState &group, char symbol) override;
    void word(GroupState &group, Kw word, const RtfToken &token) override;
    void end(const GroupState &closed, GroupState &parent) override;

private:
    RtfBody &m_body;
    RtfGroupControl &m_control;
    RtfPicture m_picture;
    bool m_forBody = false;
};

// \pn: the old-style numbering of the paragraph; only its kind (bullet or
// another numbering) reaches the paragraph.
class RtfPnReader final : public RtfDestination {
public:
    bool begin(GroupState &group, Kw word) override;
    void word(GroupState &group, Kw word, const RtfToken &token) override;
    void end(const GroupState &closed, GroupState &parent) override;
};

// \upr holds an 8-bit and a Unicode version of the same text; of its child
// groups only the one that starts with \ud is read (in the destination the
// \upr was in), the others are skipped.
class RtfUprReader final : public RtfDestination {
public:
    explicit RtfUprReader(RtfGroupControl &control) : m_control(control) {}
    bool begin(GroupState &group, Kw word) override;
    bool readsEveryWord() const override { return true; }
    void bytes(GroupState &group, QByteArrayView bytes) override;
    void unicode(GroupState &group, char16_t c) override;
    void symbol(GroupState &group, char symbol) override;
    void word(GroupState &group, Kw word, const RtfToken &token) override;

private:
    RtfGroupControl &m_control;
};

} // namespace kelmora::formats
