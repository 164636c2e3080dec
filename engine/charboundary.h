#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace qirt {

// Where characters begin in a byte string, so that a view into a line never starts on the
// second byte of a character. Positions count from 1.
class CharBoundary {
public:
    // Every byte is a character of its own.
    static CharBoundary singleByte() noexcept { return CharBoundary(); }
    // A double-byte code page, given by the ranges of its lead bytes (first, last).
    static CharBoundary
    doubleByte(std::initializer_list<std::pair<std::uint8_t, std::uint8_t>> leadRanges);
    // Shift-JIS as Windows code page 932 has it: lead bytes 0x81 to 0x9F and 0xE0 to 0xFC.
    static CharBoundary shiftJis();

    // Whether double-byte handling is on: the lead-byte set is not empty.
    bool doubleByteHandling() const noexcept { return handling_; }
    bool isLeadByte(std::uint8_t b) const noexcept { return lead_[b]; }

    // Whether the byte at position i of s is the second byte of a double-byte character:
    // the lead bytes right before it, counted back to the first byte that is not one, are odd.
    bool isTrail(std::string_view s, std::int64_t i) const noexcept;

    // The first position at or after offset where a character begins.
    std::int64_t align(std::string_view s, std::int64_t offset) const noexcept {
        return isTrail(s, offset) ? offset + 1 : offset;
    }

private:
    CharBoundary() = default;

    std::array<bool, 256> lead_{};
    bool handling_ = false;
};

} // namespace qirt
