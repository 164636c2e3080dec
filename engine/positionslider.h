#pragma once

#include <cstdint>

namespace qirt {

// The value model of the position slider: range 0 to max(), position() always inside it.
// Changes made from code move the on-screen thumb and notify only on a real change; a
// movement by the user notifies on every report. Notifications are plain calls, made after
// the new value is stored; a failure inside one passes on to the caller.
class PositionSlider {
public:
    class Observer {
    public:
        virtual ~Observer() = default;
        virtual void rangeChanged(int max) = 0;
        virtual void thumbMoved(int position) = 0;
        virtual void changed() = 0;

    protected:
        Observer() = default;
        Observer(const Observer&) = default;
        Observer& operator=(const Observer&) = default;
    };

    explicit PositionSlider(Observer& observer) : observer_(observer) {}

    int max() const noexcept { return max_; }
    int position() const noexcept { return position_; }

    // Clamps p into 0 to max(); on a change stores it, moves the thumb and notifies.
    void setPosition(std::int64_t p);
    // Ignored below 0. Otherwise stores m, then pulls the position down to it if needed.
    void setMaximum(std::int64_t m);
    // The user moved the slider to p (already inside the range): store and always notify.
    void userMoved(int p);

private:
    Observer& observer_;
    int max_ = 0;
    int position_ = 0;
};

} // namespace qirt
