#include "charboundary.h"

#include <algorithm>

namespace qirt {
namespace {

std::uint8_t byteAt(std::string_view s, std::int64_t i) {
    return static_cast<std::uint8_t>(s[static_cast<std::size_t>(i - 1)]);
}

bool isDigit(std::uint8_t b) {
    return b >= 0x30 && b <= 0x39;
}

} // namespace

CharBoundary
CharBoundary::doubleByte(std::initializer_list<std::pair<std::uint8_t, std::uint8_t>> leadRanges) {
    CharBoundary b(Family::SingleByte);
    for (const auto& [first, last] : leadRanges) {
        for (int v = first; v <= last; ++v) {
            b.lead_[static_cast<std::size_t>(v)] = true;
            b.family_ = Family::DoubleByte;
        }
    }
    return b;
}

CharBoundary CharBoundary::shiftJis() {
    return doubleByte({{0x81, 0x9F}, {0xE0, 0xFC}});
}

bool CharBoundary::isTrail(std::string_view s, std::int64_t i) const noexcept {
    if (family_ != Family::DoubleByte || i < 1 || i > static_cast<std::int64_t>(s.size()) ||
        byteAt(s, i) == 0) {
        return false;
    }
    std::int64_t leads = 0;
    for (std::int64_t j = i - 1; j >= 1 && lead_[byteAt(s, j)]; --j) {
        ++leads;
    }
    return leads % 2 == 1;
}

std::size_t CharBoundary::charLength(std::string_view s, std::size_t k) const noexcept {
    const auto b = static_cast<std::uint8_t>(s[k]);
    std::size_t n = 1;
    switch (family_) {
    case Family::SingleByte:
    case Family::Utf8:
        break;
    case Family::DoubleByte:
        n = lead_[b] ? 2 : 1;
        break;
    case Family::EucJp:
        n = b == 0x8F ? 3 : (b == 0x8E || b >= 0xA1) && b != 0xFF ? 2 : 1;
        break;
    case Family::Gb18030:
        if (b >= 0x81 && b <= 0xFE) {
            n = k + 1 < s.size() && isDigit(static_cast<std::uint8_t>(s[k + 1])) ? 4 : 2;
        }
        break;
    }
    return std::min(n, s.size() - k);
}

std::int64_t CharBoundary::alignFromAnchor(std::string_view s, std::int64_t offset,
                                           std::uint8_t anchorBelow) const noexcept {
    // A byte below anchorBelow is a character of its own in this encoding: parse forward from
    // the last one before the offset to the character that holds it.
    std::int64_t p = offset - 1;
    while (p >= 1 && byteAt(s, p) >= anchorBelow) {
        --p;
    }
    ++p;
    while (p < offset) {
        p += static_cast<std::int64_t>(charLength(s, static_cast<std::size_t>(p - 1)));
    }
    return p;
}

std::int64_t CharBoundary::align(std::string_view s, std::int64_t offset) const noexcept {
    const auto len = static_cast<std::int64_t>(s.size());
    if (offset < 1 || offset > len) {
        return offset;
    }
    switch (family_) {
    case Family::SingleByte:
        return offset;
    case Family::DoubleByte:
        // Once: the byte after a trail byte begins a character.
        return isTrail(s, offset) ? offset + 1 : offset;
    case Family::Utf8:
        for (int steps = 0; steps < 3 && offset <= len && (byteAt(s, offset) & 0xC0) == 0x80;
             ++steps) {
            ++offset;
        }
        return offset;
    case Family::EucJp:
        return byteAt(s, offset) < 0x80 ? offset : alignFromAnchor(s, offset, 0x80);
    case Family::Gb18030:
        return byteAt(s, offset) < 0x30 ? offset : alignFromAnchor(s, offset, 0x30);
    }
    return offset;
}

} // namespace qirt
