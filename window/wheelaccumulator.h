#pragma once

#include <optional>

// Turns the many small deltas of high-resolution wheels and touchpads into whole notches of
// 120, so that each step the reader takes is one a standard wheel would have sent.
class WheelAccumulator {
public:
    // Adds one event's vertical delta; the whole notches gathered so far, if any, as a delta
    // (a multiple of 120). The remainder is kept, and dropped when the direction flips.
    std::optional<int> feed(int delta) {
        if ((delta > 0 && pending_ < 0) || (delta < 0 && pending_ > 0)) {
            pending_ = 0;
        }
        pending_ += delta;
        const int notches = pending_ / kNotch;
        if (notches == 0) {
            return std::nullopt;
        }
        pending_ -= notches * kNotch;
        return notches * kNotch;
    }

private:
    static constexpr int kNotch = 120;
    int pending_ = 0;
};
