#include "encoding.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>
#include <uchardet.h>

namespace qirt {
namespace {

std::string upper(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

// The length of the UTF-8 character that begins with b, or 0 if no character begins so.
int utf8Length(unsigned char b) {
    if (b < 0x80) {
        return 1;
    }
    if (b >= 0xC2 && b <= 0xDF) {
        return 2;
    }
    if (b >= 0xE0 && b <= 0xEF) {
        return 3;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        return 4;
    }
    return 0;
}

// The second byte's range narrows for some first bytes: no overlong forms, no surrogates,
// nothing above U+10FFFF.
bool secondByteFits(unsigned char first, unsigned char second) {
    switch (first) {
    case 0xE0:
        return second >= 0xA0 && second <= 0xBF;
    case 0xED:
        return second >= 0x80 && second <= 0x9F;
    case 0xF0:
        return second >= 0x90 && second <= 0xBF;
    case 0xF4:
        return second >= 0x80 && second <= 0x8F;
    default:
        return (second & 0xC0) == 0x80;
    }
}

std::string detectorAnswer(std::string_view text) {
    const std::unique_ptr<std::remove_pointer_t<uchardet_t>, void (*)(uchardet_t)> detector(
        uchardet_new(), uchardet_delete);
    if (!detector || uchardet_handle_data(detector.get(), text.data(), text.size()) != 0) {
        return {};
    }
    uchardet_data_end(detector.get());
    const char* name = uchardet_get_charset(detector.get());
    return name != nullptr ? upper(name) : std::string();
}

// Whether every byte from 0x80 up pairs into a Shift-JIS character: a lead byte followed by a
// trail byte (0x40 to 0x7E, 0x80 to 0xFC), or a half-width kana (0xA1 to 0xDF) alone. Short
// Japanese texts can look like a European code page to a detector; this keeps them Japanese.
bool pairsAsShiftJis(std::string_view text) {
    const CharBoundary sjis = CharBoundary::shiftJis();
    bool doubleByteSeen = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x80 || (b >= 0xA1 && b <= 0xDF)) {
            continue;
        }
        if (!sjis.isLeadByte(b)) {
            return false;
        }
        if (i + 1 == text.size()) {
            break; // cut short by the end of the sample
        }
        const auto t = static_cast<unsigned char>(text[++i]);
        if (t < 0x40 || t == 0x7F || t > 0xFC) {
            return false;
        }
        doubleByteSeen = true;
    }
    return doubleByteSeen;
}

} // namespace

bool isUtf8(std::string_view bytes) noexcept {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const int n = utf8Length(b);
        if (n == 0) {
            return false;
        }
        for (int k = 1; k < n; ++k) {
            if (i + static_cast<std::size_t>(k) >= bytes.size()) {
                return true; // cut short by the end of the sample
            }
            const auto c = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
            if (k == 1 ? !secondByteFits(b, c) : (c & 0xC0) != 0x80) {
                return false;
            }
        }
        i += static_cast<std::size_t>(n);
    }
    return true;
}

Encoding Encoding::fromDetectorName(std::string_view name) {
    const std::string n = upper(name);
    if (n == "UTF-8" || n == "ASCII") {
        return utf8();
    }
    if (n == "SHIFT_JIS" || n == "SJIS" || n == "CP932" || n == "WINDOWS-31J") {
        return cp932();
    }
    if (n == "EUC-JP") {
        return {"EUC-JP", CharBoundary::eucJp()};
    }
    if (n == "GB18030" || n == "GBK" || n == "GB2312" || n == "HZ-GB-2312") {
        return {"GB18030", CharBoundary::gb18030()};
    }
    if (n == "BIG5" || n == "CP950" || n == "EUC-TW") {
        return {"CP950", CharBoundary::doubleByte({{0x81, 0xFE}})};
    }
    if (n == "EUC-KR" || n == "UHC" || n == "CP949") {
        return {"CP949", CharBoundary::doubleByte({{0x81, 0xFE}})};
    }
    // Single-byte code pages decode byte by byte; anything else (UTF-16, ISO-2022 and such)
    // this program does not read.
    static constexpr std::array<std::string_view, 6> singleBytePrefixes = {
        "ISO-8859-", "WINDOWS-125", "KOI8-", "IBM8", "MAC-", "TIS-620"};
    for (const std::string_view prefix : singleBytePrefixes) {
        if (n.rfind(prefix, 0) == 0) {
            return {n, CharBoundary::singleByte()};
        }
    }
    return cp932();
}

Encoding detectEncoding(std::string_view text) {
    const std::string_view sample = text.substr(0, std::min(text.size(), kEncodingSample));
    if (isUtf8(sample)) {
        return Encoding::utf8();
    }
    const Encoding found = Encoding::fromDetectorName(detectorAnswer(sample));
    if (found.boundary.family() == CharBoundary::Family::SingleByte && pairsAsShiftJis(sample)) {
        return Encoding::cp932();
    }
    return found;
}

} // namespace qirt
