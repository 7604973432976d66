#include "FormatCommands.h"

#include "base/IntConvert.h"
#include "base/Platform.h"
#include "documents/DocumentHost.h"

namespace kelmora {

std::optional<bool> FormatCommands::toggleStyle(FontStyle member)
{
    TRichEdit *editor = m_host.activeEditor();
    if (!editor)
        return std::nullopt;
    FontStyles style = editor->SelAttributes().Style();
    const bool on = !style.testFlag(member);
    style.setFlag(member, on);
    editor->SelAttributes().SetStyle(style);
    return on;
}

void FormatCommands::align(ParaAlignment alignment)
{
    if (TRichEdit *editor = m_host.activeEditor())
        editor->Paragraph().SetAlignment(alignment);
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
    editor->SelAttributes().SetColor(chosen);
}

void FormatCommands::fontDialog(const QString &face, const QString &sizeText, QFont &dialogFont)
{
    TRichEdit *editor = m_host.activeEditor();
    if (!editor)
        return;
    QFont font = dialogFont;
    font.setFamilies(QStringList{face});
    font.setPointSize(strToInt(sizeText));
    QColor color = editor->SelAttributes().Color();
    if (!platform().fontDialog(m_host.dialogParent(), font, color))
        return;
    dialogFont = font;
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

std::optional<bool> FormatCommands::toggleBullet()
{
    TRichEdit *editor = m_host.activeEditor();
    if (!editor)
        return std::nullopt;
    const bool on = editor->Paragraph().GetNumbering() == Numbering::None;
    editor->Paragraph().SetNumbering(on ? Numbering::Bullet : Numbering::None);
    return on;
}

} // namespace kelmora
