#include "LayoutHeight.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>
#include <utility>

namespace kelmora {

namespace {

// Lines lost to word wrapping at line ends, on top of the characters' widths.
constexpr double WrapWaste = 1.2;

// Characters of the default font that fit on a line width pixels wide (0:
// unwrapped, every paragraph one line).
double charsPerLine(const QFontMetricsF &metrics, double width)
{
    return width > 0 ? qMax(1.0, width / (metrics.averageCharWidth() * WrapWaste)) : 0;
}

double estimatedLines(const QTextBlock &b, double perLine)
{
    return perLine > 0 ? qMax(1.0, std::ceil((b.length() - 1) / perLine)) : 1.0;
}

bool laidOut(const QTextBlock &b)
{
    return b.layout() && b.layout()->lineCount() > 0;
}

// The first paragraph from number `from` on that Qt has not laid out yet, or
// an invalid block. Qt lays out from the top down, so the paragraphs with
// lines come first.
QTextBlock firstNotLaidOut(const QTextDocument &doc, int from)
{
    int low = qMax(0, from);
    int high = doc.blockCount();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (laidOut(doc.findBlockByNumber(middle)))
            low = middle + 1;
        else
            high = middle;
    }
    return doc.findBlockByNumber(low);
}

} // namespace

LayoutHeight::LayoutHeight(QTextEdit *edit) : QObject(edit), m_edit(edit) {}

double LayoutHeight::estimatedHeight(const QTextDocument &doc, int width)
{
    const QFontMetricsF metrics(doc.defaultFont());
    const double perLine = charsPerLine(metrics, width);
    double lines = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        lines += estimatedLines(b, perLine);
    return lines * metrics.lineSpacing();
}

bool LayoutHeight::fitsAnyWidth(const QTextDocument &doc)
{
    return estimatedHeight(doc, 0) < MaxHeight;
}

void LayoutHeight::attach()
{
    restoreWrap();
    disconnect(m_watch);
    m_watch = connect(m_edit->document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged,
                      this, &LayoutHeight::sizeChanged);
    disconnect(m_editWatch);
    m_restart = false; // an edit of the previous document asked for it
    // Qt emits this before it lays the change out, so the range to relay can
    // still grow (markContentsDirty() adds to it then).
    m_editWatch = connect(m_edit->document(), &QTextDocument::contentsChange, this, &LayoutHeight::edited);
    keepPagesFinite();
    fitWidth();
}

void LayoutHeight::keepPagesFinite()
{
    // QTextEdit sets a page height of -1 (unpaged) whenever it lays out anew.
    QTextDocument *doc = m_edit->document();
    if (doc->pageSize().height() <= 0)
        doc->setPageSize(QSizeF(doc->pageSize().width(), PageHeight));
}

void LayoutHeight::restoreWrap()
{
    if (!m_widened)
        return;
    m_widened = false;
    m_edit->setLineWrapColumnOrWidth(m_wrapWidth);
    m_edit->setLineWrapMode(m_wrapMode);
}

void LayoutHeight::fitWidth()
{
    if (!m_widened && m_edit->lineWrapMode() != QTextEdit::WidgetWidth)
        return; // only the window's own width is ever widened
    const QTextDocument &doc = *m_edit->document();
    const int margins = int(2 * doc.documentMargin());
    const int base = qMax(64, m_edit->viewport()->width() - margins);
    int width = base;
    while (width <= MaxWrapWidth && estimatedHeight(doc, width) > WidenAbove)
        width *= 2;
    if (width == base) {
        restoreWrap();
        return;
    }
    if (!m_widened) {
        m_wrapMode = m_edit->lineWrapMode();
        m_wrapWidth = m_edit->lineWrapColumnOrWidth();
        m_widened = true;
    }
    if (width > MaxWrapWidth) {
        m_edit->setLineWrapMode(QTextEdit::NoWrap);
    } else if (m_edit->lineWrapMode() != QTextEdit::FixedPixelWidth || m_edit->lineWrapColumnOrWidth() != width + margins) {
        // The width first: a fixed width of 0 would leave no room for a line.
        m_edit->setLineWrapColumnOrWidth(width + margins);
        m_edit->setLineWrapMode(QTextEdit::FixedPixelWidth);
    }
    keepPagesFinite();
}

void LayoutHeight::sizeChanged(const QSizeF &size)
{
    // The estimate misses pictures and larger fonts: the height Qt reports
    // while it lays out in the background corrects it.
    keepPagesFinite();
    if (size.height() <= WidenAbove || m_edit->lineWrapMode() == QTextEdit::NoWrap)
        return;
    if (!m_widened) {
        m_wrapMode = m_edit->lineWrapMode();
        m_wrapWidth = m_edit->lineWrapColumnOrWidth();
        m_widened = true;
    }
    const int wider = 2 * qMax(64, m_edit->lineWrapMode() == QTextEdit::FixedPixelWidth
                                       ? m_edit->lineWrapColumnOrWidth()
                                       : m_edit->viewport()->width());
    if (wider > MaxWrapWidth) {
        m_edit->setLineWrapMode(QTextEdit::NoWrap);
    } else {
        m_edit->setLineWrapColumnOrWidth(wider);
        m_edit->setLineWrapMode(QTextEdit::FixedPixelWidth);
    }
    keepPagesFinite();
}

void LayoutHeight::edited(int from, int /*removed*/, int added)
{
    QTextDocument *doc = m_edit->document();
    if (laidOut(doc->lastBlock()))
        return; // no background layout to keep going
    const int end = from + added;
    const QTextBlock frontier = firstNotLaidOut(*doc, doc->findBlock(end).blockNumber() + 1);
    if (frontier.isValid() && frontier.position() - end <= RelayWithin) {
        const QFontMetricsF metrics(doc->defaultFont());
        const double perLine = charsPerLine(metrics, doc->pageSize().width() - 2 * doc->documentMargin());
        int chars = 0;
        double height = 0;
        QTextBlock b = frontier;
        for (; b.isValid() && (chars < RelayPastChars || height < RelayPastHeight); b = b.next()) {
            chars += b.length();
            height += estimatedLines(b, perLine) * metrics.lineSpacing();
        }
        const int relayEnd = b.isValid() ? b.position() : doc->characterCount();
        doc->markContentsDirty(end, relayEnd - end);
    } else if (frontier.isValid()) {
        m_restart = true;
    }
    if (!m_checkQueued) {
        m_checkQueued = true;
        QMetaObject::invokeMethod(this, &LayoutHeight::checkLayout, Qt::QueuedConnection);
    }
}

void LayoutHeight::checkLayout()
{
    m_checkQueued = false;
    const bool restart = std::exchange(m_restart, false);
    QTextDocument *doc = m_edit->document();
    const QTextBlock frontier = firstNotLaidOut(*doc, 0);
    if (!frontier.isValid())
        return;
    if (!restart) {
        // Asked where it lies, a running background layout lays the
        // paragraph out; one that stopped leaves it without lines.
        doc->documentLayout()->blockBoundingRect(frontier);
        if (laidOut(frontier))
            return;
    }
    restartLayout();
}

void LayoutHeight::restartLayout()
{
    QTextDocument *doc = m_edit->document();
    QAbstractTextDocumentLayout *layout = doc->documentLayout();
    const QTextBlock shown = m_edit->cursorForPosition(QPoint(0, m_edit->viewport()->height())).block();
    {
        // Started again, Qt reports the height of its first page at once,
        // which would pull the scroll bar up to it. Laid out down to the
        // view's bottom first, as Qt does after a resize, nothing moves.
        const QSignalBlocker quiet(layout);
        doc->setPageSize(doc->pageSize());
        layout->blockBoundingRect(shown);
    }
    m_edit->viewport()->update();
}

} // namespace kelmora
