#pragma once
// FormatCommands: the formatting commands of the formatting bar and the
// Format menu, each acting at once on a host's active document: the style
// toggles, alignment, face and size, the text colour and font dialogs and the
// bullet toggle. They return what the bar's buttons show afterwards; the
// caller sets them. Without an active document they do nothing. Each is one
// step of the document's undo history, however many writes it makes.

#include "documents/RichEdit.h"

#include <QColor>
#include <QFont>

#include <optional>

namespace kelmora {

class DocumentHost;

class FormatCommands {
public:
    explicit FormatCommands(DocumentHost &host) : m_host(host) {}

    // Flips member of the selection's style set (the write carries all four
    // members); returns whether member is now set.
    std::optional<bool> toggleStyle(FontStyle member);
    void align(ParaAlignment alignment);
    // The face box's whole text, written as it is.
    void setFace(const QString &face);
    // The size box's text by the whole-number conversion; throws when it is none.
    void setSize(const QString &text);
    // The size box's key filter: Enter applies text again and gives the focus
    // to the document; digits and Backspace pass; anything else beeps and is
    // dropped (set to QChar()).
    void sizeKeyPress(QChar &key, const QString &text);
    // The colour dialog opens with colour (its last confirmed colour, never
    // the selection's) and on OK writes it and keeps it in colour.
    void textColour(QColor &colour);
    // The font dialog, opened with the boxes' face and size, the selection's
    // colour and the style set of dialogFont, its last confirmed font, which
    // OK replaces. OK writes face, size, style set and colour, in that order;
    // the colour is the one picked in the dialog, else the one it was given
    // (the automatic colour stays automatic). A size text that is no whole
    // number throws before the dialog opens.
    void fontDialog(const QString &face, const QString &sizeText, QFont &dialogFont);
    // Bullets on where the paragraph has no numbering, else off; returns the new state.
    std::optional<bool> toggleBullet();

private:
    DocumentHost &m_host;
};

} // namespace kelmora
