#pragma once
// The standard error box: caption the application title, error icon, one OK
// button; the message as errorBoxText (base/ErrorTexts.h) words it, full
// stop included.

#include <QString>

class QWidget;

namespace kelmora {

void showErrorBox(const QString &message, QWidget *parent = nullptr);

} // namespace kelmora
