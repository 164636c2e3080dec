#include "text.h"

#include <algorithm>

namespace qirt {
namespace {

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

} // namespace

std::string_view trimmed(std::string_view s) noexcept {
    const auto first = std::find_if_not(s.begin(), s.end(), isBlank);
    if (first == s.end()) {
        return {};
    }
    const auto last = std::find_if_not(s.rbegin(), s.rend(), isBlank).base();
    return {first, last};
}

std::string_view slice(std::string_view s, std::int64_t i, std::int64_t n) noexcept {
    const auto len = static_cast<std::int64_t>(s.size());
    if (i > len || n < 1) {
        return {};
    }
    const std::int64_t from = std::max<std::int64_t>(i, 1) - 1;
    const std::int64_t count = std::min(n, len - from);
    return s.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(count));
}

} // namespace qirt
