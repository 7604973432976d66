#include "RunSettings.h"

#include <QSettings>

namespace kelmora {

RunSettings::RunSettings() : m_folder(QDir::tempPath() + QStringLiteral("/kelmora-settings-XXXXXX"))
{
    // Without a folder of its own, a path nobody can create, root included:
    // Qt's writes then fail quietly and its reads find nothing.
    const QString path = m_folder.isValid() ? m_folder.path() : QStringLiteral("/dev/null/kelmora-settings");
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(format, scope, path);
    }
}

} // namespace kelmora
