#include "autoadvance.h"

#include <array>
#include <charconv>

namespace qirt {

std::uint32_t lineInterval(int speed) noexcept {
    return static_cast<std::uint32_t>(speed) * 100;
}

std::uint32_t stepInterval(int speed) noexcept {
    return static_cast<std::uint32_t>(speed) * 20;
}

std::string speedLabel(int speed, std::string_view decimalSeparator) {
    // Extended precision, as the label has always been computed; to_chars ignores the C
    // locale, so the separator is only ever the one passed in.
    const long double seconds = static_cast<long double>(speed) * 0.1L;
    std::array<char, 64> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), seconds,
                                      std::chars_format::general, 15);
    std::string text;
    for (const char* p = digits.data(); p != result.ptr; ++p) {
        if (*p == '.') {
            text.append(decimalSeparator);
        } else {
            text.push_back(*p);
        }
    }
    text.append("秒");
    return text;
}

} // namespace qirt
