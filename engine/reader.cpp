#include "reader.h"

#include "autoadvance.h"
#include "failure.h"
#include "text.h"
#include "windowport.h"

namespace qirt {

Reader::Reader(WindowPort& window) : window_(window), slider_(*this) {}

std::int64_t Reader::captionCapacity() const {
    return window_.outerWidth() / 6;
}

void Reader::loadLines(LineList fresh) {
    if (fresh.count() == 0) {
        throw Failure::indexOutOfRange(0);
    }
    Lines = std::move(fresh);
    // To line 0 before the range shrinks, so that no line past the new end is ever asked for.
    setPosition(0);
    showLine(position());
    setMaximum(Lines.count() - 1);
}

void Reader::trackBarPChange() {
    if (max() == 0) {
        return;
    }
    window_.setTitle(Lines.lineAt(position()));
    const std::string label = std::to_string(std::int64_t{position()} + 1) + "行目";
    window_.setLabelP(label);
}

void Reader::showLine(std::int64_t i) {
    window_.setTitle(Lines.lineAt(i));
}

void Reader::rangeChanged(int max) {
    window_.setTrackBarPMax(max);
}

void Reader::thumbMoved(int position) {
    window_.setTrackBarPPosition(position);
}

bool Reader::scrolls(std::int64_t len) const {
    // Scrolling stops once the rest is 10 bytes short of the capacity, not once it fits.
    const std::int64_t capacity = captionCapacity();
    return len > capacity && CharOffset < len && len - CharOffset + 10 > capacity;
}

std::string_view Reader::view(std::string_view trimmedLine) const {
    // The view runs to the end of the line, so the last character is shown too.
    const auto len = static_cast<std::int64_t>(trimmedLine.size());
    return slice(trimmedLine, CharOffset, len - CharOffset + 1);
}

std::string_view Reader::moveTo(std::int64_t p) {
    setPosition(p < Lines.count() ? p : 0);
    return Lines.lineAt(position());
}

bool Reader::wheelStep(int delta) {
    if (Lines.count() == 0) {
        return false;
    }
    const std::string_view line = trimmed(Lines.lineAt(position()));
    std::string_view title;
    if (scrolls(static_cast<std::int64_t>(line.size()))) {
        CharOffset = Lines.encoding().boundary.align(line, CharOffset - delta / 10);
        if (CharOffset >= 1) {
            title = view(line);
        } else {
            CharOffset = 0;
            title = moveTo(std::int64_t{position()} - 1);
        }
    } else {
        CharOffset = 0;
        title = moveTo(std::int64_t{position()} - delta / 120);
    }
    window_.setTitle(title);
    return true;
}

void Reader::tickStep(int speed) {
    const std::string_view line = trimmed(Lines.lineAt(position()));
    std::string_view title;
    if (scrolls(static_cast<std::int64_t>(line.size()))) {
        CharOffset = Lines.encoding().boundary.align(line, CharOffset + 4);
        title = view(line);
        setInterval(stepInterval(speed));
    } else {
        CharOffset = 0;
        title = moveTo(std::int64_t{position()} + 1);
        setInterval(lineInterval(speed));
    }
    window_.setTitle(title);
}

void Reader::timer1Timer() {
    if (!window_.timerChecked() || Lines.count() == 0) {
        return;
    }
    tickStep(window_.speed());
}

void Reader::timerClick() {
    const bool on = window_.timerChecked();
    window_.setSpeedControlsVisible(on);
    if (on) {
        trackBarTChange();
    }
}

void Reader::trackBarTChange() {
    const int speed = window_.speed();
    setInterval(lineInterval(speed));
    window_.setLabelT(speedLabel(speed, decimalSeparator_));
}

void Reader::setInterval(std::uint32_t ms) {
    if (!window_.setTimerInterval(ms)) {
        throw Failure::noTimer();
    }
}

} // namespace qirt
