#include "FormatCommands.h"

#include "base/IntConvert.h"
#include "base/ui/Platform.h"
#include "documents/DocumentHost.h"
#include "documents/UndoStep.h"

namespace kelmora {

std::optional<bool> FormatCommands::toggleStyle(FontStyle member)
{
    TRichEdit *editor = m_host.activeEditor();
    if (!editor)
        return std::nullopt;
    FontStyles style = editor->SelAttributes().Style();
    const bool on = !style.testFlag(member);
    style.setFlag(member, on);
    const UndoStep step(editor);
    editor->SelAttributes().SetStyle(style);
    return on;
}

void FormatCommands::align(ParaAlignment alignment)
{
    if (TRichEdit *editor = m_host.activeEditor()) {
        const UndoStep step(editor);
        editor->Paragraph().SetAlignment(alignment);
    }
}

void FormatCommands::setFace(const QString &face)
{
    if (TRichEdit *editor = m_host.activeEditor())
        editor->SelAttributes().SetName(face);
}

void FormatCommands::setSize(const QString &text)
{
    const int size = strToInt(text);
    if (TRichEdit *editor = m_host.activeEditor())
        editor->SelAttributes().SetSize(size);
}

void FormatCommands::sizeKeyPress(QChar &key, const QString &text)
{
    if (key == QLatin1Char('\r')) {
        setSize(text);
        if (TRichEdit *editor = m_host.activeEditor())
            editor->setFocus();
        return;
    }
    if ((key >= QLatin1Char('0') && key <= QLatin1Char('9')) || key == QLatin1Char('\b'))
        return;
    platform().beep();
    key = QChar();
}

void FormatCommands::textColour(QColor &colour)
{
    TRichEdit *editor = m_host.activeEditor();
    if (!editor)
        return;
    QColor chosen = colour;
    if (!platform().colorDialog(m_host.dialogParent(), chosen))
        return;
    colour = chosen;
    const UndoStep step(editor);
    editor->SelAttributes().SetColor(chosen);
}

void FormatCommands::fontDialog(const QString &face, const QString &sizeText, QFont &dialogFont)
{
    TRichEdit *editor = m_host.activeEditor();
    if (!editor)
        return;
    TTextAttributes &attributes = editor->SelAttributes();
    FontChoice choice;
    choice.font = dialogFont; // keeps the style set confirmed last
    choice.font.setFamilies(QStringList{face});
    const int size = strToInt(sizeText);
    // Qt keeps no size below one point; the dialog then shows the last one.
    if (size > 0)
        choice.font.setPointSize(size);
    choice.automaticColour = attributes.IsAutoColor();
    choice.colour = attributes.Color();
    const FontChoice given = choice;
    if (!platform().fontDialog(m_host.dialogParent(), choice))
        return;
    dialogFont = choice.font;
    // Face, size, style set and colour: one step to undo.
    const UndoStep step(editor);
    attributes.SetName(choice.font.family());
    attributes.SetSize(choice.font.pointSize());
    FontStyles style;
    style.setFlag(FontStyle::Bold, choice.font.bold());
    style.setFlag(FontStyle::Italic, choice.font.italic());
    style.setFlag(FontStyle::Underline, choice.font.underline());
    style.setFlag(FontStyle::StrikeOut, choice.font.strikeOut());
    attributes.SetStyle(style);
    // The colour picked in the dialog, else the one it was given: the
    // automatic colour stays automatic, whatever colour the desktop shows it in.
    if (choice.colourChanged)
        attributes.SetColor(choice.colour);
    else if (given.automaticColour)
        attributes.SetAutoColor();
    else
        attributes.SetColor(given.colour);
}

std::optional<bool> FormatCommands::toggleBullet()
{
    TRichEdit *editor = m_host.activeEditor();
    if (!editor)
        return std::nullopt;
    const bool on = editor->Paragraph().GetNumbering() == Numbering::None;
    const UndoStep step(editor);
    editor->Paragraph().SetNumbering(on ? Numbering::Bullet : Numbering::None);
    return on;
}

} // namespace kelmora
