#include "textdecoder.h"

#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <stdexcept>
#include <utility>

namespace qirt {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

iconv_t handle(void* p) {
    return static_cast<iconv_t>(p);
}

void* invalidHandle() {
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(-1));
} // NOLINT

} // namespace

TextDecoder::TextDecoder(const Encoding& encoding)
    : encoding_(encoding), converter_(iconv_open("UTF-8", encoding.name.c_str())) {
    if (converter_ == invalidHandle()) {
        throw std::runtime_error("no converter from " + encoding.name);
    }
}

TextDecoder::TextDecoder(TextDecoder&& other) noexcept
    : encoding_(std::move(other.encoding_)),
      converter_(std::exchange(other.converter_, invalidHandle())) {}

TextDecoder& TextDecoder::operator=(TextDecoder&& other) noexcept {
    if (this != &other) {
        std::swap(encoding_, other.encoding_);
        std::swap(converter_, other.converter_);
    }
    return *this;
}

TextDecoder::~TextDecoder() {
    if (converter_ != invalidHandle()) {
        iconv_close(handle(converter_));
    }
}

std::string TextDecoder::toUtf8(std::string_view bytes) {
    iconv(handle(converter_), nullptr, nullptr, nullptr, nullptr); // a fresh start each time
    std::string out;
    out.reserve(bytes.size() * 3 / 2 + 16);
    std::size_t done = 0;
    char buffer[4096];
    while (done < bytes.size()) {
        char* in = const_cast<char*>(bytes.data() + done); // iconv does not write its input
        std::size_t inLeft = bytes.size() - done;
        char* o = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(handle(converter_), &in, &inLeft, &o, &outLeft);
        const int error = errno;
        out.append(buffer, static_cast<std::size_t>(o - buffer));
        done = bytes.size() - inLeft;
        if (result != static_cast<std::size_t>(-1) || error == E2BIG) {
            continue;
        }
        if (error == EINVAL) {
            break; // a character cut short at the end
        }
        // EILSEQ: skip the character that cannot be read, as a whole where it seems to be one.
        out.append(kReplacement);
        done += encoding_.boundary.charLength(bytes, done);
        iconv(handle(converter_), nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

} // namespace qirt
