#pragma once
// TRichEdit: the rich-text editing surface of a document window. It owns the
// document and offers the operations the rest of the program uses: the
// selection's text attributes (SelAttributes), the paragraph attributes of the
// paragraphs it touches (Paragraph), the modified flag, the format switch
// (PlainText), HideSelection, selection start/length, find, delete without
// undo, undo, clear, clipboard, load and save. Sizes and indents are read in
// whole points, truncated from the twips the document keeps.

#include "LayoutHeight.h"
#include "formats/DocumentIO.h"
#include "model/DocumentModel.h"
#include "model/ParagraphFormat.h"
#include "model/SelectionFormat.h"

#include <QColor>
#include <QPointer>
#include <QTextEdit>

#include <functional>

namespace kelmora {

using model::FontStyle;
using model::FontStyles;
using model::Numbering;
using model::ParaAlignment;

class TRichEdit;

// Text attributes of the selection, by the rules of model/SelectionFormat.h:
// what every selected character has for the style set; face, size and colour
// of the first selected character. Writing applies to the selection, or to
// the text typed next when nothing is selected.
class TTextAttributes {
public:
    explicit TTextAttributes(TRichEdit *edit) : m_edit(edit) {}
    QString Name() const;
    void SetName(const QString &name); // cut to 31 characters
    int Size() const;                  // whole points, truncated
    void SetSize(int points);
    FontStyles Style() const;
    void SetStyle(FontStyles style); // writes all four members
    QColor Color() const;            // the automatic colour reads as the window-text colour
    bool IsAutoColor() const;
    void SetColor(const QColor &color);
    // Gives the selection the automatic colour again.
    void SetAutoColor();

private:
    TRichEdit *m_edit;
};

// Paragraph attributes of every paragraph the selection touches (read from
// the paragraph at the selection start). Indents in whole points: first line
// from the left margin, the other lines relative to the first, right margin.
class TParaAttributes {
public:
    explicit TParaAttributes(TRichEdit *edit) : m_edit(edit) {}
    ParaAlignment Alignment() const;
    void SetAlignment(ParaAlignment a);
    int FirstIndent() const;
    void SetFirstIndent(int points);
    int LeftIndent() const;
    void SetLeftIndent(int points);
    int RightIndent() const;
    void SetRightIndent(int points);
    Numbering GetNumbering() const;
    // Bullet first raises a left indent below 10 points to 10; none sets it to 0.
    void SetNumbering(Numbering n);

private:
    TRichEdit *m_edit;
};

class TRichEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit TRichEdit(QWidget *parent = nullptr);

    TTextAttributes &SelAttributes() { return m_selAttributes; }
    TParaAttributes &Paragraph() { return m_paragraph; }

    bool Modified() const;
    void SetModified(bool modified);
    // The format switch: off writes RTF, on writes plain text.
    bool PlainText() const { return m_plainText; }
    void SetPlainText(bool on) { m_plainText = on; }
    // Hide the selection while the editor lacks the keyboard focus.
    bool HideSelection() const { return m_hideSelection; }
    void SetHideSelection(bool on);

    int SelStart() const;
    void SetSelStart(int position); // collapses the selection there
    int SelLength() const;
    void SetSelLength(int length); // keeps the start, scrolls the caret into view
    int TextLength() const;
    // Position of the first match within [start, start + length), or -1;
    // without match case, i and İ are one letter, ı and I another.
    int FindText(const QString &text, int start, int length, bool matchCase) const;
    // Deletes the selection; this cannot be undone (nor can anything before it).
    void ClearSelection();
    void Clear();

    // Replaces the content with the file's (RTF or plain text), the caret at
    // the first character and the view at the top; throws on failure, also
    // EReadError for a document with more paragraphs than the editor can
    // show (LayoutHeight::fitsAnyWidth), keeping the old content then.
    void LoadFromFile(const QString &path);
    // Writes RTF or plain text as the format switch says; throws on failure.
    void SaveToFile(const QString &path);

    // Hooks for the document window: mouse down after the caret moved, key
    // down before the key acts, key up after it.
    std::function<void()> OnMouseDown;
    std::function<void()> OnKeyDown;
    std::function<void()> OnKeyUp;

    // Blocks from the one holding the selection start to the one holding its end.
    QList<QTextBlock> selectedBlocks() const;
    // The selection's text attributes, read in one pass and kept until the
    // document or the selection changes (the refresh asks for them on every
    // key down and up).
    const model::SelectionLook &selectionLook();

protected:
    void mousePressEvent(QMouseEvent *e) override;
    // The second press of a double click is a mouse-down too.
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    // Qt lays the document out anew in these; its page height is kept finite.
    void resizeEvent(QResizeEvent *e) override;
    void changeEvent(QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    QMimeData *createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    // Never throws: Qt calls it from its event handling.
    void insertFromMimeData(const QMimeData *source) override;

private:
    struct LookCache {
        QPointer<QTextDocument> document;
        quint64 generation = 0;
        int anchor = -1;
        int position = -1;
        model::SelectionLook look;
    };

    TTextAttributes m_selAttributes{this};
    TParaAttributes m_paragraph{this};
    LookCache m_look;
    QMetaObject::Connection m_lookConnection;
    quint64 m_contentsGeneration = 0;
    bool m_plainText = false;
    bool m_hideSelection = true;
    formats::PlainTextForm m_plainTextForm; // how the file was written, to save it alike
    LayoutHeight *m_layoutHeight;           // a child
};

} // namespace kelmora
