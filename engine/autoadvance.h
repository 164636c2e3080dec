#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qirt {

// The pace of auto-advance. Speed is the speed slider's position, 1 to 20, in tenths of a
// second per line.

// How long a line stays in the bar: speed × 100 ms.
std::uint32_t lineInterval(int speed) noexcept;
// How long each sideways view of a long line stays: speed × 20 ms.
std::uint32_t stepInterval(int speed) noexcept;
// speed × 0.1 seconds in the general format (up to 15 significant digits, no trailing
// zeros), with decimalSeparator for the point, then "秒": 5 gives "0.5秒", 10 gives "1秒".
std::string speedLabel(int speed, std::string_view decimalSeparator);

} // namespace qirt
