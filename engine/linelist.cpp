#include "linelist.h"

#include "failure.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QIRT_X86 1
#endif

namespace qirt {
namespace {

// Calls on(pos, byte) for each CR, LF and NUL in base[from, to), in order, until it returns
// false. This is the hot loop of a load: it runs over every byte of the file.
template <class On>
bool scanPortable(const char* base, std::uint64_t from, std::uint64_t to, On& on) {
    for (std::uint64_t i = from; i < to; ++i) {
        const char c = base[i];
        if ((c == '\r' || c == '\n' || c == '\0') && !on(i, c)) {
            return false;
        }
    }
    return true;
}

#ifdef QIRT_X86
template <class On>
__attribute__((target("avx2"))) bool scanAvx2(const char* base, std::uint64_t from,
                                              std::uint64_t to, On& on) {
    const __m256i cr = _mm256_set1_epi8('\r');
    const __m256i lf = _mm256_set1_epi8('\n');
    const __m256i nul = _mm256_setzero_si256();
    std::uint64_t i = from;
    for (; i + 32 <= to; i += 32) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(base + i));
        const __m256i hit =
            _mm256_or_si256(_mm256_or_si256(_mm256_cmpeq_epi8(v, cr), _mm256_cmpeq_epi8(v, lf)),
                            _mm256_cmpeq_epi8(v, nul));
        auto bits = static_cast<std::uint32_t>(_mm256_movemask_epi8(hit));
        while (bits != 0) {
            const std::uint64_t pos = i + static_cast<std::uint64_t>(__builtin_ctz(bits));
            if (!on(pos, base[pos])) {
                return false;
            }
            bits &= bits - 1;
        }
    }
    return scanPortable(base, i, to, on);
}
#endif

template <class On> bool scan(const char* base, std::uint64_t from, std::uint64_t to, On& on) {
#ifdef QIRT_X86
    if (__builtin_cpu_supports("avx2")) {
        return scanAvx2(base, from, to, on);
    }
#endif
    return scanPortable(base, from, to, on);
}

// Closes the descriptor on every way out of a load.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    int get() const { return fd_; }

private:
    int fd_;
};

constexpr std::size_t kChunk = std::size_t{8} << 20;

} // namespace

// Builds a LineList from bytes that arrive a chunk at a time, splitting each chunk while it is
// still in cache. A line ends at CR, LF or CR LF; the first NUL ends the text.
class LineReader {
public:
    LineReader(std::size_t size, std::int64_t maxLines) : maxLines_(maxLines) {
        list_.bytes_ = ByteBuffer(size);
        if (size != 0) {
            list_.starts_.push(0);
        }
    }

    char* data() { return list_.bytes_.data(); }

    // Splits bytes [from, to); returns false once a NUL has ended the text.
    bool split(std::uint64_t from, std::uint64_t to) {
        auto on = [this](std::uint64_t pos, char c) { return onBreak(pos, c); };
        if (scan(list_.bytes_.data(), from, to, on)) {
            end_ = to;
            return true;
        }
        return false;
    }

    bool tooManyLines() const { return list_.starts_.size() > maxLines_ + 1; }

    // The list of the bytes split so far; false when it has more lines than allowed.
    bool finish(LineList& out) {
        LineIndex& starts = list_.starts_;
        if (starts.size() != 0 && starts.back() == end_) {
            starts.popBack(); // a line end at the very end adds no empty line
        }
        if (starts.size() > maxLines_) {
            return false;
        }
        list_.textEnd_ = end_;
        list_.encoding_ =
            detectEncoding(std::string_view(list_.bytes_.data(), static_cast<std::size_t>(end_)));
        out = std::move(list_);
        return true;
    }

private:
    bool onBreak(std::uint64_t pos, char c) {
        const char* base = list_.bytes_.data();
        if (c == '\0') {
            end_ = pos;
            return false;
        }
        if (c == '\n' && pos != 0 && base[pos - 1] == '\r') {
            list_.starts_.setBack(pos + 1);
            return true;
        }
        list_.starts_.push(pos + 1);
        // One over the limit may still be a final line end; more is a failure for sure.
        return !tooManyLines();
    }

    LineList list_;
    std::int64_t maxLines_;
    std::uint64_t end_ = 0;
};

LineList LineList::fromBytes(std::string_view bytes) {
    LineReader reader(bytes.size(), kMaxLines);
    if (!bytes.empty()) {
        std::memcpy(reader.data(), bytes.data(), bytes.size());
    }
    reader.split(0, bytes.size());
    LineList list;
    reader.finish(list);
    return list;
}

LineList LineList::read(const std::string& path, std::int64_t maxLines) {
    // Non-blocking, so that a FIFO with no writer cannot hang the open; anything that is not
    // a regular file is refused before a byte is read.
    FileDescriptor fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat st {};
    if (fd.get() < 0 || fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) {
        throw Failure::cannotOpen(path);
    }
    const auto size = static_cast<std::uint64_t>(st.st_size);
    posix_fadvise(fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    try {
        LineReader reader(static_cast<std::size_t>(size), maxLines);
        std::uint64_t got = 0;
        // Read until the size taken at the start is reached or the file ends early: one
        // read() returns at most about 2 GiB, and the file may shrink meanwhile.
        while (got < size) {
            const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, size - got));
            const ssize_t n = ::read(fd.get(), reader.data() + got, want);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                throw Failure::cannotOpen(path);
            }
            if (n == 0) {
                break;
            }
            const std::uint64_t from = got;
            got += static_cast<std::uint64_t>(n);
            if (!reader.split(from, got)) {
                break;
            }
        }
        LineList list;
        if (reader.tooManyLines() || !reader.finish(list)) {
            throw Failure::cannotOpen(path);
        }
        return list;
    } catch (const std::bad_alloc&) {
        throw Failure::cannotOpen(path);
    }
}

std::string_view LineList::lineAt(std::int64_t i) const {
    if (i < 0 || i >= count()) {
        throw Failure::indexOutOfRange(i);
    }
    const char* base = bytes_.data();
    const std::uint64_t start = starts_[i];
    std::uint64_t end = i + 1 < count() ? starts_[i + 1] : textEnd_;
    // The span runs to the next line's start: drop the line end it holds, LF, CR or CR LF.
    if (end > start && base[end - 1] == '\n') {
        --end;
    }
    if (end > start && base[end - 1] == '\r') {
        --end;
    }
    return {base + start, static_cast<std::size_t>(end - start)};
}

} // namespace qirt
