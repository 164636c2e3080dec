#pragma once

#include "charboundary.h"

#include <string>
#include <string_view>

namespace qirt {

// The encoding a file was found to be in: its name as iconv knows it, and where its
// characters begin. Lengths and offsets still count bytes; the encoding only tells the bar how
// to decode them and where a view may start.
struct Encoding {
    std::string name;
    CharBoundary boundary;

    static Encoding utf8() { return {"UTF-8", CharBoundary::utf8()}; }
    // Shift-JIS with the Windows mapping: 0x5C is "\", 0x8740 is "①".
    static Encoding cp932() { return {"CP932", CharBoundary::shiftJis()}; }
    // The encoding a detector named, in the Windows form where one exists (Shift-JIS as CP932,
    // EUC-KR as CP949, Big5 as CP950); CP932 for a name this program cannot decode.
    static Encoding fromDetectorName(std::string_view name);
};

// How much of a file's text the choice looks at, whatever the size of the file.
inline constexpr std::size_t kEncodingSample = std::size_t{1} << 20;

// Chooses the encoding of a file from the first bytes of its text: UTF-8 when they are valid
// UTF-8 (ASCII included, a byte-order mark allowed), otherwise what the detector answers,
// otherwise CP932.
Encoding detectEncoding(std::string_view text);

// Whether bytes are valid UTF-8, allowing a character cut short at the very end.
bool isUtf8(std::string_view bytes) noexcept;

} // namespace qirt
