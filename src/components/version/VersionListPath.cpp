#include "VersionListPath.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

namespace kelmora::version {

namespace {

// access() rather than the permission bits: it also knows read-only mounts
// and that root may write anywhere else.
bool isWritableFolder(const QString &folder)
{
    return !folder.isEmpty() && ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

// Folders the package manager owns: a program installed there keeps its list
// in the user's cache even when run as root, so no stray file is left behind.
bool isSystemFolder(const QString &folder)
{
    const QString clean = QDir::cleanPath(folder) + QLatin1Char('/');
    for (const char *root : {"/usr/", "/bin/", "/sbin/", "/opt/"}) {
        if (clean.startsWith(QLatin1String(root)))
            return true;
    }
    return false;
}

} // namespace

QString userCacheFolder()
{
    const QString xdg = qEnvironmentVariable("XDG_CACHE_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg);
    return QDir::homePath() + QStringLiteral("/.cache");
}

QString versionListPath(const QString &programFolder)
{
    if (isWritableFolder(programFolder) && !isSystemFolder(programFolder))
        return programFolder + QStringLiteral("Vers.kvk");
    const QString folder = userCacheFolder() + QStringLiteral("/kelmora");
    QDir().mkpath(folder);
    return folder + QStringLiteral("/Vers.kvk");
}

} // namespace kelmora::version
