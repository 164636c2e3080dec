#pragma once

#include "encoding.h"

#include <string>
#include <string_view>

namespace qirt {

// Decodes bytes of one encoding to UTF-8 for display. A byte sequence the encoding cannot
// read becomes U+FFFD, one for each character it seems to be; a character cut short at the
// end of the bytes is left out, never shown half.
class TextDecoder {
public:
    // Fails with std::runtime_error when iconv has no converter for the encoding.
    explicit TextDecoder(const Encoding& encoding);
    TextDecoder(TextDecoder&& other) noexcept;
    TextDecoder& operator=(TextDecoder&& other) noexcept;
    TextDecoder(const TextDecoder&) = delete;
    TextDecoder& operator=(const TextDecoder&) = delete;
    ~TextDecoder();

    const Encoding& encoding() const noexcept { return encoding_; }
    std::string toUtf8(std::string_view bytes);

private:
    Encoding encoding_;
    void* converter_; // iconv_t
};

} // namespace qirt
