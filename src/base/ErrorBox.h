#pragma once
// The standard error box: caption the application title, error icon, one OK
// button; a full stop is added when the message's last character sorts after ".".

#include <QString>

class QWidget;

namespace kelmora {

// The text the box shows for a message.
QString errorBoxText(const QString &message);
void showErrorBox(const QString &message, QWidget *parent = nullptr);

} // namespace kelmora
