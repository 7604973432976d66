#include "RichEdit.h"

#include "base/ErrorTexts.h"
#include "base/Exceptions.h"
#include "base/ui/Guard.h"
#include "model/Links.h"
#include "model/PictureDrawing.h"
#include "model/Pictures.h"
#include "model/TextDocument.h"
#include "model/TextSearch.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <algorithm>
#include <memory>

namespace kelmora {

namespace {

const QString kRtfMime = QStringLiteral("text/rtf");

} // namespace

// ---- text attributes -------------------------------------------------------

QString TTextAttributes::Name() const { return m_edit->selectionLook().face; }
int TTextAttributes::Size() const { return m_edit->selectionLook().size; }
FontStyles TTextAttributes::Style() const { return m_edit->selectionLook().styles; }
bool TTextAttributes::IsAutoColor() const { return !m_edit->selectionLook().colour; }

QColor TTextAttributes::Color() const
{
    return m_edit->selectionLook().colour.value_or(m_edit->palette().color(QPalette::Text));
}

void TTextAttributes::SetName(const QString &name) { m_edit->mergeCurrentCharFormat(model::faceFormat(name)); }
void TTextAttributes::SetSize(int points) { m_edit->mergeCurrentCharFormat(model::sizeFormat(points)); }
void TTextAttributes::SetStyle(FontStyles s) { m_edit->mergeCurrentCharFormat(model::styleFormat(s)); }
void TTextAttributes::SetColor(const QColor &color) { m_edit->mergeCurrentCharFormat(model::colourFormat(color)); }
void TTextAttributes::SetAutoColor() { m_edit->mergeCurrentCharFormat(model::colourFormat(std::nullopt)); }

// ---- paragraph attributes --------------------------------------------------

ParaAlignment TParaAttributes::Alignment() const { return model::paragraphLook(m_edit->textCursor()).alignment; }
int TParaAttributes::FirstIndent() const { return model::paragraphLook(m_edit->textCursor()).first; }
int TParaAttributes::LeftIndent() const { return model::paragraphLook(m_edit->textCursor()).left; }
int TParaAttributes::RightIndent() const { return model::paragraphLook(m_edit->textCursor()).right; }
Numbering TParaAttributes::GetNumbering() const { return model::paragraphLook(m_edit->textCursor()).numbering; }

void TParaAttributes::SetAlignment(ParaAlignment a) { model::setAlignment(m_edit->textCursor(), a); }
void TParaAttributes::SetNumbering(Numbering n) { model::setNumbering(m_edit->textCursor(), n); }

void TParaAttributes::SetFirstIndent(int points)
{
    model::setIndent(m_edit->textCursor(), model::Indent::First, points);
}

void TParaAttributes::SetLeftIndent(int points)
{
    model::setIndent(m_edit->textCursor(), model::Indent::Left, points);
}

void TParaAttributes::SetRightIndent(int points)
{
    model::setIndent(m_edit->textCursor(), model::Indent::Right, points);
}

// ---- the surface -----------------------------------------------------------

TRichEdit::TRichEdit(QWidget *parent) : QTextEdit(parent), m_layoutHeight(new LayoutHeight(this))
{
    // Our own document class, whose lists grow in linear time.
    auto *doc = new model::TextDocument(this);
    model::pictures::drawPicturesOf(*doc);
    setDocument(doc);
    model::prepareDocument(*document());
    m_layoutHeight->attach();
    setFont(model::defaultEditorFont());
    setAcceptRichText(true);
    SetHideSelection(true);
    // What is typed after a note's mark is not part of the mark.
    connect(this, &QTextEdit::currentCharFormatChanged, this, [this](const QTextCharFormat &format) {
        QTextCharFormat typed = format;
        if (!textCursor().hasSelection() && model::dropMarks(typed))
            setCurrentCharFormat(typed);
    });
    // The caret right after a link types outside it (model/Links.h).
    connect(this, &QTextEdit::cursorPositionChanged, this, [this] {
        if (const std::optional<QTextCharFormat> f = model::typingFormatAfterLink(textCursor()))
            setCurrentCharFormat(*f);
    });
}

QList<QTextBlock> TRichEdit::selectedBlocks() const
{
    return model::selectedBlocks(textCursor());
}

const model::SelectionLook &TRichEdit::selectionLook()
{
    QTextDocument *doc = document();
    if (m_look.document != doc) {
        // The document may be replaced; each change to the one shown counts.
        disconnect(m_lookConnection);
        m_lookConnection = connect(doc, &QTextDocument::contentsChange, this, [this] { ++m_contentsGeneration; });
        ++m_contentsGeneration;
        m_look.document = doc;
    }
    const QTextCursor c = textCursor();
    if (!c.hasSelection()) {
        // Cheap, and the format for the text typed next changes with no edit.
        m_look.anchor = -1;
        m_look.look = model::selectionLook(c);
        return m_look.look;
    }
    if (m_look.generation != m_contentsGeneration || m_look.anchor != c.anchor() ||
        m_look.position != c.position()) {
        m_look.look = model::selectionLook(c);
        m_look.generation = m_contentsGeneration;
        m_look.anchor = c.anchor();
        m_look.position = c.position();
    }
    return m_look.look;
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

int TRichEdit::FindText(const QString &text, int start, int length, bool matchCase) const
{
    return model::findText(*document(), text, start, length, matchCase);
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
    auto fresh = std::make_unique<model::TextDocument>();
    model::prepareDocument(*fresh);
    const formats::LoadResult r = formats::loadFile(*fresh, path, m_plainText);
    if (!LayoutHeight::fitsAnyWidth(*fresh))
        throw EReadError(errortext::FailedToLoadStream);
    // A child of the editor: the editor deletes it when the next one comes.
    fresh->setParent(this);
    model::pictures::drawPicturesOf(*fresh);
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
    // Enter always starts a new paragraph with the formatting of the one it
    // leaves. Qt's own Enter on an empty paragraph resets its paragraph and
    // character formats instead and inserts nothing the first time.
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (enter && !isReadOnly() && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        QTextCursor c = textCursor();
        c.insertBlock();
        setTextCursor(c);
        ensureCursorVisible();
        e->accept();
        return;
    }
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
    // keeps exact indents, links and pictures' bytes) besides plain text.
    auto *mime = new QMimeData;
    const QTextDocumentFragment fragment = textCursor().selection();
    mime->setText(fragment.toPlainText());
    model::TextDocument tmp;
    model::prepareDocument(tmp);
    QTextCursor(&tmp).insertFragment(fragment);
    // Notes travel in their marks; styles need the sheet their numbers mean.
    if (const model::KeptParts *kept = model::keptPartsOf(*document()))
        tmp.keptParts().styles = kept->styles;
    model::pictures::copyPictures(tmp, *document(), tmp);
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
            model::TextDocument tmp;
            model::prepareDocument(tmp);
            formats::readRtf(tmp, source->data(kRtfMime));
            model::keepMatchingStyles(tmp, tmp.keptParts().styles, model::keptPartsOf(*document()));
            model::pictures::copyPictures(tmp, tmp, *document());
            textCursor().insertFragment(QTextDocumentFragment(&tmp));
        } else if (source->hasText()) {
            textCursor().insertText(source->text());
        }
        ensureCursorVisible();
    });
}

} // namespace kelmora
