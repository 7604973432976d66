#include "LayoutHeight.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QTextBlock>
#include <QTextDocument>

#include <cmath>

namespace kelmora {

namespace {

// Lines lost to word wrapping at line ends, on top of the characters' widths.
constexpr double WrapWaste = 1.2;

} // namespace

LayoutHeight::LayoutHeight(QTextEdit *edit) : QObject(edit), m_edit(edit) {}

double LayoutHeight::estimatedHeight(const QTextDocument &doc, int width)
{
    const QFontMetricsF metrics(doc.defaultFont());
    const double perLine = width > 0 ? qMax(1.0, width / (metrics.averageCharWidth() * WrapWaste)) : 0;
    double lines = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        lines += perLine > 0 ? qMax(1.0, std::ceil((b.length() - 1) / perLine)) : 1.0;
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

} // namespace kelmora
