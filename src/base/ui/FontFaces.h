#pragma once
// The desktop faces the program's dialogs ask for by name ("MS Sans Serif",
// "Tahoma", "Impact"), made known to fontconfig before Qt reads its font list.
// Qt resolves every family through fontconfig; this only adds what Debian
// keeps out of fontconfig's view (Wine's metric-compatible Tahoma and
// MS Sans Serif) and the substitution rules, so the names resolve to the
// closest installed face instead of fontconfig's generic default.

namespace kelmora {

// Call once before the QApplication is created. Missing font files are
// skipped: the families then fall back the way fontconfig decides.
void installFontFaces();

} // namespace kelmora
