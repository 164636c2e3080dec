#include "lineindex.h"

namespace qirt {

void LineIndex::grow() {
    if (static_cast<std::size_t>(size_ >> kBlockBits) < blocks_.size()) {
        return; // a block kept after popBack()
    }
    const auto pages = blocks_.empty() ? ByteBuffer::Pages::Small : ByteBuffer::Pages::Huge;
    blocks_.emplace_back(static_cast<std::size_t>(kBlockSize) * sizeof(std::uint64_t), pages);
}

} // namespace qirt
