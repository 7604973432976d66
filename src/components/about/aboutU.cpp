#include "aboutU.h"

#include "AboutAccessible.h"
#include "base/Identity.h"
#include "base/ui/Guard.h"
#include "base/ui/Wiring.h"
#include "base/ui/Platform.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>

namespace kelmora::about {

TAboutF *AboutF = nullptr;

QString makerWebSite()
{
    return identity::webSiteAddress();
}

QString makerMailAddress()
{
    return QStringLiteral("bilgi@torvanta.com.tr");
}

bool isTeamPanelKey(const QKeyEvent &key)
{
    // Compared whole: Shift, Meta or AltGr held as well means another key.
    return key.key() == Qt::Key_T && key.modifiers() == (Qt::ControlModifier | Qt::AltModifier) &&
           !key.isAutoRepeat();
}

QString physicalMemoryText(std::uint64_t bytes, const QLocale &locale)
{
    // Rounded to the nearest kilobyte, in integers so no figure loses digits.
    const std::uint64_t kilobytes = bytes / 1024 + (bytes % 1024 >= 512 ? 1 : 0);
    return locale.toString(qulonglong(kilobytes)) + QStringLiteral(" KB");
}

QString memoryLoadText(int percent)
{
    return QString::asprintf("%d %%", percent);
}

TAboutF::TAboutF(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("AboutF"));
    AboutF = this;
    installAboutAccessibility();
    setFixedSize(430, 460);
    setWindowIcon(QIcon(QStringLiteral(":/kvabout/icon.png")));
    QFont dialogFont(QStringLiteral("MS Sans Serif"));
    dialogFont.setPixelSize(11);
    setFont(dialogFont);

    buildPictures();
    buildInformation();
    buildLinks();
    buildMemory();
    buildStatusBar();

    kapat = new QAction(QStringLiteral("kapat"), this);
    kapat->setObjectName(QStringLiteral("kapat"));
    kapat->setShortcut(QKeySequence(Qt::Key_Escape));
    addAction(kapat);
    wire(this, kapat, &QAction::triggered, &TAboutF::kapatExecute);
    wire(this, Image1, &PictureBox::clicked, &TAboutF::Image1Click);
    wire(this, SpeedButton1, &QToolButton::clicked, &TAboutF::SpeedButton1Click);
    wire(this, RxLabel1, &ClickLabel::clicked, &TAboutF::RxLabel1Click);
    wire(this, RxLabel3, &ClickLabel::clicked, &TAboutF::RxLabel3Click);

    guarded([this] { FormCreate(this); });
}

TAboutF::~TAboutF()
{
    // The panels stop their threads themselves; this only makes the order plain.
    SecretPanel1->SetActive(false);
    SecretPanel2->SetActive(false);
    if (AboutF == this)
        AboutF = nullptr;
}

void TAboutF::FormCreate(QObject *)
{
    const MemoryStatus memory = platform().memoryStatus();
    Fizmem->setText(physicalMemoryText(memory.totalPhysical));
    Fizmem->adjustSize();
    kulmem->setText(memoryLoadText(memory.memoryLoad));
    kulmem->adjustSize();
}

void TAboutF::FormShow(QObject *)
{
    SecretPanel1->SetActive(true);
    SecretPanel2->setVisible(false);
    SecretPanel2->SetActive(false);
    Image1->setVisible(true);
}

void TAboutF::FormClose(QObject *)
{
    SecretPanel1->SetActive(false);
    SecretPanel2->SetActive(false);
}

void TAboutF::Image1Click(QObject *)
{
    // Hidden, not "visible": the flip works the same before the box shows.
    const bool show = SecretPanel2->isHidden();
    SecretPanel2->setVisible(show);
    SecretPanel2->SetActive(show);
}

void TAboutF::FormKeyDown(QObject *sender, const QKeyEvent &key)
{
    if (isTeamPanelKey(key))
        Image1Click(sender);
}

void TAboutF::SpeedButton1Click(QObject *)
{
    close();
}

void TAboutF::RxLabel1Click(QObject *)
{
    platform().shellOpen(QStringLiteral("IEXPLORE.EXE"), makerWebSite());
}

void TAboutF::RxLabel3Click(QObject *)
{
    // The desktop's mail program is started through a mailto address.
    platform().shellOpen(QStringLiteral("MSIMN.EXE"), QStringLiteral("mailto:") + makerMailAddress());
}

void TAboutF::kapatExecute(QObject *)
{
    close();
}

void TAboutF::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    centreOnDesktop();
    // The box itself holds the focus, so its keys reach it as before; Tab
    // moves on to the links, never the opening of the box.
    setFocus(Qt::OtherFocusReason);
    guarded([this] { FormShow(this); });
}

void TAboutF::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Escape) {
        guarded([&] { FormKeyDown(this, *event); });
        return;
    }
    QDialog::keyPressEvent(event);
}

void TAboutF::done(int result)
{
    guarded([this] { FormClose(this); });
    QDialog::done(result);
}

void TAboutF::centreOnDesktop()
{
    QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect desktop = screen->geometry();
    move(desktop.center() - QPoint(width() / 2, height() / 2));
}

} // namespace kelmora::about
