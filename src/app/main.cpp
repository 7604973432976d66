// Kelmora's entry: the application object, Qt's Turkish texts, the start-up
// sequence with the splash, then the maximized frame and the message loop.

#include "base/ui/FontFaces.h"
#include "base/ui/Platform.h"
#include "base/ui/RunSettings.h"
#include "editing/FontDialog.h"
#include "Main.h"
#include "StartUp.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

namespace {

bool haveGraphicalSession()
{
    const auto set = [](const char *name) {
        const char *v = std::getenv(name);
        return v && *v;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char **argv)
{
    if (!haveGraphicalSession()) {
        std::fprintf(stderr, "kelmora: no graphical session (DISPLAY and WAYLAND_DISPLAY are not set); "
                             "start Kelmora from a desktop session\n");
        return 1;
    }
    kelmora::installFontFaces(); // before Qt reads the font list
    kelmora::keepNoSettings(); // Qt's dialogs remember nothing from run to run
    QApplication app(argc, argv);
    kelmora::setPlatform(std::make_unique<kelmora::QtPlatform>(&kelmora::FontDialog::run));

    // Qt's own dialogs and message box buttons in Turkish.
    QTranslator qtTurkish;
    if (qtTurkish.load(QLocale(QLocale::Turkish, QLocale::Turkey), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTurkish);

    kelmora::startUp();
    kelmora::Ana->showMaximized();
    const int result = QApplication::exec();
    delete kelmora::Ana;
    kelmora::Ana = nullptr;
    return result;
}
