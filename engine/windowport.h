#pragma once

#include <cstdint>
#include <string_view>

namespace qirt {

// What the reading engine needs of the window. Setting a text or a value that is already
// there changes nothing; the window keeps to that, the engine relies on it.
class WindowPort {
public:
    virtual ~WindowPort() = default;

    // The bar's title, as the bytes of the line.
    virtual void setTitle(std::string_view bytes) = 0;
    // The window's outer width in pixels, as resizing or maximising has left it.
    virtual int outerWidth() const = 0;
    // The line-number label, in UTF-8.
    virtual void setLabelP(std::string_view text) = 0;
    // Mirrors the position slider's range end and thumb onto the screen, without any event.
    virtual void setTrackBarPMax(int max) = 0;
    virtual void setTrackBarPPosition(int position) = 0;

    // Whether the "タイマー" item is checked.
    virtual bool timerChecked() const = 0;
    // The speed slider's position, 1 to 20.
    virtual int speed() const = 0;
    // Shows or hides the speed slider, then its label.
    virtual void setSpeedControlsVisible(bool visible) = 0;
    // The speed label, in UTF-8.
    virtual void setLabelT(std::string_view text) = 0;
    // The auto-advance timer's interval: an equal value leaves the countdown running, a new
    // one restarts it. False when the system has no timer to give.
    virtual bool setTimerInterval(std::uint32_t ms) = 0;

protected:
    WindowPort() = default;
    WindowPort(const WindowPort&) = default;
    WindowPort& operator=(const WindowPort&) = default;
};

} // namespace qirt
