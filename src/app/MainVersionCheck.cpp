// The frame's version check command.

#include "Main.h"

#include "base/Identity.h"
#include "version/KvSurumKontrol.h"
#include "version/VersionListPath.h"

#include <QCoreApplication>
#include <QLabel>

#include <memory>

namespace kelmora {

void TAna::ProgramSrmnKontrolEt1Click(QObject *)
{
    // Lives for this one check and goes also when Execute fails.
    const auto check = std::make_unique<TKvSurumKontrol>(this);
    check->setCaption(Caption());
    check->setPicture(ImageTitle->pixmap());
    check->setSaveFileName(version::versionListPath(QCoreApplication::applicationDirPath() + QLatin1Char('/')));
    check->setProgName(identity::productName());
    check->setProgKod(identity::productCode());
    check->setProgVers(identity::versionString());
    check->Execute();
}

} // namespace kelmora
