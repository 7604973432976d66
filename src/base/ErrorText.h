#pragma once
// The text the standard error box shows for a message: the message, with a
// full stop added when its last character sorts after ".". Shared by the
// error box and the command-line tools, which print the same text.

#include <QString>

namespace kelmora {

QString errorBoxText(const QString &message);

} // namespace kelmora
