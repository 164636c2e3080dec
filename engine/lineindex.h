#pragma once

#include "bytebuffer.h"

#include <cstdint>
#include <vector>

namespace qirt {

// The byte offset at which each line starts, 8 bytes a line. Stored in fixed blocks of 2 MiB
// so that growing it never copies what is already there, and backed by huge pages past the
// first block: a large file has millions of lines, and page faults would cost more than the
// splitting itself.
class LineIndex {
public:
    std::int64_t size() const noexcept { return size_; }
    std::uint64_t operator[](std::int64_t i) const noexcept {
        return at(static_cast<std::size_t>(i >> kBlockBits))[i & kBlockMask];
    }
    std::uint64_t back() const noexcept { return (*this)[size_ - 1]; }

    void push(std::uint64_t start) {
        if ((size_ & kBlockMask) == 0) {
            grow();
        }
        at(static_cast<std::size_t>(size_ >> kBlockBits))[size_ & kBlockMask] = start;
        ++size_;
    }
    // Moves the last start on; a CR LF pair ends one line, not two.
    void setBack(std::uint64_t start) noexcept {
        at(static_cast<std::size_t>((size_ - 1) >> kBlockBits))[(size_ - 1) & kBlockMask] = start;
    }
    void popBack() noexcept { --size_; }

private:
    static constexpr int kBlockBits = 18;
    static constexpr std::int64_t kBlockSize = std::int64_t{1} << kBlockBits;
    static constexpr std::int64_t kBlockMask = kBlockSize - 1;

    std::uint64_t* at(std::size_t block) const noexcept {
        return reinterpret_cast<std::uint64_t*>(const_cast<char*>(blocks_[block].data()));
    }
    void grow();

    std::vector<ByteBuffer> blocks_;
    std::int64_t size_ = 0;
};

} // namespace qirt
