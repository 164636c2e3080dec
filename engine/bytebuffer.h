#pragma once

#include <cstddef>

namespace qirt {

// A zero-filled block of bytes taken straight from the kernel, so that a large file's
// buffer can be backed by huge pages. Move-only.
class ByteBuffer {
public:
    ByteBuffer() = default;
    enum class Pages { Huge, Small };

    // Throws std::bad_alloc when the memory cannot be had. Pages::Huge backs a buffer of
    // 2 MiB or more with huge pages where the kernel allows it; Pages::Small never does,
    // so that a buffer that may stay nearly empty costs only the pages it touches.
    explicit ByteBuffer(std::size_t size, Pages pages = Pages::Huge);
    ByteBuffer(ByteBuffer&& other) noexcept;
    ByteBuffer& operator=(ByteBuffer&& other) noexcept;
    ByteBuffer(const ByteBuffer&) = delete;
    ByteBuffer& operator=(const ByteBuffer&) = delete;
    ~ByteBuffer();

    char* data() noexcept { return data_; }
    const char* data() const noexcept { return data_; }
    std::size_t size() const noexcept { return size_; }

private:
    void release() noexcept;

    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t mapped_ = 0;
};

} // namespace qirt
