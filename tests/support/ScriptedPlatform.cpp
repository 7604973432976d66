#include "ScriptedPlatform.h"

namespace kelmora::test {

QMessageBox::StandardButton ScriptedPlatform::messageBox(QWidget *, const MessageRequest &request)
{
    if (boxAnswers.empty()) {
        // An error box needs no scripted answer: OK is its only button.
        if (request.buttons == QMessageBox::Ok) {
            boxes.append({request, QMessageBox::Ok});
            return QMessageBox::Ok;
        }
        unexpected.append(QStringLiteral("message box: ") + request.text);
        boxes.append({request, QMessageBox::Cancel});
        return QMessageBox::Cancel;
    }
    const auto answer = boxAnswers.front();
    boxAnswers.pop_front();
    boxes.append({request, answer});
    return answer;
}

bool ScriptedPlatform::fileDialog(QWidget *, FileDialogState &state)
{
    fileDialogs.append(state);
    if (fileAnswers.empty()) {
        unexpected.append(QStringLiteral("file dialog: ") + state.title);
        return false;
    }
    const FileAnswer a = fileAnswers.front();
    fileAnswers.pop_front();
    if (!a.accept)
        return false;
    state.fileName = a.fileName;
    if (a.filterIndex > 0)
        state.filterIndex = a.filterIndex;
    return true;
}

bool ScriptedPlatform::colorDialog(QWidget *, QColor &color)
{
    colorDialogsOpenedWith.append(color);
    if (colorAnswers.empty()) {
        unexpected.append(QStringLiteral("colour dialog"));
        return false;
    }
    const auto a = colorAnswers.front();
    colorAnswers.pop_front();
    if (a.first)
        color = a.second;
    return a.first;
}

bool ScriptedPlatform::fontDialog(QWidget *, FontChoice &choice)
{
    fontDialogsOpenedWith.append(choice.font);
    fontChoicesOpenedWith.append(choice);
    if (fontAnswers.empty()) {
        unexpected.append(QStringLiteral("font dialog"));
        return false;
    }
    const FontAnswer a = fontAnswers.front();
    fontAnswers.pop_front();
    if (!a.accept)
        return false;
    choice.font = a.font;
    if (a.colour) {
        choice.colour = *a.colour;
        choice.automaticColour = false;
        choice.colourChanged = true;
    }
    return true;
}

void ScriptedPlatform::shellOpen(const QString &program, const QString &parameters)
{
    shellOpens.append({program, parameters});
}

void ScriptedPlatform::sleep(int milliseconds)
{
    sleeps.append(milliseconds);
    if (onSleep)
        onSleep(milliseconds);
}

QStringList ScriptedPlatform::errorTexts() const
{
    QStringList out;
    for (const AskedBox &b : boxes) {
        if (b.request.icon == QMessageBox::Critical)
            out.append(b.request.text);
    }
    return out;
}

QStringList ScriptedPlatform::boxTexts() const
{
    QStringList out;
    for (const AskedBox &b : boxes)
        out.append(b.request.text);
    return out;
}

ScopedPlatform::ScopedPlatform()
{
    auto p = std::make_unique<ScriptedPlatform>();
    m_platform = p.get();
    m_previous = setPlatform(std::move(p));
}

ScopedPlatform::~ScopedPlatform()
{
    setPlatform(std::move(m_previous));
}

} // namespace kelmora::test
