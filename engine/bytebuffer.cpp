#include "bytebuffer.h"

#include <cstdint>
#include <new>
#include <sys/mman.h>
#include <utility>

namespace qirt {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t roundUp(std::size_t n, std::size_t unit) {
    return (n + unit - 1) / unit * unit;
}

} // namespace

ByteBuffer::ByteBuffer(std::size_t size, Pages pages) {
    if (size == 0) {
        return;
    }
    // Below one huge page the kernel would never use one; above it, map a little more so
    // that the start can be aligned and the whole buffer can be backed by huge pages.
    const bool huge = pages == Pages::Huge && size >= kHugePage;
    const std::size_t length = huge ? roundUp(size, kHugePage) + kHugePage : size;
    void* p = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) {
        throw std::bad_alloc();
    }
    char* base = static_cast<char*>(p);
    std::size_t mapped = length;
    if (huge) {
        char* aligned =
            reinterpret_cast<char*>(roundUp(reinterpret_cast<std::size_t>(base), kHugePage));
        const std::size_t head = static_cast<std::size_t>(aligned - base);
        if (head != 0) {
            munmap(base, head);
        }
        mapped = roundUp(size, kHugePage);
        const std::size_t tail = length - head - mapped;
        if (tail != 0) {
            munmap(aligned + mapped, tail);
        }
        base = aligned;
        // Advice only: without transparent huge pages the buffer still works.
        madvise(base, mapped, MADV_HUGEPAGE);
    }
    data_ = base;
    size_ = size;
    mapped_ = mapped;
}

ByteBuffer::ByteBuffer(ByteBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
      mapped_(std::exchange(other.mapped_, 0)) {}

ByteBuffer& ByteBuffer::operator=(ByteBuffer&& other) noexcept {
    if (this != &other) {
        release();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        mapped_ = std::exchange(other.mapped_, 0);
    }
    return *this;
}

ByteBuffer::~ByteBuffer() {
    release();
}

void ByteBuffer::release() noexcept {
    if (data_ != nullptr) {
        munmap(data_, mapped_);
        data_ = nullptr;
    }
}

} // namespace qirt
