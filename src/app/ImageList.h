#pragma once
// ImageList1: the 30 pictures of 16x16 pixels shared by the menus and bars.

#include <QIcon>

namespace kelmora {

inline constexpr int kImageCount = 30;
// Menu items and buttons keep the index of their picture in this property
// (-1 for none).
inline constexpr const char *kImageIndexProperty = "imageIndex";
// The picture at index (0..29); an empty icon for any other index.
QIcon imageListIcon(int index);

} // namespace kelmora
