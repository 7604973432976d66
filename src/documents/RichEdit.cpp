#include "RichEdit.h"

#include "base/Exceptions.h"
#include "base/Guard.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextList>

#include <algorithm>
#include <memory>
#include <climits>

namespace kelmora {

namespace {

constexpr int kMaxFaceLength = 31;
const QString kRtfMime = QStringLiteral("text/rtf");

QTextCharFormat firstSelectedCharFormat(const QTextCursor &c)
{
    if (!c.hasSelection())
        return c.charFormat();
    QTextCursor probe(c.document());
    // charFormat() reports the character before the position.
    probe.setPosition(c.selectionStart() + 1);
    return probe.charFormat();
}

FontStyles stylesOf(const QTextCharFormat &f)
{
    FontStyles s;
    if (f.fontWeight() >= QFont::DemiBold)
        s |= FontStyle::Bold;
    if (f.fontItalic())
        s |= FontStyle::Italic;
    if (f.fontUnderline())
        s |= FontStyle::Underline;
    if (f.fontStrikeOut())
        s |= FontStyle::StrikeOut;
    return s;
}

// What every character in [start, end) has; walks the fragments, not characters.
FontStyles commonStyles(const QTextDocument *doc, int start, int end)
{
    FontStyles all = FontStyle::Bold | FontStyle::Italic | FontStyle::Underline | FontStyle::StrikeOut;
    for (QTextBlock b = doc->findBlock(start); b.isValid() && b.position() < end; b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (frag.position() + frag.length() <= start)
                continue;
            if (frag.position() >= end)
                break;
            all &= stylesOf(frag.charFormat());
            if (!all)
                return all;
        }
    }
    return all;
}

} // namespace

// ---- text attributes -------------------------------------------------------

QString TTextAttributes::Name() const
{
    const QTextCharFormat f = firstSelectedCharFormat(m_edit->textCursor());
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.constFirst().isEmpty())
        return families.constFirst();
    return m_edit->document()->defaultFont().family();
}

void TTextAttributes::SetName(const QString &name)
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList{name.left(kMaxFaceLength)});
    m_edit->mergeCurrentCharFormat(f);
}

int TTextAttributes::Size() const
{
    const QTextCharFormat f = firstSelectedCharFormat(m_edit->textCursor());
    const double pt = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize()
                                                                : m_edit->document()->defaultFont().pointSizeF();
    return static_cast<int>(pt);
}

void TTextAttributes::SetSize(int points)
{
    QTextCharFormat f;
    // Qt cannot lay out a zero or negative size; such text keeps Qt's smallest.
    f.setFontPointSize(points > 0 ? points : 1);
    m_edit->mergeCurrentCharFormat(f);
}

FontStyles TTextAttributes::Style() const
{
    const QTextCursor c = m_edit->textCursor();
    if (!c.hasSelection())
        return stylesOf(c.charFormat());
    return commonStyles(m_edit->document(), c.selectionStart(), c.selectionEnd());
}

void TTextAttributes::SetStyle(FontStyles s)
{
    QTextCharFormat f;
    f.setFontWeight(s.testFlag(FontStyle::Bold) ? QFont::Bold : QFont::Normal);
    f.setFontItalic(s.testFlag(FontStyle::Italic));
    f.setFontUnderline(s.testFlag(FontStyle::Underline));
    f.setFontStrikeOut(s.testFlag(FontStyle::StrikeOut));
    m_edit->mergeCurrentCharFormat(f);
}

bool TTextAttributes::IsAutoColor() const
{
    return !firstSelectedCharFormat(m_edit->textCursor()).hasProperty(QTextFormat::ForegroundBrush);
}

QColor TTextAttributes::Color() const
{
    const QTextCharFormat f = firstSelectedCharFormat(m_edit->textCursor());
    if (!f.hasProperty(QTextFormat::ForegroundBrush))
        return m_edit->palette().color(QPalette::Text);
    return f.foreground().color();
}

void TTextAttributes::SetColor(const QColor &color)
{
    QTextCharFormat f;
    f.setForeground(color);
    m_edit->mergeCurrentCharFormat(f);
}

// ---- paragraph attributes --------------------------------------------------

namespace {

QTextBlockFormat startBlockFormat(const TRichEdit *e)
{
    return e->document()->findBlock(e->textCursor().selectionStart()).blockFormat();
}

// Applies change(indents) to every selected paragraph as one undoable step.
template <class F>
void changeIndents(TRichEdit *e, F change)
{
    QTextCursor c(e->document());
    c.beginEditBlock();
    for (const QTextBlock &b : e->selectedBlocks()) {
        QTextBlockFormat f = b.blockFormat();
        model::ParagraphIndents p = model::indents(f);
        change(p);
        model::setIndents(f, p, b.textList() != nullptr);
        c.setPosition(b.position());
        c.setBlockFormat(f);
    }
    c.endEditBlock();
}

} // namespace

ParaAlignment TParaAttributes::Alignment() const
{
    const Qt::Alignment a = startBlockFormat(m_edit).alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignJustify)
        return ParaAlignment::Justify;
    if (a & Qt::AlignHCenter)
        return ParaAlignment::Center;
    if (a & (Qt::AlignRight | Qt::AlignTrailing))
        return ParaAlignment::Right;
    return ParaAlignment::Left;
}

void TParaAttributes::SetAlignment(ParaAlignment a)
{
    Qt::Alignment qa = Qt::AlignLeft;
    switch (a) {
    case ParaAlignment::Left: qa = Qt::AlignLeft; break;
    case ParaAlignment::Right: qa = Qt::AlignRight; break;
    case ParaAlignment::Center: qa = Qt::AlignHCenter; break;
    case ParaAlignment::Justify: qa = Qt::AlignJustify; break;
    }
    QTextBlockFormat f;
    f.setAlignment(qa);
    QTextCursor c = m_edit->textCursor();
    c.mergeBlockFormat(f);
}

int TParaAttributes::FirstIndent() const { return model::indents(startBlockFormat(m_edit)).first / 20; }
int TParaAttributes::LeftIndent() const { return model::indents(startBlockFormat(m_edit)).left / 20; }
int TParaAttributes::RightIndent() const { return model::indents(startBlockFormat(m_edit)).right / 20; }

void TParaAttributes::SetFirstIndent(int points)
{
    changeIndents(m_edit, [points](model::ParagraphIndents &p) { p.first = points * 20; });
}

void TParaAttributes::SetLeftIndent(int points)
{
    changeIndents(m_edit, [points](model::ParagraphIndents &p) { p.left = points * 20; });
}

void TParaAttributes::SetRightIndent(int points)
{
    changeIndents(m_edit, [points](model::ParagraphIndents &p) { p.right = points * 20; });
}

Numbering TParaAttributes::GetNumbering() const
{
    return model::numbering(m_edit->document()->findBlock(m_edit->textCursor().selectionStart()));
}

void TParaAttributes::SetNumbering(Numbering n)
{
    const QList<QTextBlock> blocks = m_edit->selectedBlocks();
    QTextCursor c(m_edit->document());
    c.beginEditBlock();
    for (const QTextBlock &b : blocks) {
        if (QTextList *list = b.textList())
            list->remove(b);
    }
    changeIndents(m_edit, [n](model::ParagraphIndents &p) {
        if (n == Numbering::None)
            p.left = 0;
        else if (p.left < 200)
            p.left = 200;
    });
    if (n != Numbering::None && !blocks.isEmpty()) {
        // In pieces, as the readers hold bulleted lists (model::BulletListPiece).
        const qsizetype piece = n == Numbering::Bullet ? model::BulletListPiece : blocks.size();
        for (qsizetype first = 0; first < blocks.size(); first += piece) {
            QTextCursor sel(m_edit->document());
            sel.setPosition(blocks.at(first).position());
            sel.setPosition(blocks.at(qMin(first + piece, blocks.size()) - 1).position(), QTextCursor::KeepAnchor);
            sel.createList(model::listFormat(n));
        }
        // The marker now hangs in the first-line offset: lay the indents out again.
        changeIndents(m_edit, [](model::ParagraphIndents &) {});
    }
    c.endEditBlock();
}

// ---- the surface -----------------------------------------------------------

TRichEdit::TRichEdit(QWidget *parent) : QTextEdit(parent), m_layoutHeight(new LayoutHeight(this))
{
    model::prepareDocument(*document());
    m_layoutHeight->attach();
    setFont(model::defaultEditorFont());
    setAcceptRichText(true);
    SetHideSelection(true);
}

QList<QTextBlock> TRichEdit::selectedBlocks() const
{
    const QTextCursor c = textCursor();
    QList<QTextBlock> out;
    const QTextBlock last = document()->findBlock(c.selectionEnd());
    for (QTextBlock b = document()->findBlock(c.selectionStart()); b.isValid(); b = b.next()) {
        out.append(b);
        if (b == last)
            break;
    }
    return out;
}

bool TRichEdit::Modified() const { return document()->isModified(); }
void TRichEdit::SetModified(bool modified) { document()->setModified(modified); }

void TRichEdit::SetHideSelection(bool on)
{
    m_hideSelection = on;
    QPalette p = palette();
    if (on) {
        p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Inactive, QPalette::Base));
        p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Inactive, QPalette::Text));
    } else {
        p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
        p.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   p.color(QPalette::Active, QPalette::HighlightedText));
    }
    setPalette(p);
}

int TRichEdit::TextLength() const { return document()->characterCount() - 1; }
int TRichEdit::SelStart() const { return textCursor().selectionStart(); }
int TRichEdit::SelLength() const
{
    const QTextCursor c = textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void TRichEdit::SetSelStart(int position)
{
    QTextCursor c = textCursor();
    c.setPosition(qBound(0, position, TextLength()));
    setTextCursor(c);
}

void TRichEdit::SetSelLength(int length)
{
    QTextCursor c = textCursor();
    const int start = c.selectionStart();
    const qint64 end = std::clamp<qint64>(qint64(start) + length, 0, TextLength());
    c.setPosition(start);
    c.setPosition(int(end), QTextCursor::KeepAnchor);
    setTextCursor(c);
    ensureCursorVisible();
}

namespace {

bool isTurkishI(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'i' || u == u'I' || u == 0x0130 || u == 0x0131;
}

// Case folding that also makes the Turkish dotted and dotless i one letter,
// so "YAZI" finds "yazı" and "istanbul" finds "İSTANBUL".
QString foldForSearch(QStringView text)
{
    QString out(text.size(), Qt::Uninitialized);
    QChar *o = out.data();
    for (const QChar c : text)
        *o++ = isTurkishI(c) ? QLatin1Char('i') : c.toCaseFolded();
    return out;
}

} // namespace

int TRichEdit::FindText(const QString &text, int start, int length, bool matchCase) const
{
    if (text.isEmpty() || start < 0 || start > TextLength())
        return -1;
    const qint64 limit = qint64(start) + length;
    // Only letters that fold differently in Turkish need the slower path.
    const bool turkishFold = !matchCase && std::any_of(text.begin(), text.end(), isTurkishI);
    const QString needle = turkishFold ? foldForSearch(text) : text;
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (QTextBlock b = document()->findBlock(start); b.isValid() && b.position() < limit; b = b.next()) {
        const QString blockText = b.text();
        const qsizetype from = qMax<qsizetype>(0, start - b.position());
        const qsizetype at = turkishFold ? foldForSearch(blockText).indexOf(needle, from)
                                         : blockText.indexOf(needle, from, cs);
        if (at < 0)
            continue;
        const qint64 found = b.position() + at;
        return found + needle.size() <= limit ? int(found) : -1;
    }
    return -1;
}

void TRichEdit::ClearSelection()
{
    QTextCursor c = textCursor();
    if (!c.hasSelection())
        return;
    // Qt cannot drop one step from its undo history, so the history goes with it.
    document()->setUndoRedoEnabled(false);
    c.removeSelectedText();
    document()->setUndoRedoEnabled(true);
    document()->setModified(true);
}

void TRichEdit::Clear()
{
    clear();
    model::prepareDocument(*document());
    m_layoutHeight->attach();
}

void TRichEdit::LoadFromFile(const QString &path)
{
    // The document is filled while no editor lays it out, then handed over:
    // Qt then lays out the first page at once and the rest in the background,
    // instead of the whole document in one go when the filling ends (which,
    // past a few million pixels of height, does not end). A failed read
    // leaves the editor's old content as it was.
    auto fresh = std::make_unique<QTextDocument>();
    model::prepareDocument(*fresh);
    const formats::LoadResult r = formats::loadFile(*fresh, path, m_plainText);
    if (!LayoutHeight::fitsAnyWidth(*fresh))
        throw EReadError(errortext::FailedToLoadStream);
    // A child of the editor: the editor deletes it when the next one comes.
    fresh->setParent(this);
    setDocument(fresh.release());
    m_layoutHeight->attach();
    m_plainTextForm = r.plainText;
    setTextCursor(QTextCursor(document()));
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

void TRichEdit::SaveToFile(const QString &path)
{
    formats::saveFile(*document(), path, m_plainText, m_plainTextForm);
}

void TRichEdit::resizeEvent(QResizeEvent *e)
{
    QTextEdit::resizeEvent(e);
    m_layoutHeight->keepPagesFinite();
    if (e->oldSize().width() != e->size().width())
        m_layoutHeight->fitWidth();
}

void TRichEdit::changeEvent(QEvent *e)
{
    QTextEdit::changeEvent(e);
    m_layoutHeight->keepPagesFinite();
}

void TRichEdit::showEvent(QShowEvent *e)
{
    QTextEdit::showEvent(e);
    m_layoutHeight->keepPagesFinite();
}

void TRichEdit::mousePressEvent(QMouseEvent *e)
{
    QTextEdit::mousePressEvent(e);
    if (OnMouseDown)
        OnMouseDown();
}

void TRichEdit::mouseDoubleClickEvent(QMouseEvent *e)
{
    QTextEdit::mouseDoubleClickEvent(e);
    if (OnMouseDown)
        OnMouseDown();
}

void TRichEdit::keyPressEvent(QKeyEvent *e)
{
    if (OnKeyDown)
        OnKeyDown();
    QTextEdit::keyPressEvent(e);
}

void TRichEdit::keyReleaseEvent(QKeyEvent *e)
{
    QTextEdit::keyReleaseEvent(e);
    if (OnKeyUp)
        OnKeyUp();
}

QMimeData *TRichEdit::createMimeDataFromSelection() const
{
    // Copies carry our own RTF (other programs read it, and pasting it back
    // keeps exact indents) besides plain text.
    auto *mime = new QMimeData;
    const QTextDocumentFragment fragment = textCursor().selection();
    mime->setText(fragment.toPlainText());
    QTextDocument tmp;
    model::prepareDocument(tmp);
    QTextCursor(&tmp).insertFragment(fragment);
    mime->setData(kRtfMime, formats::toRtf(tmp));
    return mime;
}

bool TRichEdit::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasText() || source->hasFormat(kRtfMime);
}

void TRichEdit::insertFromMimeData(const QMimeData *source)
{
    // Pasted rich text goes through our own RTF reader so that pasted
    // paragraphs carry exact indents; anything else arrives as plain text.
    guarded([&] {
        if (source->hasFormat(kRtfMime) && formats::isRtf(source->data(kRtfMime))) {
            QTextDocument tmp;
            model::prepareDocument(tmp);
            formats::readRtf(tmp, source->data(kRtfMime));
            textCursor().insertFragment(QTextDocumentFragment(&tmp));
        } else if (source->hasText()) {
            textCursor().insertText(source->text());
        }
        ensureCursorVisible();
    });
}

} // namespace kelmora
