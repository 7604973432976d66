#pragma once
// The refresh section of the editor benchmark (see RefreshSection.cpp).

#include <QString>

namespace kelmora::bench {

// Prints the refresh tables for the two 10 MB inputs in dir (made there
// once), each figure the median of runs.
void refreshSection(const QString &dir, int runs);

} // namespace kelmora::bench
