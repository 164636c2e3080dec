#include "charboundary.h"

namespace qirt {

CharBoundary
CharBoundary::doubleByte(std::initializer_list<std::pair<std::uint8_t, std::uint8_t>> leadRanges) {
    CharBoundary b;
    for (const auto& [first, last] : leadRanges) {
        for (int v = first; v <= last; ++v) {
            b.lead_[static_cast<std::size_t>(v)] = true;
            b.handling_ = true;
        }
    }
    return b;
}

CharBoundary CharBoundary::shiftJis() {
    return doubleByte({{0x81, 0x9F}, {0xE0, 0xFC}});
}

bool CharBoundary::isTrail(std::string_view s, std::int64_t i) const noexcept {
    if (!handling_ || i < 1 || i > static_cast<std::int64_t>(s.size()) ||
        s[static_cast<std::size_t>(i - 1)] == '\0') {
        return false;
    }
    std::int64_t leads = 0;
    for (std::int64_t j = i - 1;
         j >= 1 && lead_[static_cast<std::uint8_t>(s[static_cast<std::size_t>(j - 1)])]; --j) {
        ++leads;
    }
    return leads % 2 == 1;
}

} // namespace qirt
