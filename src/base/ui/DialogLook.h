#pragma once
// A fixed-size dialog frame with only the close box: window managers show no
// minimize or maximize buttons on it (they would also squeeze its title).

#include <Qt>

namespace kelmora {

inline constexpr Qt::WindowFlags kFixedDialogFlags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                                                     Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                     Qt::WindowCloseButtonHint;

} // namespace kelmora
