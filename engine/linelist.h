#pragma once

#include "bytebuffer.h"
#include "encoding.h"
#include "lineindex.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qirt {

// The lines of the last file loaded: one buffer with the file's bytes and an index of where
// each line starts. Lines are views into the buffer, without their line ends, bytes as read.
class LineList {
public:
    // Enough lines that every index fits the position slider's signed 32-bit range.
    static constexpr std::int64_t kMaxLines = std::int64_t{1} << 31;

    LineList() = default;

    // Reads the regular file at path whole, splits it into lines and chooses its encoding
    // from the first bytes of its text. Fails with
    // Failure::cannotOpen(path) when it cannot be opened, is not a regular file, cannot be
    // read, does not fit in memory or holds more than maxLines lines.
    static LineList read(const std::string& path, std::int64_t maxLines = kMaxLines);
    // Splits bytes held in memory and chooses their encoding, by the same rules as read().
    static LineList fromBytes(std::string_view bytes);

    // Replaces the content with the lines of the file at path; on failure the content stays.
    void load(const std::string& path) { *this = read(path); }

    std::int64_t count() const noexcept { return starts_.size(); }
    // The line at index i, 0 to count() - 1; fails with Failure::indexOutOfRange(i) otherwise.
    std::string_view lineAt(std::int64_t i) const;
    // The encoding of the text; UTF-8 for an empty list.
    const Encoding& encoding() const noexcept { return encoding_; }

private:
    friend class LineReader;

    ByteBuffer bytes_;
    LineIndex starts_;
    std::uint64_t textEnd_ = 0;
    Encoding encoding_ = Encoding::utf8();
};

} // namespace qirt
