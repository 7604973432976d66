#include "metinara.h"

#include "base/ui/DialogLook.h"
#include "base/ui/Guard.h"
#include "base/ui/Wiring.h"
#include "base/ui/KeyPreview.h"
#include "base/ui/Platform.h"
#include "documents/RichEdit.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace kelmora {

Tmetin_ara *metin_ara = nullptr;

namespace {

// The one search start position of the program.
int g_searchStart = 0;

} // namespace

int Tmetin_ara::searchStart() { return g_searchStart; }
void Tmetin_ara::setSearchStart(int position) { g_searchStart = position; }

Tmetin_ara::Tmetin_ara(QWidget *parent, EditorSource activeEditor)
    : QDialog(parent, kFixedDialogFlags), m_activeEditor(std::move(activeEditor))
{
    setObjectName(QStringLiteral("metin_ara"));
    setWindowTitle(QStringLiteral("Metin Ara"));
    setFont(dialogFont());
    setFixedSize(234, 104);

    Label1 = new QLabel(QStringLiteral("Aranacak Metin"), this);
    Label1->setGeometry(8, 12, 80, 21);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(88, 12, 121, 21);
    Label1->setBuddy(Edit1); // names the box for a screen reader
    CheckBox1 = new QCheckBox(QStringLiteral("Büyük Küçük Harf Ayrımı Yap"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(10, 40, 200, 17);
    Button1 = new QPushButton(QStringLiteral("&Ara"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(48, 67, 75, 25);
    Button2 = new QPushButton(QStringLiteral("&Kapat"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(136, 67, 75, 25);
    // Enter is handled by the dialog, not by a default button.
    for (QPushButton *b : {Button1, Button2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    setTabOrder(Edit1, CheckBox1);
    setTabOrder(CheckBox1, Button1);
    setTabOrder(Button1, Button2);

    wire(this, Button1, &QPushButton::clicked, &Tmetin_ara::Button1Click);
    wire(this, Button2, &QPushButton::clicked, &Tmetin_ara::Button2Click);
    auto *keys = new KeyPreview(this, [this](QWidget *target, QChar &key) {
        FormKeyPress(target, key);
        if (!key.isNull() && target == Edit1)
            Edit1KeyPress(target, key);
    });
    keys->setCancelButton(Button2); // "&Kapat" is the cancel button: Escape presses it
}

void Tmetin_ara::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    // Only when the dialog is shown, not when the window system restores it
    // from its icon: that would overwrite the search text.
    if (!e->spontaneous())
        guarded([this] { FormShow(this); });
}

void Tmetin_ara::FormShow(QObject *)
{
    Edit1->clear();
    Edit1->setFocus();
}

void Tmetin_ara::Button1Click(QObject *)
{
    TRichEdit *editor = m_activeEditor ? m_activeEditor() : nullptr;
    if (!editor)
        return;
    const bool matchCase = CheckBox1->isChecked();
    editor->SetHideSelection(true);
    editor->selectAll();
    const int length = editor->SelLength();
    const QString what = Edit1->text();
    const int found = editor->FindText(what, g_searchStart, length, matchCase);
    g_searchStart = found;
    if (found == -1) {
        MessageRequest r;
        r.text = QStringLiteral("Aranan Metin Bulunamadı");
        r.caption = QStringLiteral("Metin Ara");
        r.icon = QMessageBox::Question;
        r.buttons = QMessageBox::Ok;
        platform().messageBox(this, r);
        g_searchStart = 0;
    } else {
        editor->SetHideSelection(false);
        editor->SetSelStart(found);
        editor->SetSelLength(int(what.size()));
        g_searchStart += int(what.size());
    }
    Edit1->setFocus();
}

void Tmetin_ara::Button2Click(QObject *)
{
    reject();
}

void Tmetin_ara::FormKeyPress(QObject *sender, QChar &key)
{
    if (key == QLatin1Char('\r') && (sender == Edit1 || sender == CheckBox1))
        Button1Click(Button1);
}

void Tmetin_ara::Edit1KeyPress(QObject *, QChar &key)
{
    if (key == QLatin1Char('\r'))
        key = QChar();
}

} // namespace kelmora
