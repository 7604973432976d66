// The frame's about box: the hidden title picture ImageTitle, the about
// component KvAbout1 with its design-time picture and team lines, and the
// Help menu's Hakknda1Click.

#include "Main.h"

#include "base/Identity.h"
#include "about/JpegImage.h"
#include "about/KvAbout.h"

#include <QFile>
#include <QLabel>

namespace kelmora {

namespace {

QByteArray resource(const QString &name)
{
    QFile f(name);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// The team lines as stored with the frame: one per line of the resource.
QStringList teamLines()
{
    QString text = QString::fromUtf8(resource(QStringLiteral(":/about/team.txt")));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.split(QLatin1Char('\n'));
}

} // namespace

void TAna::buildAboutComponents()
{
    ImageTitle = new QLabel(this);
    ImageTitle->setObjectName(QStringLiteral("ImageTitle"));
    ImageTitle->setPixmap(QPixmap(QStringLiteral(":/about/title.png")));
    ImageTitle->hide();

    KvAbout1 = new about::TKvAbout(this);
    KvAbout1->setObjectName(QStringLiteral("KvAbout1"));
    KvAbout1->SetPicture(about::decodeJpeg(resource(QStringLiteral(":/about/banner.jpg"))));
    KvAbout1->SetTeam(teamLines());
}

void TAna::Hakknda1Click(QObject *)
{
    KvAbout1->SetCaption(Caption());
    KvAbout1->SetTopPicture(ImageTitle->pixmap().toImage());
    KvAbout1->SetProgramName(identity::programName());
    KvAbout1->Execute();
}

} // namespace kelmora
