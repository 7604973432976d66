// The version-check dialog's controls at their places, fonts and colours.
// Positions are in pixels of the 373 x 250 client area.

#include "base/ui/DialogLook.h"
#include "SurumKontrolParts.h"
#include "SurumKontrolU7.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QPushButton>

#include <utility>

namespace kelmora {

using namespace surumkontrol;

namespace {

QFrame *makePanel(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    // Opaque, so the panel in front hides the one behind it.
    panel->setAutoFillBackground(true);
    panel->setGeometry(geometry);
    return panel;
}

QLabel *makeValueLabel(QWidget *parent, const char *name, int left, int top, const QColor &colour)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(arial(13, true));
    setTextColour(label, colour);
    label->move(left, top);
    label->adjustSize();
    return label;
}

} // namespace

void TSurumKontrolF::buildTitleStrip()
{
    Panel1 = makePanel(this, "Panel1", QRect(0, 0, 373, 35));
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Image1->setGeometry(Panel1->contentsRect());
    RxLabel1 = new ShadowLabel(QStringLiteral("Sürüm Kontrol"), Panel1);
    RxLabel1->setObjectName(QStringLiteral("RxLabel1"));
    RxLabel1->setFont(arial(16, true));
    RxLabel1->setAlignment(Qt::AlignCenter);
    RxLabel1->setGeometry(Panel1->contentsRect());
}

void TSurumKontrolF::buildCaptions()
{
    const struct {
        QLabel *TSurumKontrolF::*box;
        const char *name;
        int top;
        QString text;
    } captions[] = {
        {&TSurumKontrolF::StaticText1, "StaticText1", 46, QStringLiteral("Üretici Firma ")},
        {&TSurumKontrolF::StaticText2, "StaticText2", 68, QStringLiteral("Programın Adı ")},
        {&TSurumKontrolF::StaticText3, "StaticText3", 90, QStringLiteral("Programın Kodu ")},
        {&TSurumKontrolF::StaticText4, "StaticText4", 113, QStringLiteral("Programın Sürümü ")},
        {&TSurumKontrolF::StaticText5, "StaticText5", 135, QStringLiteral("Kullanılan Sürüm ")},
        {&TSurumKontrolF::StaticText6, "StaticText6", 157, QStringLiteral("Durum ")},
    };
    for (const auto &c : captions) {
        auto *box = new QLabel(c.text, this);
        box->setObjectName(QLatin1String(c.name));
        box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        box->setLineWidth(1);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box->setFont(sansSerif(11, true));
        setTextColour(box, QColor(0x00, 0x00, 0x80));
        box->setGeometry(8, c.top, 125, 17);
        this->*c.box = box;
    }
}

void TSurumKontrolF::buildValueLabels()
{
    LabelFirma = makeValueLabel(this, "LabelFirma", 141, 46, Qt::blue);
    LabelPAdi = makeValueLabel(this, "LabelPAdi", 141, 69, Qt::blue);
    LabelPKodu = makeValueLabel(this, "LabelPKodu", 141, 90, Qt::blue);
    LabelPSurum = makeValueLabel(this, "LabelPSurum", 141, 114, Qt::red);
    LabelKSurum = makeValueLabel(this, "LabelKSurum", 141, 136, Qt::red);
    LabelDurum = makeValueLabel(this, "LabelDurum", 141, 158, Qt::red);
    LabelDurum->setWordWrap(true);
    LabelDurum->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelDurum->setFixedSize(228, 34);
    // Each caption box labels its value for a screen reader, the verdict too.
    const std::pair<QLabel *, QLabel *> captioned[] = {
        {StaticText1, LabelFirma}, {StaticText2, LabelPAdi},   {StaticText3, LabelPKodu},
        {StaticText4, LabelPSurum}, {StaticText5, LabelKSurum}, {StaticText6, LabelDurum},
    };
    for (const auto &[caption, value] : captioned)
        caption->setBuddy(value);
}

void TSurumKontrolF::buildButtonPanels()
{
    // Created in this order, so the update panel lies above the OK panel.
    PanelTamam = makePanel(this, "PanelTamam", QRect(0, 196, 373, 35));
    SpeedButton3 = makeSpeedButton(PanelTamam, "SpeedButton3", QStringLiteral("&Tamam"),
                                   QStringLiteral("Pencereyi kapat"), QStringLiteral("ok"), QRect(81, 3, 216, 29));
    PanelGuncel = makePanel(this, "PanelGuncel", QRect(0, 196, 373, 35));
    SpeedButton1 = makeSpeedButton(PanelGuncel, "SpeedButton1", QStringLiteral("&Güncelle"),
                                   QStringLiteral("Güncelleme için siteye bağlan"), QStringLiteral("update"),
                                   QRect(57, 3, 125, 29));
    SpeedButton2 = makeSpeedButton(PanelGuncel, "SpeedButton2", QStringLiteral("Kapat"),
                                   QStringLiteral("Pencereyi kapat"), QStringLiteral("close"), QRect(190, 3, 125, 29));

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setAccessibleName(QStringLiteral("Durum Çubuğu"));
    StatusBar1->setGeometry(0, 231, 373, 19);

    MemoVers = new QPlainTextEdit(this);
    MemoVers->setObjectName(QStringLiteral("MemoVers"));
    MemoVers->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoVers->setReadOnly(true);
    MemoVers->hide();
}

void TSurumKontrolF::buildWaitPanel()
{
    PanelBekleme = new QLabel(QStringLiteral("Lütfen Bekleyiniz..."), this);
    PanelBekleme->setObjectName(QStringLiteral("PanelBekleme"));
    PanelBekleme->setFrameStyle(QFrame::Panel | QFrame::Raised);
    PanelBekleme->setLineWidth(1);
    PanelBekleme->setAlignment(Qt::AlignCenter);
    PanelBekleme->setAutoFillBackground(true);
    PanelBekleme->setFont(sansSerif(16, true));
    setTextColour(PanelBekleme, Qt::red);
    PanelBekleme->setGeometry(184, 96, 185, 41);
    PanelBekleme->hide();
}

} // namespace kelmora
