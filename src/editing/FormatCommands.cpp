// The formatting commands of the formatting bar and the Format menu. Each
// acts at once on the active document's selection.

#include "Guard.h"
#include "IntConvert.h"
#include "Main.h"
#include "Platform.h"
#include "RichEdit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

namespace kelmora {

namespace {

// Flips one member of the selection's style set; the write carries all four.
void toggleStyle(TRichEdit *editor, FontStyle member, QToolButton *button)
{
    if (!editor)
        return;
    FontStyles style = editor->SelAttributes().Style();
    const bool on = !style.testFlag(member);
    style.setFlag(member, on);
    editor->SelAttributes().SetStyle(style);
    button->setChecked(on);
}

} // namespace

void TAna::ToolButton18Click(QObject *) { toggleStyle(activeEditor(), FontStyle::Bold, ToolButton18); }
void TAna::ToolButton19Click(QObject *) { toggleStyle(activeEditor(), FontStyle::Underline, ToolButton19); }
void TAna::ToolButton20Click(QObject *) { toggleStyle(activeEditor(), FontStyle::Italic, ToolButton20); }

void TAna::ToolButton22Click(QObject *)
{
    if (TRichEdit *editor = activeEditor())
        editor->Paragraph().SetAlignment(ParaAlignment::Left);
}

void TAna::ToolButton23Click(QObject *)
{
    if (TRichEdit *editor = activeEditor())
        editor->Paragraph().SetAlignment(ParaAlignment::Center);
}

void TAna::ToolButton24Click(QObject *)
{
    if (TRichEdit *editor = activeEditor())
        editor->Paragraph().SetAlignment(ParaAlignment::Right);
}

void TAna::ToolButton26Click(QObject *)
{
    TRichEdit *editor = activeEditor();
    if (!editor)
        return;
    // The dialog opens with the colour last chosen in it, never the selection's.
    QColor color = renkColor;
    if (!platform().colorDialog(this, color))
        return;
    renkColor = color;
    editor->SelAttributes().SetColor(color);
}

void TAna::ToolButton28Click(QObject *sender)
{
    Maddemi1Click(sender);
}

void TAna::Maddemi1Click(QObject *)
{
    TRichEdit *editor = activeEditor();
    if (!editor)
        return;
    const bool on = editor->Paragraph().GetNumbering() == Numbering::None;
    editor->Paragraph().SetNumbering(on ? Numbering::Bullet : Numbering::None);
    ToolButton27->setChecked(on);
    Maddemi1->setChecked(on);
}

void TAna::YazTipi1Click(QObject *)
{
    TRichEdit *editor = activeEditor();
    if (!editor)
        return;
    QFont font = FontDialog1Font;
    font.setFamilies(QStringList{ComboBox1->currentText()});
    font.setPointSize(strToInt(ComboBox2->currentText()));
    const QColor given = editor->SelAttributes().Color();
    QColor color = given;
    if (!platform().fontDialog(this, font, color))
        return;
    FontDialog1Font = font;
    editor->SelAttributes().SetName(font.family());
    editor->SelAttributes().SetSize(font.pointSize());
    FontStyles style;
    style.setFlag(FontStyle::Bold, font.bold());
    style.setFlag(FontStyle::Italic, font.italic());
    style.setFlag(FontStyle::Underline, font.underline());
    style.setFlag(FontStyle::StrikeOut, font.strikeOut());
    editor->SelAttributes().SetStyle(style);
    editor->SelAttributes().SetColor(color);
}

void TAna::ComboBox1Change(QObject *)
{
    if (TRichEdit *editor = activeEditor())
        editor->SelAttributes().SetName(ComboBox1->currentText());
}

void TAna::applySize(const QString &text)
{
    const int size = strToInt(text);
    if (TRichEdit *editor = activeEditor())
        editor->SelAttributes().SetSize(size);
}

void TAna::ComboBox2Change(QObject *)
{
    applySize(ComboBox2->currentText());
}

void TAna::ComboBox2KeyPress(QObject *, QChar &key)
{
    if (key == QLatin1Char('\r')) {
        applySize(ComboBox2->currentText());
        if (TRichEdit *editor = activeEditor())
            editor->setFocus();
        return;
    }
    if ((key >= QLatin1Char('0') && key <= QLatin1Char('9')) || key == QLatin1Char('\b'))
        return;
    platform().beep();
    key = QChar();
}

} // namespace kelmora
