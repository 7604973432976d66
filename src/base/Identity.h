#pragma once
// The program identity and the three titles composed from it.

#include <QString>

namespace kelmora::identity {

inline QString companyName() { return QStringLiteral("TORVANTA"); }
inline QString productName() { return QStringLiteral("Kelmora"); }
inline QString versionString() { return QStringLiteral("s1.06"); }
inline QString productCode() { return QStringLiteral("KZQ1"); }

// "TORVANTA Kelmora": the taskbar entry and the caption of the error box.
inline QString applicationTitle() { return companyName() + QLatin1Char(' ') + productName(); }
// "TORVANTA Kelmora s1.06": the main frame's caption.
inline QString frameCaption() { return applicationTitle() + QLatin1Char(' ') + versionString(); }
// "Kelmora s1.06": the about box's program name.
inline QString programName() { return productName() + QLatin1Char(' ') + versionString(); }

// The maker's web site as the Help menu and the about box show it: without a
// scheme, so that its menu item's accelerator is W, not the H of "&Hakkında"
// above it.
inline QString webSite() { return QStringLiteral("www.torvanta.com.tr"); }
// The address the browser is given: a bare name would be taken as http.
inline QString webSiteAddress() { return QStringLiteral("https://") + webSite(); }
// The maker's FTP server, which keeps the version list.
inline QString ftpHost() { return QStringLiteral("ftp.torvanta.com.tr"); }

} // namespace kelmora::identity
