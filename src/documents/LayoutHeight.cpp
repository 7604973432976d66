#include "LayoutHeight.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QTextDocument>

namespace kelmora {

LayoutHeight::LayoutHeight(QTextEdit *edit) : QObject(edit), m_edit(edit) {}

bool LayoutHeight::fitsAnyWidth(const QTextDocument &doc)
{
    const double line = QFontMetricsF(doc.defaultFont()).lineSpacing();
    return doc.blockCount() * line < MaxHeight;
}

void LayoutHeight::attach()
{
    if (m_widened) {
        m_edit->setLineWrapMode(m_wrapMode);
        m_edit->setLineWrapColumnOrWidth(m_wrapWidth);
        m_widened = false;
    }
    disconnect(m_watch);
    m_watch = connect(m_edit->document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged,
                      this, &LayoutHeight::sizeChanged);
    keepPagesFinite();
}

void LayoutHeight::keepPagesFinite()
{
    // QTextEdit sets a page height of -1 (unpaged) whenever it lays out anew.
    QTextDocument *doc = m_edit->document();
    if (doc->pageSize().height() <= 0)
        doc->setPageSize(QSizeF(doc->pageSize().width(), PageHeight));
}

int LayoutHeight::layoutWidth() const
{
    if (m_edit->lineWrapMode() == QTextEdit::FixedPixelWidth)
        return m_edit->lineWrapColumnOrWidth();
    return m_edit->viewport()->width();
}

void LayoutHeight::sizeChanged(const QSizeF &size)
{
    // Qt reports the size as its background layout goes on, so this comes
    // well before the height gets near what the editor can scroll through.
    keepPagesFinite();
    if (size.height() <= WidenAbove || m_edit->lineWrapMode() == QTextEdit::NoWrap)
        return;
    if (!m_widened) {
        m_wrapMode = m_edit->lineWrapMode();
        m_wrapWidth = m_edit->lineWrapColumnOrWidth();
        m_widened = true;
    }
    const int wider = 2 * qMax(layoutWidth(), 64);
    if (wider > MaxWrapWidth) {
        m_edit->setLineWrapMode(QTextEdit::NoWrap);
    } else {
        m_edit->setLineWrapMode(QTextEdit::FixedPixelWidth);
        m_edit->setLineWrapColumnOrWidth(wider);
    }
    keepPagesFinite();
}

} // namespace kelmora
