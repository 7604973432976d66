#pragma once
// A destination tells what the text and control words of a group mean: the
// document's text, the font table, a picture's data, a group to skip. The
// reader owns one handler per destination and finds it through the group's
// Dest; a control word that names a destination (destinationOf) asks that
// destination's handler whether it starts there. Adding a destination is a
// Dest value, its words in the table and a handler.

#include "RtfState.h"
#include "RtfTokenizer.h"
#include "RtfWords.h"

#include <QByteArrayView>
#include <QString>

namespace kelmora::formats {

// What a handler may ask of the reader that runs it.
class RtfGroupControl {
public:
    // Drops the rest of the current group, nested groups included, and pops
    // its state. The handler must not touch that state afterwards.
    virtual void skipGroup() = 0;
    // The same, handing back the rest of the group's bytes (without its
    // closing brace), for a story read by a reader of its own.
    virtual QByteArrayView takeGroup() = 0;
    // Damage a handler found; the reader reports the first.
    virtual void problem(const QString &text) = 0;

protected:
    ~RtfGroupControl() = default;
};

class RtfDestination {
public:
    virtual ~RtfDestination() = default;

    // word names this destination; group is the new group's state, still
    // carrying the enclosing destination. Returns true when the destination
    // starts here (having set group.dest); false has the word read as an
    // ordinary one.
    virtual bool begin(GroupState &group, Kw word) = 0;
    // True when 8-bit text is gathered across tokens before bytes() sees
    // it, so that a double-byte character written as two escapes stays whole.
    virtual bool joinsBytes() const { return false; }
    // True when every control word of the group goes to word() first (but
    // \binN, whose data the reader takes), and a \* to symbol().
    virtual bool readsEveryWord() const { return false; }

    // A group opened inside this destination; group is its new state.
    virtual void groupStart(GroupState &) {}
    // 8-bit text: plain bytes and \'hh escapes.
    virtual void bytes(GroupState &, QByteArrayView) {}
    // The data after \binN.
    virtual void binary(GroupState &, QByteArrayView) {}
    // One UTF-16 unit given as \uN.
    virtual void unicode(GroupState &, char16_t) {}
    // A control symbol other than \*: \~, \-, \_, a backslash before a line break.
    virtual void symbol(GroupState &, char) {}
    // A control word the reader does not act on itself.
    virtual void word(GroupState &, Kw, const RtfToken &) {}
    // The group closed; parent is the state of the group it was in.
    virtual void end(const GroupState &, GroupState &) {}
};

// The destination a control word names, or Dest::None for other words.
Dest destinationOf(Kw word);

} // namespace kelmora::formats
