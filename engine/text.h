#pragma once

#include <cstdint>
#include <string_view>

namespace qirt {

// Byte-string operations. Positions count from 1, lengths count bytes.

// s without the bytes 0x20 and below at its front and back; bytes 0x80 and above stay.
std::string_view trimmed(std::string_view s) noexcept;

// The bytes of s from position i on, n of them or as many as remain. Empty when i is past
// the end or n is below 1; an i below 1 counts as 1 without n being reduced.
std::string_view slice(std::string_view s, std::int64_t i, std::int64_t n) noexcept;

} // namespace qirt
