// Splits any bytes into lines, checked against a plain reference split, and then steps
// through them with wheel notches and ticks that the input chooses, checking what a view
// must always be.
#include "encoding.h"
#include "linelist.h"
#include "nullwindow.h"
#include "reader.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::vector<std::string_view> referenceSplit(std::string_view bytes) {
    bytes = bytes.substr(0, bytes.find('\0'));
    std::vector<std::string_view> lines;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", i), bytes.size());
        lines.push_back(bytes.substr(i, end - i));
        i = end;
        if (i < bytes.size() && bytes[i] == '\r') {
            ++i;
        }
        if (i < bytes.size() && bytes[i] == '\n') {
            ++i;
        }
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const qirt::LineList list = qirt::LineList::fromBytes(bytes);
    const auto expected = referenceSplit(bytes);
    require(list.count() == static_cast<std::int64_t>(expected.size()));
    for (std::int64_t i = 0; i < list.count(); ++i) {
        require(list.lineAt(i) == expected[static_cast<std::size_t>(i)]);
    }
    if (list.count() == 0) {
        return 0;
    }
    // The reader loads through a file; here its steps run over the same lines in memory.
    NullWindow window;
    qirt::Reader reader(window);
    reader.loadLines(qirt::LineList::fromBytes(bytes));
    for (std::size_t k = 0; k < std::min<std::size_t>(size, 64); ++k) {
        const auto b = static_cast<std::int8_t>(data[k]);
        window.width = 6 * (1 + (data[k] & 0x3F));
        if ((b & 1) != 0) {
            reader.tickStep(10);
        } else {
            reader.wheelStep(b * 8);
        }
        require(reader.charOffset() >= 0);
        const std::string_view line = reader.lines().lineAt(reader.position());
        require(line.find(window.title) != std::string_view::npos);
        // In valid UTF-8 no view starts inside a character. (Invalid bytes have no
        // characters to keep whole; they show as U+FFFD.)
        if (reader.charOffset() > 0 && !window.title.empty() &&
            reader.lines().encoding().name == "UTF-8" && qirt::isUtf8(line)) {
            require((static_cast<std::uint8_t>(window.title.front()) & 0xC0) != 0x80);
        }
    }
    return 0;
}
