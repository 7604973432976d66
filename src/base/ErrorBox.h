#pragma once
// The standard error box: caption the application title, error icon, one OK
// button; a full stop is added when the message's last character sorts after ".".

#include "ErrorText.h"

#include <QString>

class QWidget;

namespace kelmora {

void showErrorBox(const QString &message, QWidget *parent = nullptr);

} // namespace kelmora
