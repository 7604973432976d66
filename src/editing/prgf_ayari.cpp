#include "prgf_ayari.h"

#include "base/IntConvert.h"
#include "base/ui/DialogLook.h"
#include "base/ui/Guard.h"
#include "base/ui/Wiring.h"
#include "base/ui/KeyPreview.h"
#include "documents/RichEdit.h"
#include "documents/UndoStep.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QShowEvent>

namespace kelmora {

Tparagraf_ayari *paragraf_ayari = nullptr;

namespace {

QLabel *label(QWidget *parent, const QString &text, int x, int y)
{
    auto *l = new QLabel(text, parent);
    l->move(x, y);
    l->adjustSize();
    return l;
}

QLineEdit *box(QWidget *parent, const char *name, int x, int y)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setGeometry(x, y, 41, 21);
    return e;
}

// A value in units of 10 points, as the general number format writes it
// with the user's decimal separator ("2", "1,5").
QString unitsOf(double value)
{
    return QLocale().toString(value, 'g', 15);
}

} // namespace

Tparagraf_ayari::Tparagraf_ayari(QWidget *parent, EditorSource activeEditor, AlignmentButtons alignmentButtons)
    : QDialog(parent, kFixedDialogFlags), m_activeEditor(std::move(activeEditor)),
      m_alignmentButtons(std::move(alignmentButtons))
{
    setObjectName(QStringLiteral("paragraf_ayari"));
    setWindowTitle(QStringLiteral("Paragraf Ayarı"));
    setFont(dialogFont());
    setFixedSize(195, 230);

    buildIndentGroup();
    QLabel *alignmentLabel = label(this, QStringLiteral("Hizalama"), 6, 154);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->addItems({QStringLiteral("Sola Dayalı"), QStringLiteral("Ortalı"), QStringLiteral("Sağa Dayalı")});
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setGeometry(54, 151, 122, 21);
    // The labels name their boxes for a screen reader; the list's text field,
    // which takes the focus, is named like the list.
    alignmentLabel->setBuddy(ComboBox1);
    ComboBox1->lineEdit()->setAccessibleName(alignmentLabel->text());
    Button1 = new QPushButton(QStringLiteral("&Tamam"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(24, 190, 75, 25);
    Button2 = new QPushButton(QStringLiteral("&Kapat"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(104, 190, 75, 25);
    for (QPushButton *b : {Button1, Button2})
        b->setAutoDefault(false);
    setTabOrder(Edit3, Button1);
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, ComboBox1);

    wire(this, Button1, &QPushButton::clicked, &Tparagraf_ayari::Button1Click);
    wire(this, Button2, &QPushButton::clicked, &Tparagraf_ayari::Button2Click);
    auto *keys = new KeyPreview(this, [this](QWidget *target, QChar &key) { keyPress(target, key); });
    keys->setCancelButton(Button2); // "&Kapat" is the cancel button: Escape presses it
}

void Tparagraf_ayari::buildIndentGroup()
{
    GroupBox1 = new QGroupBox(QStringLiteral("Girintiler"), this);
    GroupBox1->setGeometry(7, 8, 169, 129);
    QLabel *first = label(GroupBox1, QStringLiteral("İlk Satır"), 24, 28);
    Edit1 = box(GroupBox1, "Edit1", 80, 24);
    label(GroupBox1, QStringLiteral("cm"), 128, 32);
    QLabel *left = label(GroupBox1, QStringLiteral("Sol Girinti"), 24, 60);
    Edit2 = box(GroupBox1, "Edit2", 80, 56);
    label(GroupBox1, QStringLiteral("cm"), 128, 64);
    QLabel *right = label(GroupBox1, QStringLiteral("Sağ Girinti"), 24, 90);
    Edit3 = box(GroupBox1, "Edit3", 80, 88);
    // Each label names its box for a screen reader (the group's title would otherwise).
    first->setBuddy(Edit1);
    left->setBuddy(Edit2);
    right->setBuddy(Edit3);
    label(GroupBox1, QStringLiteral("cm"), 128, 96);
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Edit3);
}

void Tparagraf_ayari::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    // Only when the dialog is shown, not when the window system restores it
    // from its icon: that would overwrite the indents being typed.
    if (!e->spontaneous())
        guarded([this] { FormShow(this); });
}

void Tparagraf_ayari::FormShow(QObject *)
{
    // The alignment comes from the formatting bar's buttons, as they stand.
    if (m_alignmentButtons) {
        const std::array<bool, 3> pressed = m_alignmentButtons();
        for (int i = 0; i < 3; ++i) {
            if (pressed[i])
                ComboBox1->setCurrentIndex(i);
        }
    }
    TRichEdit *editor = m_activeEditor ? m_activeEditor() : nullptr;
    if (!editor)
        return;
    const double first = editor->Paragraph().FirstIndent() / 10.0;
    const double left = editor->Paragraph().LeftIndent() / 10.0;
    const double right = editor->Paragraph().RightIndent() / 10.0;
    Edit1->setText(unitsOf(first));
    Edit2->setText(unitsOf(left + first));
    Edit3->setText(unitsOf(right));
}

void Tparagraf_ayari::Button1Click(QObject *)
{
    // All three are converted before anything is written.
    const int e1 = strToInt(Edit1->text());
    const int e2 = strToInt(Edit2->text());
    const int e3 = strToInt(Edit3->text());
    if (TRichEdit *editor = m_activeEditor ? m_activeEditor() : nullptr) {
        // Three indents and the alignment: one step to undo.
        const UndoStep step(editor);
        editor->Paragraph().SetFirstIndent(e1 * 10);
        editor->Paragraph().SetLeftIndent(e2 * 10 - e1 * 10);
        editor->Paragraph().SetRightIndent(e3 * 10);
        switch (ComboBox1->currentIndex()) {
        case 0: editor->Paragraph().SetAlignment(ParaAlignment::Left); break;
        case 1: editor->Paragraph().SetAlignment(ParaAlignment::Center); break;
        case 2: editor->Paragraph().SetAlignment(ParaAlignment::Right); break;
        default: break;
        }
    }
    accept();
}

void Tparagraf_ayari::Button2Click(QObject *)
{
    reject();
}

void Tparagraf_ayari::keyPress(QWidget *target, QChar &key)
{
    FormKeyPress(target, key);
    if (key.isNull())
        return;
    if (target == Edit1)
        Edit1KeyPress(target, key);
    else if (target == Edit2)
        Edit2KeyPress(target, key);
    else if (target == Edit3)
        Edit3KeyPress(target, key);
}

void Tparagraf_ayari::FormKeyPress(QObject *sender, QChar &key)
{
    if (key != QLatin1Char('\r'))
        return;
    if (sender == Edit1 || sender == Edit2 || sender == Edit3 || sender == ComboBox1) {
        key = QChar();
        Button1Click(Button1);
    }
}

void Tparagraf_ayari::Edit1KeyPress(QObject *, QChar &key)
{
    const bool pass = (key >= QLatin1Char('0') && key <= QLatin1Char('9')) || key == QLatin1Char('\b') ||
                      key == QLatin1Char('\r') || key == QChar(27);
    if (!pass)
        key = QChar();
}

void Tparagraf_ayari::Edit2KeyPress(QObject *sender, QChar &key)
{
    Edit1KeyPress(sender, key);
}

void Tparagraf_ayari::Edit3KeyPress(QObject *sender, QChar &key)
{
    Edit1KeyPress(sender, key);
}

} // namespace kelmora
