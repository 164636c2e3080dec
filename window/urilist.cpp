#include "urilist.h"

#include <optional>

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The bytes that %XX escapes stand for; a "%" not followed by two hex digits stays as it is.
// No name can hold a NUL byte, so a %00 makes the whole URI unusable.
std::optional<std::string> percentDecoded(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const int hi = s[i] == '%' && i + 2 < s.size() ? hexValue(s[i + 1]) : -1;
        const int lo = hi >= 0 ? hexValue(s[i + 2]) : -1;
        if (lo < 0) {
            out.push_back(s[i]);
            continue;
        }
        const auto byte = static_cast<char>(hi * 16 + lo);
        if (byte == '\0') {
            return std::nullopt;
        }
        out.push_back(byte);
        i += 2;
    }
    return out;
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const char a = s[i] >= 'A' && s[i] <= 'Z' ? static_cast<char>(s[i] - 'A' + 'a') : s[i];
        if (a != prefix[i]) {
            return false;
        }
    }
    return true;
}

// The path of a file: URI on this host, still percent-encoded; nothing for any other URI.
std::optional<std::string_view> localPart(std::string_view uri) {
    if (!startsWithNoCase(uri, "file:")) {
        return std::nullopt;
    }
    uri.remove_prefix(5);
    if (uri.substr(0, 2) != "//") {
        // file:/path, as some programs write it.
        return uri.substr(0, 1) == "/" ? std::optional(uri) : std::nullopt;
    }
    uri.remove_prefix(2);
    const std::size_t slash = uri.find('/');
    if (slash == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view host = uri.substr(0, slash);
    const bool thisHost = host.empty() || (host.size() == 9 && startsWithNoCase(host, "localhost"));
    if (!thisHost) {
        return std::nullopt;
    }
    return uri.substr(slash);
}

} // namespace

std::vector<std::string> localPathsOfUriList(std::string_view list) {
    std::vector<std::string> paths;
    while (!list.empty()) {
        const std::size_t end = list.find('\n');
        std::string_view line = list.substr(0, end);
        list.remove_prefix(end == std::string_view::npos ? list.size() : end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (const auto part = localPart(line)) {
            if (auto path = percentDecoded(*part)) {
                paths.push_back(std::move(*path));
            }
        }
    }
    return paths;
}
