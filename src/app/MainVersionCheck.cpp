// The frame's version check command and the banner picture it hands on.

#include "Main.h"

#include "Identity.h"
#include "KvSurumKontrol.h"
#include "VersionListPath.h"

#include <QCoreApplication>

#include <memory>

namespace kelmora {

void TAna::buildImageTitle()
{
    // 79 x 51, shading from cyan at the top left to blue at the bottom right.
    ImageTitle = QPixmap(QStringLiteral(":/about/title.png"));
}

void TAna::ProgramSrmnKontrolEt1Click(QObject *)
{
    // Lives for this one check and goes also when Execute fails.
    const auto check = std::make_unique<TKvSurumKontrol>(this);
    check->setCaption(windowTitle());
    check->setPicture(ImageTitle);
    check->setSaveFileName(version::versionListPath(QCoreApplication::applicationDirPath() + QLatin1Char('/')));
    check->setProgName(identity::productName());
    check->setProgKod(identity::productCode());
    check->setProgVers(identity::versionString());
    check->Execute();
}

} // namespace kelmora
