#pragma once
// Whole-number conversion used by the size box and the paragraph dialog.
// Leading blanks are skipped, then an optional sign, then decimal digits or a
// hexadecimal number introduced by "$", "x" or "0x". Anything else, an empty
// text or a value outside the 32-bit signed range throws EConvertError with
// "'<text>' is not a valid integer value".

#include <QString>
#include <cstdint>
#include <optional>

namespace kelmora {

// Returns nothing instead of throwing; the core of strToInt.
std::optional<std::int32_t> tryStrToInt(const QString &text);

// Throws EConvertError on failure.
std::int32_t strToInt(const QString &text);

} // namespace kelmora
