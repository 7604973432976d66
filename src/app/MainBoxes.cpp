// The formatting bar's two boxes: their lists, filled once the frame is
// built (FormCreate), and the boxes as the keyboard reaches them. Keys go to the
// box itself (an editable drop-down list keeps the focus), so the frame's
// KeyPreview runs ComboBox2KeyPress there, holds the size box to two typed
// characters, and completes what a key typed against the box's list. Each
// key, typing and completion together, is one change of the text: the
// change handler runs once, with the completed text, and only when the text
// differs from before the key. Changes that come without a key (choosing in
// the opened list, pasting) run it at once.

#include "BoxCompletion.h"
#include "base/ui/Guard.h"
#include "base/ui/KeyPreview.h"
#include "Main.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>

#include <algorithm>

namespace kelmora {

namespace {

QStringList itemsOf(const QComboBox *box)
{
    QStringList out;
    out.reserve(box->count());
    for (int i = 0; i < box->count(); ++i)
        out.append(box->itemText(i));
    return out;
}

// Shows the first item that begins with the typed text, the completed tail selected.
void complete(QComboBox *box)
{
    QLineEdit *edit = box->lineEdit();
    const QString typed = edit->text();
    if (edit->cursorPosition() != typed.size() || edit->hasSelectedText())
        return;
    const int index = completionIndex(itemsOf(box), typed);
    if (index < 0)
        return;
    const QString item = box->itemText(index);
    edit->setText(item);
    edit->setSelection(int(item.size()), int(typed.size()) - int(item.size()));
}

bool isTyping(QChar key)
{
    return !key.isNull() && key != QLatin1Char('\r') && key != QLatin1Char('\b') && key != QChar(0x1b);
}

} // namespace

void TAna::frameKeyPress(QWidget *target, QChar &key)
{
    if (target == ComboBox2) {
        ComboBox2KeyPress(ComboBox2, key);
        // At most two characters can be typed; the refresh may write more.
        const QLineEdit *edit = ComboBox2->lineEdit();
        if (isTyping(key) && edit->text().size() - edit->selectedText().size() >= 2)
            key = QChar();
    }
    if (target == ComboBox1 || target == ComboBox2)
        m_boxKeyTyped = key;
}

void TAna::watchBox(QComboBox *box, void (TAna::*change)(QObject *))
{
    m_keys->watch(
        box,
        [this, box] {
            m_boxInKey = box;
            m_boxTextBeforeKey = box->currentText();
        },
        [this, box, change] {
            const QChar typed = std::exchange(m_boxKeyTyped, QChar());
            if (isTyping(typed))
                complete(box);
            m_boxInKey = nullptr;
            if (box->currentText() != m_boxTextBeforeKey)
                (this->*change)(box);
        });
}

void TAna::boxTextEdited(QComboBox *box, void (TAna::*change)(QObject *))
{
    if (m_settingBoxes || m_boxInKey == box)
        return;
    guarded([this, box, change] { (this->*change)(box); });
}

// The face box lists every family once; the size box starts at its fifth size.
void TAna::FormCreate(QObject *)
{
    QStringList faces;
    for (const QString &family : QFontDatabase::families()) {
        // Families offered by several foundries come as "Name [Foundry]";
        // the list shows each family once, by its name.
        const qsizetype bracket = family.indexOf(QStringLiteral(" ["));
        faces.append(bracket > 0 ? family.left(bracket) : family);
    }
    faces.append(QStringLiteral("Default"));
    faces.removeDuplicates();
    std::stable_sort(faces.begin(), faces.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    m_settingBoxes = true;
    ComboBox1->clear();
    ComboBox1->addItems(faces);
    ComboBox1->setCurrentIndex(0);
    ComboBox2->setCurrentIndex(4);
    m_settingBoxes = false;
}

} // namespace kelmora
