#pragma once
// LayoutHeight: keeps an editor's document within the heights Qt 6.4's text
// layout handles (measured, see bench/README.md).
// - Qt lays an unpaged document out as one page about 8.39 M pixels tall
//   (2^23); a line that crosses its bottom while Qt lays out in the
//   background is never placed, and the layout spins. With a finite page
//   height (PageHeight) Qt starts a new page there like anywhere else, which
//   costs a few pixels of gap every PageHeight pixels.
// - Past about 21.47 M pixels of height (INT_MAX / 100) the editor's vertical
//   scroll range collapses to nothing. A document whose height at the
//   window's width is estimated past WidenAbove (from its paragraphs' lengths
//   and its default font) is laid out at twice the width, or four times...,
//   at last without wrapping; the horizontal scroll bar reaches the rest of
//   its lines. The height Qt reports while laying out corrects the estimate.
// - A document whose paragraphs alone, one line each, pass MaxHeight cannot be
//   shown at any width; fitsAnyWidth() tells it before it is handed over.
//
// - Qt 6.4 ends its background layout when the document is edited during
//   it: after relaying the edit it walks on over the paragraphs it has not
//   reached yet, which have no lines and so no height, finds none of the
//   stopping points it sets every 2000 pixels and takes the end for done.
//   Those paragraphs would stay without height, never drawn nor reachable.
//   An edit close before that frontier is relaid a few screens past it, so
//   Qt meets a stopping point and goes on; after any other, or if Qt
//   stopped all the same, its background layout is started again.
//
// The editor owns one and calls keepPagesFinite() after every event in which
// Qt lays the document out anew (font or style change, show), fitWidth()
// after a resize and attach() after it got a document.

#include <QObject>
#include <QTextEdit>

class QTextDocument;

namespace kelmora {

class LayoutHeight : public QObject {
public:
    static constexpr double PageHeight = 4'000'000;
    static constexpr double WidenAbove = 16'000'000;
    static constexpr double MaxHeight = 21'000'000;
    // Widths past this are not worth a scroll bar: the lines go unwrapped.
    static constexpr int MaxWrapWidth = 65'536;
    // An edit at most this many characters before the background layout's
    // frontier is relaid past it at once (about one of Qt's own steps).
    static constexpr int RelayWithin = 200'000;
    // How far past the frontier that relayout reaches, in characters and in
    // estimated pixels: Qt's walk stops at the first of its stopping points
    // (one every 2000 pixels) that lies 1000 characters past the frontier.
    static constexpr int RelayPastChars = 4'000;
    static constexpr double RelayPastHeight = 8'000;

    explicit LayoutHeight(QTextEdit *edit);

    // The height of doc laid out width pixels wide (0: unwrapped), guessed
    // from its paragraphs' lengths and its default font's average character.
    static double estimatedHeight(const QTextDocument &doc, int width);
    // True when the document, every paragraph one line of its default font,
    // stays below MaxHeight.
    static bool fitsAnyWidth(const QTextDocument &doc);

    // Watches the editor's current document and lays it out at the wrapping
    // the editor had before any widening.
    void attach();
    void keepPagesFinite();
    // Widens the layout as far as the document needs at the window's width.
    void fitWidth();
    bool widened() const { return m_widened; }

private:
    void sizeChanged(const QSizeF &size);
    void restoreWrap();
    void edited(int from, int removed, int added);
    // Runs after the edits of one event: starts Qt's background layout again
    // from the top when it stopped short or an edit lay too far before its
    // frontier, keeping the view where it is.
    void checkLayout();
    void restartLayout();

    QTextEdit *m_edit;
    QMetaObject::Connection m_watch;
    QMetaObject::Connection m_editWatch;
    bool m_checkQueued = false;
    bool m_restart = false;
    bool m_widened = false;
    QTextEdit::LineWrapMode m_wrapMode = QTextEdit::WidgetWidth;
    int m_wrapWidth = 0;
};

} // namespace kelmora
