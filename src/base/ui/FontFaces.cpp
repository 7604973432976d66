#include "FontFaces.h"

#include <fontconfig/fontconfig.h>

namespace kelmora {

namespace {

// Debian's fonts-wine keeps its faces in Wine's own folder, outside
// fontconfig's font path; only the faces the program names are taken from it,
// so nothing else of Wine's set shows up in the font lists.
constexpr const char *kWineFaces[] = {
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/share/wine/fonts/tahomabd.ttf",
    "/usr/share/wine/fonts/ms_sans_serif.ttf",
};

// MS Sans Serif is a bitmap face (strikes of 13, 16 and 20 pixels); Debian's
// fontconfig refuses bitmap faces by default, so this one is let through.
// Impact has no metric-compatible free face; the narrow bold Liberation face
// is the closest in build, ahead of fontconfig's generic fall-back.
constexpr const char kRules[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <selectfont>
    <acceptfont>
      <pattern><patelt name="family"><string>MS Sans Serif</string></patelt></pattern>
    </acceptfont>
  </selectfont>
  <alias binding="same">
    <family>Impact</family>
    <prefer><family>Liberation Sans Narrow</family></prefer>
  </alias>
</fontconfig>
)";

} // namespace

void installFontFaces()
{
    if (!FcInit())
        return;
    FcConfig *config = FcConfigGetCurrent();
    // The rules first: the acceptance rule must be in place when the bitmap
    // face is added.
    FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8 *>(kRules), FcFalse);
    for (const char *file : kWineFaces)
        FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8 *>(file));
}

} // namespace kelmora
