#include "KvSurumKontrol.h"

#include "base/Identity.h"
#include "SurumKontrolU7.h"
#include "VersionList.h"

#include <QLabel>
#include <QWidget>

#include <memory>

namespace kelmora {

TKvSurumKontrol::TKvSurumKontrol(QObject *owner) : QObject(owner), m_host(identity::ftpHost())
{
    setObjectName(QStringLiteral("KvSurumKontrol"));
}

TKvSurumKontrol::~TKvSurumKontrol() = default;

void TKvSurumKontrol::Execute()
{
    // Over the owner's window, so the window manager keeps it in front of it.
    auto *ownerWidget = qobject_cast<QWidget *>(parent());
    auto dialog = std::make_unique<TSurumKontrolF>(ownerWidget ? ownerWidget->window() : nullptr);
    dialog->setWindowTitle(m_caption);
    dialog->Image1->setPixmap(m_picture.copy());

    TIdFTP &ftp = dialog->IdFTP1;
    ftp.Host = m_host.toStdString();
    ftp.Username = version::toListText(m_userName).toStdString();
    ftp.Password = version::toListText(m_password).toStdString();
    ftp.Port = m_port;
    ftp.ConnectTimeout = Bounds.connectTimeout;
    ftp.ReadTimeout = Bounds.readTimeout;
    ftp.TransferTimeout = Bounds.transferTimeout;
    ftp.MaxTransferSize = Bounds.maxListSize;
    dialog->ExchangeTimeout = Bounds.exchangeTimeout;

    dialog->setSettings({m_getFileName, m_saveFileName, m_progName, m_progKod, m_progVers, m_lCompany,
                         m_dwnlAdres});
    dialog->exec();
}

} // namespace kelmora
