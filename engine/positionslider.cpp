#include "positionslider.h"

#include <algorithm>
#include <limits>

namespace qirt {

void PositionSlider::setPosition(std::int64_t p) {
    const auto clamped = static_cast<int>(std::clamp<std::int64_t>(p, 0, max_));
    if (clamped == position_) {
        return;
    }
    position_ = clamped;
    observer_.thumbMoved(position_);
    observer_.changed();
}

void PositionSlider::setMaximum(std::int64_t m) {
    if (m < 0) {
        return;
    }
    max_ = static_cast<int>(std::min<std::int64_t>(m, std::numeric_limits<int>::max()));
    observer_.rangeChanged(max_);
    if (position_ > max_) {
        setPosition(max_);
    }
}

void PositionSlider::userMoved(int p) {
    position_ = std::clamp(p, 0, max_);
    observer_.changed();
}

} // namespace qirt
