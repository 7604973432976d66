#pragma once
// TKvSurumKontrol: the version check as a non-visual component. It holds every
// setting of one check as a published property and runs the check with its
// dialog in Execute(). The owner (a Qt parent) owns the component; the
// component owns its picture.

#include <QObject>
#include <QPixmap>
#include <QString>

#include <cstdint>

namespace kelmora {

// The bounds of the FTP exchange. Not published: the program keeps the
// defaults and the tests shorten them. The whole exchange, from the host-name
// lookup to the list's last byte, ends after exchangeTimeout ms; within it
// every wait ends after readTimeout ms (connectTimeout for looking the server
// up and connecting to it), a retrieval after transferTimeout ms; a version
// list longer than maxListSize bytes is refused.
struct VersionCheckBounds {
    int exchangeTimeout = 30000;
    int connectTimeout = 15000;
    int readTimeout = 30000;
    int transferTimeout = 30000;
    std::int64_t maxListSize = 1024 * 1024;
};

class TKvSurumKontrol : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QPixmap Picture READ Picture WRITE setPicture)
    Q_PROPERTY(QString Host READ Host WRITE setHost)
    Q_PROPERTY(QString UserName READ UserName WRITE setUserName)
    Q_PROPERTY(QString Password READ Password WRITE setPassword)
    Q_PROPERTY(int Port READ Port WRITE setPort)
    Q_PROPERTY(QString GetFileName READ GetFileName WRITE setGetFileName)
    Q_PROPERTY(QString SaveFileName READ SaveFileName WRITE setSaveFileName)
    Q_PROPERTY(QString ProgName READ ProgName WRITE setProgName)
    Q_PROPERTY(QString ProgKod READ ProgKod WRITE setProgKod)
    Q_PROPERTY(QString ProgVers READ ProgVers WRITE setProgVers)
    Q_PROPERTY(QString LCompany READ LCompany WRITE setLCompany)
    Q_PROPERTY(QString Abuout READ Abuout WRITE setAbuout)
    Q_PROPERTY(QString DwnlAdres READ DwnlAdres WRITE setDwnlAdres)

public:
    static constexpr int DefaultPort = 21;

    explicit TKvSurumKontrol(QObject *owner = nullptr);
    ~TKvSurumKontrol() override;

    // Runs one check: a fresh dialog filled from the properties, shown
    // modally, destroyed when the user has closed it. The outcome reaches the
    // user only through the dialog.
    void Execute();

    QString Caption() const { return m_caption; }
    void setCaption(const QString &v) { m_caption = v; }
    QPixmap Picture() const { return m_picture; }
    // Copies the picture's pixels: later changes to `picture` do not show here.
    void setPicture(const QPixmap &picture) { m_picture = picture.copy(); }
    QString Host() const { return m_host; }
    void setHost(const QString &v) { m_host = v; }
    QString UserName() const { return m_userName; }
    void setUserName(const QString &v) { m_userName = v; }
    QString Password() const { return m_password; }
    void setPassword(const QString &v) { m_password = v; }
    int Port() const { return m_port; }
    void setPort(int v) { m_port = v; }
    QString GetFileName() const { return m_getFileName; }
    void setGetFileName(const QString &v) { m_getFileName = v; }
    QString SaveFileName() const { return m_saveFileName; }
    void setSaveFileName(const QString &v) { m_saveFileName = v; }
    QString ProgName() const { return m_progName; }
    void setProgName(const QString &v) { m_progName = v; }
    QString ProgKod() const { return m_progKod; }
    void setProgKod(const QString &v) { m_progKod = v; }
    QString ProgVers() const { return m_progVers; }
    void setProgVers(const QString &v) { m_progVers = v; }
    QString LCompany() const { return m_lCompany; }
    void setLCompany(const QString &v) { m_lCompany = v; }
    // The component's own version stamp; assigning it changes nothing.
    QString Abuout() const { return QStringLiteral("s1.02"); }
    void setAbuout(const QString &) {}
    QString DwnlAdres() const { return m_dwnlAdres; }
    void setDwnlAdres(const QString &v) { m_dwnlAdres = v; }

    VersionCheckBounds Bounds;

private:
    QString m_caption;
    QPixmap m_picture;
    QString m_host;
    QString m_userName = QStringLiteral("kvprg");
    QString m_password = QStringLiteral("ptmox");
    int m_port = DefaultPort;
    QString m_getFileName = QStringLiteral("version.dll");
    QString m_saveFileName;
    QString m_progName;
    QString m_progKod;
    QString m_progVers;
    QString m_lCompany = QStringLiteral("TORVANTA Yazılım");
    QString m_dwnlAdres;
};

} // namespace kelmora
