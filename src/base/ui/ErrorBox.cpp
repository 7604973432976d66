#include "ErrorBox.h"

#include "base/ErrorTexts.h"
#include "base/Identity.h"
#include "Platform.h"

#include <QApplication>

namespace kelmora {

void showErrorBox(const QString &message, QWidget *parent)
{
    MessageRequest r;
    r.text = QString::fromStdString(errorBoxText(message.toStdString()));
    r.caption = identity::applicationTitle();
    r.icon = QMessageBox::Critical;
    r.buttons = QMessageBox::Ok;
    r.defaultButton = QMessageBox::Ok;
    if (!parent)
        parent = QApplication::activeWindow();
    platform().messageBox(parent, r);
}

} // namespace kelmora
