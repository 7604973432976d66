#include "SplashU.h"

#include "base/Identity.h"
#include "base/ui/DialogLook.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace kelmora {

TSplashF *SplashF = nullptr;

TGauge::TGauge(QWidget *parent) : QWidget(parent) {}

void TGauge::AddProgress(int by)
{
    m_progress = qBound(0, m_progress + by, MaxValue);
}

int TGauge::filledWidth() const
{
    return MaxValue > 0 ? width() * m_progress / MaxValue : 0;
}

void TGauge::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(113, 184, 255));
    p.fillRect(QRect(0, 0, filledWidth(), height()), QColor(255, 255, 0));
}

void ShadowLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setFont(font());
    const int flags = int(alignment());
    p.setPen(Qt::black);
    p.drawText(rect().translated(1, 1), flags, text());
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(rect(), flags, text());
}

namespace {

QFont labelFont(int pixelHeight)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixelHeight);
    f.setBold(true);
    return f;
}

} // namespace

TSplashF::TSplashF(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("SplashF"));
    setFixedSize(450, 200);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 450, 200);
    const QPixmap picture(QStringLiteral(":/splash/splash.png"));
    Image1->setPixmap(picture);
    // White is the colour key: the splash shows as the shape of its picture.
    if (!picture.isNull())
        setMask(picture.createMaskFromColor(Qt::white, Qt::MaskInColor));

    LabelPrg = new ShadowLabel(this);
    LabelPrg->setObjectName(QStringLiteral("LabelPrg"));
    LabelPrg->setGeometry(257, 95, 160, 32);
    LabelPrg->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    LabelPrg->setFont(labelFont(27));
    setTextColour(LabelPrg, QColor(0, 255, 255));

    LabelSrm = new QLabel(this);
    LabelSrm->setObjectName(QStringLiteral("LabelSrm"));
    LabelSrm->setAlignment(Qt::AlignRight | Qt::AlignTop);
    LabelSrm->setFont(labelFont(24));
    setTextColour(LabelSrm, QColor(0, 255, 0));

    Gauge1 = new TGauge(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setGeometry(257, 166, 152, 7);

    FormCreate(this);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TSplashF::FormCreate(QObject *)
{
    LabelPrg->setText(identity::productName());
    LabelSrm->setText(identity::versionString());
    placeVersionLabel();
}

void TSplashF::placeVersionLabel()
{
    // The version label sizes itself to its text and keeps its right edge at 416.
    const int width = LabelSrm->fontMetrics().horizontalAdvance(LabelSrm->text()) + 2;
    LabelSrm->setGeometry(416 - width, 126, width, 29);
}

void TSplashF::step()
{
    Gauge1->AddProgress(1);
    repaint();
}

} // namespace kelmora
