#include "StartUp.h"

#include "base/Identity.h"
#include "Main.h"
#include "base/ui/Platform.h"
#include "SplashU.h"
#include "editing/metinara.h"
#include "editing/prgf_ayari.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QToolButton>
#include <QWindow>

namespace kelmora {

namespace {

// On a window system that maps windows asynchronously the splash must be on
// screen before the thread blocks, or the waits would show nothing.
void waitUntilExposed(QWidget *w)
{
    QElapsedTimer clock;
    clock.start();
    while (w->windowHandle() && !w->windowHandle()->isExposed() && clock.elapsed() < 1000)
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50);
}

void stepSplash(int milliseconds)
{
    SplashF->step();
    platform().sleep(milliseconds);
}

} // namespace

void startUp()
{
    // The application title, "TORVANTA Kelmora", captions the error box
    // (identity::applicationTitle); the desktop knows the program as kelmora.
    QApplication::setApplicationName(QStringLiteral("kelmora"));
    QApplication::setOrganizationName(identity::companyName());
    QGuiApplication::setDesktopFileName(QStringLiteral("kelmora"));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/app/kelmora.png")));

    SplashF = new TSplashF;
    SplashF->show();
    waitUntilExposed(SplashF);

    Ana = new TAna;
    stepSplash(100);
    metin_ara = new Tmetin_ara(Ana, [] { return Ana ? Ana->activeEditor() : nullptr; });
    stepSplash(100);
    paragraf_ayari = new Tparagraf_ayari(
        Ana, [] { return Ana ? Ana->activeEditor() : nullptr; },
        [] {
            return std::array<bool, 3>{Ana->ToolButton22->isChecked(), Ana->ToolButton23->isChecked(),
                                       Ana->ToolButton24->isChecked()};
        });
    stepSplash(1800);

    SplashF->hide();
    delete SplashF;
    SplashF = nullptr;
}

} // namespace kelmora
