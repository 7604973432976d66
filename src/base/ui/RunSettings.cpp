#include "RunSettings.h"

#include <QSettings>

namespace kelmora {

void keepNoSettings()
{
    // A folder below a device file cannot be made, root included, so Qt's
    // writes fail and its reads find nothing; Qt reports neither.
    const QString nowhere = QStringLiteral("/dev/null/kelmora-settings");
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(format, scope, nowhere);
    }
}

} // namespace kelmora
