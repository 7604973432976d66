#pragma once
// TAboutF: the about box. A fixed 430 x 460 dialog with the program's
// picture at the left (a click flips the team panel), the title strip, the
// maker's logo, the scrolling credits, the web, mail and telephone labels,
// the machine's memory figures, the "Tamam" button and a status bar.
//
// TKvAbout::Execute creates it, fills it and shows it modally; while it
// exists it is also reachable as AboutF. Ctrl+Alt+T flips the team panel
// like a click on the left picture; Esc, "Tamam" and the close box close it,
// and closing stops both scrolling panels. Only the web and mail labels take
// the focus (by Tab); every key they do not use reaches the box.

#include "AboutControls.h"
#include "SecretPanel.h"

#include <QDialog>
#include <QLocale>

#include <cstdint>

class QAction;
class QKeyEvent;
class QStatusBar;
class QToolButton;

namespace kelmora::about {

class TAboutF : public QDialog {
    Q_OBJECT
public:
    explicit TAboutF(QWidget *parent = nullptr);
    ~TAboutF() override;

    // ---- handlers ----
    void FormCreate(QObject *sender);
    void FormShow(QObject *sender);
    void FormClose(QObject *sender);
    void FormKeyDown(QObject *sender, const QKeyEvent &key);
    void Image1Click(QObject *sender);
    void SpeedButton1Click(QObject *sender);
    void RxLabel1Click(QObject *sender);
    void RxLabel3Click(QObject *sender);
    void kapatExecute(QObject *sender);

    // ---- controls (named as on the form) ----
    PictureBox *Image1 = nullptr;
    TSecretPanel *SecretPanel2 = nullptr;
    BevelPanel *Panel2 = nullptr;
    PictureBox *Image3 = nullptr;
    QLabel *RxLabel4 = nullptr;
    BevelPanel *Panel1 = nullptr;
    PictureBox *Image2 = nullptr;
    TSecretPanel *SecretPanel1 = nullptr;
    ClickLabel *RxLabel1 = nullptr;
    ClickLabel *RxLabel3 = nullptr;
    QLabel *RxLabel5 = nullptr;
    BevelLine *Bevel2 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Fizmem = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *kulmem = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QLabel *StatusPanel0 = nullptr; // the status bar's one panel
    QAction *kapat = nullptr;       // in ActionList1

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

public:
    // Every way of closing ends here; FormClose runs first.
    void done(int result) override;

private:
    void buildPictures();
    void buildInformation();
    void buildLinks();
    void buildMemory();
    void buildStatusBar();
    void centreOnDesktop();
};

// The dialog while it exists (set by its constructor, cleared by its destructor).
extern TAboutF *AboutF;

// The maker's addresses opened by a click on their labels.
QString makerWebSite();
QString makerMailAddress();

// True for the T key with exactly Ctrl and Alt held: no Shift, no Meta and no
// AltGr (which X reports as the group switch), whatever the keyboard layout.
// A key held down flips once, not on every repeat.
bool isTeamPanelKey(const QKeyEvent &key);

// "524.288 KB": bytes / 1024, rounded, grouped with locale's separator.
QString physicalMemoryText(std::uint64_t bytes, const QLocale &locale = QLocale());
// "57 %".
QString memoryLoadText(int percent);

} // namespace kelmora::about
