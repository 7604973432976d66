// TAboutF's controls at their places, in their fonts and colours. Left, top,
// width and height are in pixels of the 430 x 460 client area, or of the
// panel that holds them.

#include "aboutU.h"

#include "base/ui/DialogLook.h"

#include <QLabel>
#include <QStatusBar>
#include <QToolButton>

namespace kelmora::about {

namespace {

QFont face(const QString &family, int pixelHeight, bool bold, bool underline = false)
{
    QFont f(family);
    f.setPixelSize(pixelHeight);
    f.setBold(bold);
    f.setUnderline(underline);
    return f;
}

QLabel *label(QWidget *parent, const char *name, const QString &text, QPoint at)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    l->move(at);
    l->adjustSize();
    return l;
}

// The credits as stored with the dialog; Execute replaces the first line.
QStringList creditLines()
{
    return {
        QStringLiteral("Program Adı"),
        QString(),
        QStringLiteral("Tüm hakları saklıdır."),
        QStringLiteral("© TORVANTA Yazılım Ltd. Şti."),
        QString(),
        QStringLiteral("TORVANTA"),
        QStringLiteral("Tel : +90 (312) 000 41 06"),
        QStringLiteral("Faks : +90 (312) 000 41 07"),
        QString(),
        QStringLiteral("www.torvanta.com.tr"),
        QStringLiteral("bilgi@torvanta.com.tr"),
        QString(),
        QStringLiteral("Defne Ön Muhasebe"),
        QStringLiteral("Tel : +90 (312) 000 41 08"),
        QString(),
        QStringLiteral("İyi çalışmalar dileriz..."),
    };
}

void setUpScroller(TSecretPanel *panel, const QColor &background, const QFont &font, const QColor &text,
                   const QString &glyph)
{
    panel->setBevels(BevelPanel::Bevel::None, BevelPanel::Bevel::None, 1, 0);
    panel->SetColor(background);
    panel->setFont(font);
    panel->SetFontColor(text);
    panel->SetGlyph(QImage(glyph));
    panel->SetInterval(50);
    panel->SetCycled(true);
    panel->SetAlignment(Qt::AlignHCenter);
}

} // namespace

void TAboutF::buildPictures()
{
    Image1 = new PictureBox(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 146, 441);
    Image1->setStretch(true);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setToolTip(QStringLiteral("TORVANTA Team"));
    Image1->setAccessibleName(Image1->toolTip()); // a picture button: named by its hint

    SecretPanel2 = new TSecretPanel(this);
    SecretPanel2->setObjectName(QStringLiteral("SecretPanel2"));
    SecretPanel2->setGeometry(1, 216, 144, 224);
    setUpScroller(SecretPanel2, QColor(0x00, 0x00, 0x80), face(QStringLiteral("Arial"), 12, true), Qt::white,
                  QStringLiteral(":/kvabout/team-glyph.png"));
    SecretPanel2->hide();

    Panel2 = new BevelPanel(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(145, 0, 284, 35);
    Image3 = new PictureBox(Panel2);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setGeometry(Panel2->contentsRect());
    Image3->setStretch(true);
    RxLabel4 = new QLabel(Panel2);
    RxLabel4->setObjectName(QStringLiteral("RxLabel4"));
    RxLabel4->setTextFormat(Qt::PlainText);
    RxLabel4->setGeometry(Panel2->contentsRect());
    RxLabel4->setAlignment(Qt::AlignCenter);
    RxLabel4->setAttribute(Qt::WA_TranslucentBackground);
    RxLabel4->setFont(face(QStringLiteral("Impact"), 19, true));
    setTextColour(RxLabel4, Qt::black);
}

void TAboutF::buildInformation()
{
    Panel1 = new BevelPanel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(146, 36, 283, 405);
    Panel1->setBevels(BevelPanel::Bevel::Raised, BevelPanel::Bevel::None, 2);

    Image2 = new PictureBox(Panel1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(21, 8, 237, 45);
    Image2->setPicture(QImage(QStringLiteral(":/kvabout/logo.gif")));
    Image2->setAccessibleName(QStringLiteral("TORVANTA")); // what the logo says

    SecretPanel1 = new TSecretPanel(Panel1);
    SecretPanel1->setObjectName(QStringLiteral("SecretPanel1"));
    SecretPanel1->setGeometry(16, 64, 255, 214);
    setUpScroller(SecretPanel1, Qt::black, face(QStringLiteral("MS Sans Serif"), 13, true), QColor(0x00, 0xFF, 0x00),
                  QStringLiteral(":/kvabout/credits-glyph.png"));
    SecretPanel1->SetLines(creditLines());

    Bevel2 = new BevelLine(Panel1);
    Bevel2->setObjectName(QStringLiteral("Bevel2"));
    Bevel2->setGeometry(6, 359, 267, 6);
}

void TAboutF::buildLinks()
{
    const QFont link = face(QStringLiteral("Arial"), 11, true, true);
    RxLabel1 = new ClickLabel(Panel1);
    RxLabel1->setObjectName(QStringLiteral("RxLabel1"));
    RxLabel1->setText(QStringLiteral("www.torvanta.com.tr"));
    RxLabel3 = new ClickLabel(Panel1);
    RxLabel3->setObjectName(QStringLiteral("RxLabel3"));
    RxLabel3->setText(makerMailAddress());
    int top = 296;
    for (ClickLabel *l : {RxLabel1, RxLabel3}) {
        l->setFont(link);
        setTextColour(l, QColor(0x00, 0x00, 0xFF));
        l->setCursor(Qt::PointingHandCursor);
        l->move(54, top);
        l->adjustSize();
        top += 16;
    }
    RxLabel5 = label(Panel1, "RxLabel5", QStringLiteral("Tel : +90 (312) 000 41 06"), QPoint(55, 341));
    RxLabel5->setFont(face(QStringLiteral("Arial"), 11, true));
    setTextColour(RxLabel5, QColor(0x00, 0x00, 0xFF));
    RxLabel5->adjustSize();
}

void TAboutF::buildMemory()
{
    QFont bold = font();
    bold.setBold(true);
    Label1 = label(Panel1, "Label1", QStringLiteral("Fiziksel Hafıza :"), QPoint(3, 368));
    Label2 = label(Panel1, "Label2", QStringLiteral("Kullanımdaki Hafıza :"), QPoint(3, 383));
    for (QLabel *l : {Label1, Label2}) {
        l->setFont(bold);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->resize(119, 13);
    }
    Fizmem = label(Panel1, "Fizmem", QString(), QPoint(122, 368));
    kulmem = label(Panel1, "kulmem", QString(), QPoint(122, 383));
    Fizmem->setFont(bold);
    kulmem->setFont(bold);

    SpeedButton1 = new QToolButton(Panel1);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setGeometry(197, 379, 79, 22);
    SpeedButton1->setText(QStringLiteral("Tamam"));
    SpeedButton1->setFont(bold);
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    SpeedButton1->setCursor(Qt::PointingHandCursor);
    SpeedButton1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // A two-state glyph: the normal picture, then the disabled one, side by side.
    const QImage glyph(QStringLiteral(":/kvabout/tamam.png"));
    const int half = glyph.width() / 2;
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(transparentGlyph(glyph.copy(0, 0, half, glyph.height()))), QIcon::Normal);
    icon.addPixmap(QPixmap::fromImage(transparentGlyph(glyph.copy(half, 0, half, glyph.height()))), QIcon::Disabled);
    SpeedButton1->setIcon(icon);
    SpeedButton1->setIconSize(QSize(half, glyph.height()));
}

void TAboutF::buildStatusBar()
{
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setAccessibleName(QStringLiteral("Durum Çubuğu"));
    StatusBar1->setGeometry(0, 441, 430, 19);
    StatusBar1->setFont(face(QStringLiteral("Tahoma"), 11, true));
    StatusPanel0 = new QLabel(StatusBar1);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->setTextFormat(Qt::PlainText);
    StatusPanel0->setAlignment(Qt::AlignCenter);
    StatusPanel0->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusBar1->addWidget(StatusPanel0, 1);
}

} // namespace kelmora::about
