#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace qirt {

// The byte offset at which each line starts, 8 bytes a line. Stored in fixed blocks so that
// growing it never copies what is already there and never holds twice what it needs.
class LineIndex {
public:
    std::int64_t size() const noexcept { return size_; }
    std::uint64_t operator[](std::int64_t i) const noexcept {
        return blocks_[static_cast<std::size_t>(i >> kBlockBits)][i & kBlockMask];
    }
    std::uint64_t back() const noexcept { return (*this)[size_ - 1]; }

    void push(std::uint64_t start);
    // Moves the last start on; a CR LF pair ends one line, not two.
    void setBack(std::uint64_t start) noexcept { blocks_.back()[(size_ - 1) & kBlockMask] = start; }
    void popBack() noexcept;

private:
    static constexpr int kBlockBits = 13;
    static constexpr std::int64_t kBlockSize = std::int64_t{1} << kBlockBits;
    static constexpr std::int64_t kBlockMask = kBlockSize - 1;

    std::vector<std::unique_ptr<std::uint64_t[]>> blocks_;
    std::int64_t size_ = 0;
};

} // namespace qirt
