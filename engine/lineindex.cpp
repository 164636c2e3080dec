#include "lineindex.h"

namespace qirt {

void LineIndex::push(std::uint64_t start) {
    if ((size_ & kBlockMask) == 0 &&
        static_cast<std::size_t>(size_ >> kBlockBits) == blocks_.size()) {
        blocks_.push_back(std::make_unique_for_overwrite<std::uint64_t[]>(kBlockSize));
    }
    blocks_[static_cast<std::size_t>(size_ >> kBlockBits)][size_ & kBlockMask] = start;
    ++size_;
}

void LineIndex::popBack() noexcept {
    --size_;
    if ((size_ & kBlockMask) == 0 &&
        static_cast<std::size_t>(size_ >> kBlockBits) + 1 == blocks_.size()) {
        blocks_.pop_back();
    }
}

} // namespace qirt
