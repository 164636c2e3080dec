#pragma once

#include "linelist.h"
#include "positionslider.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qirt {

class WindowPort;

// The reading engine: the loaded lines, the current line (the position slider) and the
// sideways offset into it, with every handler that moves through them. The window holds one
// and forwards its events here; all output goes back through the WindowPort.
class Reader : private PositionSlider::Observer {
public:
    explicit Reader(WindowPort& window);

    const LineList& lines() const noexcept { return Lines; }
    int position() const noexcept { return slider_.position(); }
    int max() const noexcept { return slider_.max(); }
    // The sideways offset into the current line, in bytes from 1; 0 while it shows whole.
    std::int64_t charOffset() const noexcept { return CharOffset; }
    // How many bytes the bar is taken to hold: the outer width / 6.
    std::int64_t captionCapacity() const;

    // The window was shown: start the sideways offset afresh.
    void formShow() noexcept { CharOffset = 0; }
    // Loads one dropped file and shows its first line. An empty file fails with
    // Failure::indexOutOfRange(0) and changes nothing.
    void loadFile(const std::string& path) { loadLines(LineList::read(path)); }
    // The same for lines already read: they replace the current ones and line 0 shows.
    void loadLines(LineList fresh);

    // The position slider's change handler: the line into the title, its number into LabelP.
    void trackBarPChange();
    // The user moved the position slider to p.
    void trackBarPMoved(int p) { slider_.userMoved(p); }
    void setPosition(std::int64_t p) { slider_.setPosition(p); }
    void setMaximum(std::int64_t m) { slider_.setMaximum(m); }
    // The title shows line i as stored.
    void showLine(std::int64_t i);

    // One mouse-wheel message (delta > 0: turned away from the user). False, with nothing
    // done, while no line is loaded.
    bool wheelStep(int delta);
    // One acting tick of auto-advance: a sideways step or the next line, and the next interval.
    void tickStep(int speed);

    // The timer's tick: gated by the "タイマー" switch and a loaded file.
    void timer1Timer();
    // The "タイマー" item was chosen; its check has already flipped.
    void timerClick();
    // The speed slider changed.
    void trackBarTChange();
    // The user's decimal separator for the speed label; "." until told otherwise.
    void setDecimalSeparator(std::string_view separator) { decimalSeparator_ = separator; }

private:
    void rangeChanged(int max) override;
    void thumbMoved(int position) override;
    void changed() override { trackBarPChange(); }

    bool scrolls(std::int64_t len) const;
    // A line move to p, wrapping forward past the last line to line 0; the title text after it.
    std::string_view moveTo(std::int64_t p);
    std::string_view view(std::string_view trimmedLine) const;
    void setInterval(std::uint32_t ms);

    WindowPort& window_;
    LineList Lines;
    PositionSlider slider_;
    std::int64_t CharOffset = 0;
    std::string decimalSeparator_ = ".";
};

} // namespace qirt
