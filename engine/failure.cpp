#include "failure.h"

namespace qirt {

Failure Failure::cannotOpen(std::string_view path) {
    // Concatenated, never formatted: a path may hold '%' or any other byte.
    std::string text = "ファイル ";
    text.append(path);
    text.append(" は開けません");
    return Failure(std::move(text));
}

Failure Failure::indexOutOfRange(std::int64_t index) {
    return Failure("リストのインデックスが範囲を超えています (" + std::to_string(index) + ")");
}

Failure Failure::noTimer() {
    return Failure("タイマーを取得できません");
}

} // namespace qirt
