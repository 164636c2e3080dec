#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace qirt {

// Where characters begin in a byte string of one encoding family, so that a view into a line
// never starts inside a character. Positions count from 1.
class CharBoundary {
public:
    enum class Family { SingleByte, DoubleByte, Utf8, EucJp, Gb18030 };

    // Every byte is a character of its own.
    static CharBoundary singleByte() noexcept { return CharBoundary(Family::SingleByte); }
    // A double-byte code page, given by the ranges of its lead bytes (first, last).
    static CharBoundary
    doubleByte(std::initializer_list<std::pair<std::uint8_t, std::uint8_t>> leadRanges);
    // Shift-JIS as Windows code page 932 has it: lead bytes 0x81 to 0x9F and 0xE0 to 0xFC.
    static CharBoundary shiftJis();
    // UTF-8: a character never begins on a continuation byte, 0x80 to 0xBF.
    static CharBoundary utf8() noexcept { return CharBoundary(Family::Utf8); }
    // EUC-JP: two bytes from 0xA1, 0x8E with one kana byte, 0x8F with two more.
    static CharBoundary eucJp() noexcept { return CharBoundary(Family::EucJp); }
    // GB18030: one, two or four bytes (lead, digit, lead, digit).
    static CharBoundary gb18030() noexcept { return CharBoundary(Family::Gb18030); }

    Family family() const noexcept { return family_; }
    // Whether double-byte handling is on: a code page with a non-empty lead-byte set.
    bool doubleByteHandling() const noexcept { return family_ == Family::DoubleByte; }
    bool isLeadByte(std::uint8_t b) const noexcept { return lead_[b]; }

    // Whether the byte at position i of s is the second byte of a double-byte character:
    // the lead bytes right before it, counted back to the first byte that is not one, are odd.
    // False outside double-byte code pages.
    bool isTrail(std::string_view s, std::int64_t i) const noexcept;

    // The first position at or after offset where a character begins. Offsets below 1 or past
    // the end are left as they are.
    std::int64_t align(std::string_view s, std::int64_t offset) const noexcept;

    // How many bytes the character that starts at index k (from 0) of s seems to take, at
    // least 1 and no more than remain: a decoder skips that much past a byte it cannot read.
    std::size_t charLength(std::string_view s, std::size_t k) const noexcept;

private:
    explicit CharBoundary(Family family) noexcept : family_(family) {}

    std::int64_t alignFromAnchor(std::string_view s, std::int64_t offset,
                                 std::uint8_t anchorBelow) const noexcept;

    Family family_;
    std::array<bool, 256> lead_{};
};

} // namespace qirt
