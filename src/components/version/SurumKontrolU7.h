#pragma once
// TSurumKontrolF: the version check's dialog. One second after it is created
// it fetches the version list with its FTP client IdFTP1, saves it, finds the
// program's line and shows the verdict; it reports a failed exchange in one of
// two fixed messages and then closes itself. The exchange holds the window;
// clicks and keys given meanwhile are dropped. TKvSurumKontrol::Execute creates,
// fills, shows and destroys it; the dialog reads only the settings it was given.

#include "ftp/IdFTP.h"

#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QStatusBar;
class QTimer;
class QPushButton;

namespace kelmora {

class TSurumKontrolF : public QDialog {
    Q_OBJECT
public:
    // The dialog's own copies of the component's settings, taken before it is
    // shown; the check shortens its copy of ProgVers, never the component's.
    struct Settings {
        QString GetFileName;
        QString SaveFileName;
        QString ProgName;
        QString ProgKod;
        QString ProgVers;
        QString LCompany;
        QString DwnlAdres;
    };

    static inline const QString FailedToConnect =
        QStringLiteral("İstek zaman aşımına uğradı..\r\nLütfen internet bağlantınızı kontrol ediniz...");
    static inline const QString FailedToFetch = QStringLiteral("Sürüm kontrolü gerçekleştirilemedi...");
    static inline const QString UpdateNeeded = QStringLiteral("Güncelleme Yapılmalı");
    static inline const QString UpToDate = QStringLiteral("Şu Anda Programın Son Sürümünü Kullanmaktasınız...");

    // Timer1 starts counting at construction.
    explicit TSurumKontrolF(QWidget *parent = nullptr);

    // The whole exchange, from the host-name lookup to the list's last byte,
    // ends after this many milliseconds (0: only each wait's own bounds).
    int ExchangeTimeout = 30000;
    ~TSurumKontrolF() override;

    void setSettings(const Settings &settings) { m_settings = settings; }
    const Settings &settings() const { return m_settings; }

    // ---- handlers ----
    void FormShow(QObject *sender);
    void Timer1Timer(QObject *sender);
    void SpeedButton1Click(QObject *sender);
    void SpeedButton2Click(QObject *sender);
    void SpeedButton3Click(QObject *sender);

    // ---- controls (named as on the form) ----
    QFrame *Panel1 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *RxLabel1 = nullptr;
    QLabel *StaticText1 = nullptr, *StaticText2 = nullptr, *StaticText3 = nullptr, *StaticText4 = nullptr,
           *StaticText5 = nullptr, *StaticText6 = nullptr;
    QLabel *LabelFirma = nullptr, *LabelPAdi = nullptr, *LabelPKodu = nullptr, *LabelPSurum = nullptr,
           *LabelKSurum = nullptr, *LabelDurum = nullptr;
    QFrame *PanelTamam = nullptr;
    QPushButton *SpeedButton3 = nullptr;
    QFrame *PanelGuncel = nullptr;
    QPushButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QPlainTextEdit *MemoVers = nullptr;
    QLabel *PanelBekleme = nullptr;
    QTimer *Timer1 = nullptr;
    TIdFTP IdFTP1;

    void setVisible(bool visible) override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void buildTitleStrip();
    void buildCaptions();
    void buildValueLabels();
    void buildButtonPanels();
    void buildWaitPanel();
    // Connects and fetches the list within ExchangeTimeout; returns the
    // message of the step that failed, or nothing.
    QString fetchList();
    void showVerdict(const QByteArray &list);

    Settings m_settings;
    bool m_placed = false;
};

} // namespace kelmora
