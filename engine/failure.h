#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace qirt {

// The one failure the reading engine raises: a message for the user, as bytes.
// The texts are the system's own; tests compare them byte for byte.
class Failure : public std::exception {
public:
    explicit Failure(std::string message) : message_(std::move(message)) {}

    // "ファイル <path> は開けません", the path inserted as the caller's bytes.
    static Failure cannotOpen(std::string_view path);
    // "リストのインデックスが範囲を超えています (<index>)".
    static Failure indexOutOfRange(std::int64_t index);
    // "タイマーを取得できません".
    static Failure noTimer();

    const std::string& message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

} // namespace qirt
