#pragma once
// Where the version check keeps the last fetched version list.

#include <QString>

namespace kelmora::version {

// `programFolder` (ending in a separator) followed by "Vers.kvk" when the
// folder exists and may be written; otherwise the user's cache folder followed
// by "kelmora/Vers.kvk", with the folder created when missing (if that fails
// the path is still returned and saving there fails later). An installed
// program's folder (/usr/bin, /usr/local/bin) is not writable for its users,
// so without this every check would end in "cannot save"; and a folder under
// /usr, /bin, /sbin or /opt is never used, even by root, so that removing the
// package leaves no file of ours behind.
QString versionListPath(const QString &programFolder);

// $XDG_CACHE_HOME when it is an absolute path, else ~/.cache (the XDG rule).
QString userCacheFolder();

} // namespace kelmora::version
