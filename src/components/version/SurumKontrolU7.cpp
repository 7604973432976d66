#include "SurumKontrolU7.h"

#include "base/ErrorTexts.h"
#include "base/Exceptions.h"
#include "base/Identity.h"
#include "base/ui/Guard.h"
#include "base/ui/Wiring.h"
#include "base/ui/Platform.h"
#include "SurumKontrolParts.h"
#include "VersionList.h"

#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>
#include <QPushButton>

#include <exception>

namespace kelmora {

namespace {

// Labels size themselves to their text, as on the form.
void setValue(QLabel *label, const QString &text)
{
    label->setText(text);
    label->adjustSize();
}

QByteArray readVersionList(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(errortext::cannotOpenFile(path.toStdString(), file.errorString().toStdString()));
    return file.readAll();
}

} // namespace

TSurumKontrolF::TSurumKontrolF(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("SurumKontrolF"));
    setFont(surumkontrol::sansSerif(11));
    setFixedSize(373, 250);
    buildTitleStrip();
    buildCaptions();
    buildValueLabels();
    buildButtonPanels();
    buildWaitPanel();

    wire(this, SpeedButton1, &QPushButton::clicked, &TSurumKontrolF::SpeedButton1Click);
    wire(this, SpeedButton2, &QPushButton::clicked, &TSurumKontrolF::SpeedButton2Click);
    wire(this, SpeedButton3, &QPushButton::clicked, &TSurumKontrolF::SpeedButton3Click);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    wire(this, Timer1, &QTimer::timeout, &TSurumKontrolF::Timer1Timer);
    Timer1->start();
}

TSurumKontrolF::~TSurumKontrolF() = default;

void TSurumKontrolF::FormShow(QObject *)
{
    // Everything between the title strip and the status bar.
    PanelBekleme->setGeometry(0, Panel1->height(), width(), StatusBar1->y() - Panel1->height());
    PanelBekleme->show();
    PanelBekleme->raise();
}

void TSurumKontrolF::Timer1Timer(QObject *)
{
    m_settings.ProgVers = version::versionInUse(m_settings.ProgVers);
    Timer1->stop();
    const QString failure = fetchList();
    // The exchange held the window: clicks and keys given meanwhile were aimed
    // at the wait panel, not at whatever shows now.
    surumkontrol::dropQueuedInput();
    if (!failure.isEmpty()) {
        // Every failure of the exchange ends in one of two messages: the
        // server's texts and the error's details are not for the user.
        platform().messageBox(this, {failure, QStringLiteral("Dikkat"), QMessageBox::Information, QMessageBox::Ok});
        IdFTP1.Disconnect();
        close();
        return;
    }
    IdFTP1.Disconnect();
    if (QFileInfo::exists(m_settings.SaveFileName))
        showVerdict(readVersionList(m_settings.SaveFileName));
    PanelBekleme->hide();
}

QString TSurumKontrolF::fetchList()
{
    const std::string remote = version::toListText(m_settings.GetFileName).toStdString();
    const std::string local = QFile::encodeName(m_settings.SaveFileName).toStdString();
    net::Deadline limit = net::DeadlineAfter(ExchangeTimeout);
    limit.overall = true;
    IdFTP1.SetWaitLimit(limit);
    QString failure;
    try {
        IdFTP1.Connect(true, -1);
        try {
            IdFTP1.Get(remote, local, true, false);
        } catch (const std::exception &) {
            failure = FailedToFetch;
        }
    } catch (const std::exception &) {
        failure = FailedToConnect;
    }
    IdFTP1.SetWaitLimit({});
    return failure;
}

void TSurumKontrolF::showVerdict(const QByteArray &list)
{
    const QList<QByteArray> lines = version::versionListLines(list);
    MemoVers->setPlainText(version::fromListText(lines.join('\n')));
    const auto verdict = version::checkVersionList(lines, version::toListText(m_settings.ProgKod),
                                                   version::toListText(m_settings.ProgVers));
    if (!verdict)
        return;
    setValue(LabelFirma, m_settings.LCompany);
    setValue(LabelPAdi, m_settings.ProgName);
    setValue(LabelPKodu, m_settings.ProgKod);
    setValue(LabelPSurum, version::fromListText(verdict->found));
    setValue(LabelKSurum, m_settings.ProgVers);
    LabelDurum->setText(verdict->updateNeeded ? UpdateNeeded : UpToDate);
    (verdict->updateNeeded ? PanelGuncel : PanelTamam)->raise();
}

void TSurumKontrolF::SpeedButton1Click(QObject *)
{
    if (m_settings.DwnlAdres.isEmpty())
        platform().shellOpen(QStringLiteral("IEXPLORE.EXE"), identity::webSiteAddress());
    else
        platform().shellOpen(m_settings.DwnlAdres, QString());
}

void TSurumKontrolF::SpeedButton2Click(QObject *)
{
    close();
}

void TSurumKontrolF::SpeedButton3Click(QObject *)
{
    close();
}

void TSurumKontrolF::setVisible(bool visible)
{
    // Centred on the desktop rather than over the owner. Placing it before
    // QDialog shows it keeps QDialog from centring it over its parent.
    if (visible && !m_placed) {
        m_placed = true;
        const QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
        if (screen)
            move(screen->availableGeometry().center() - rect().center());
    }
    QDialog::setVisible(visible);
}

void TSurumKontrolF::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    // Only when the dialog is shown, not when the window system restores it
    // from its icon: that would cover a verdict with the wait panel again.
    if (!e->spontaneous())
        guarded([this] { FormShow(this); });
}

void TSurumKontrolF::keyPressEvent(QKeyEvent *e)
{
    // The form has no cancel button: Esc closes nothing.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TSurumKontrolF::done(int result)
{
    // Closed before its first second: the check never starts.
    Timer1->stop();
    QDialog::done(result);
    // Closed by the check itself just after its message, the window manager
    // can leave no window active, and the keyboard would reach nothing.
    if (QWidget *owner = parentWidget())
        owner->activateWindow();
}

} // namespace kelmora
