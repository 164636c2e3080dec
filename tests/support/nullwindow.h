#pragma once

#include "windowport.h"

#include <cstdint>
#include <string_view>

// A window that keeps nothing but a view of the last title, for benchmarks and fuzzing: no
// copies, so that only the engine's own work is measured or checked. The view is valid until
// the lines it points into change.
class NullWindow : public qirt::WindowPort {
public:
    void setTitle(std::string_view bytes) override { title = bytes; }
    int outerWidth() const override { return width; }
    void setLabelP(std::string_view) override {}
    void setTrackBarPMax(int) override {}
    void setTrackBarPPosition(int) override {}
    bool timerChecked() const override { return true; }
    int speed() const override { return 10; }
    void setSpeedControlsVisible(bool) override {}
    void setLabelT(std::string_view) override {}
    bool setTimerInterval(std::uint32_t) override { return true; }

    std::string_view title;
    int width = 800;
};
