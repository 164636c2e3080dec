#include "reader.h"

#include "autoadvance.h"
#include "failure.h"
#include "text.h"
#include "windowport.h"

namespace qirt {

Reader::Reader(WindowPort& window, CharBoundary boundary)
    : window_(window), boundary_(boundary), slider_(*this) {}

std::int64_t Reader::captionCapacity() const {
    return window_.outerWidth() / 6;
}

void Reader::loadFile(const std::string& path) {
    LineList fresh = LineList::read(path);
    if (fresh.count() == 0) {
        throw Failure::indexOutOfRange(0);
    }
    lines_ = std::move(fresh);
    // To line 0 before the range shrinks, so that no line past the new end is ever asked for.
    setPosition(0);
    showLine(position());
    setMaximum(lines_.count() - 1);
}

void Reader::trackBarPChange() {
    if (max() == 0) {
        return;
    }
    window_.setTitle(lines_.lineAt(position()));
    window_.setLabelP(std::to_string(std::int64_t{position()} + 1) + "行目");
}

void Reader::showLine(std::int64_t i) {
    window_.setTitle(lines_.lineAt(i));
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
    return len > capacity && charOffset_ < len && len - charOffset_ + 10 > capacity;
}

std::string_view Reader::view(std::string_view trimmedLine) const {
    // The view runs to the end of the line, so the last character is shown too.
    const auto len = static_cast<std::int64_t>(trimmedLine.size());
    return slice(trimmedLine, charOffset_, len - charOffset_ + 1);
}

std::string_view Reader::moveTo(std::int64_t p) {
    setPosition(p < lines_.count() ? p : 0);
    return lines_.lineAt(position());
}

bool Reader::wheelStep(int delta) {
    if (lines_.count() == 0) {
        return false;
    }
    const std::string_view line = trimmed(lines_.lineAt(position()));
    std::string_view title;
    if (scrolls(static_cast<std::int64_t>(line.size()))) {
        charOffset_ = boundary_.align(line, charOffset_ - delta / 10);
        if (charOffset_ >= 1) {
            title = view(line);
        } else {
            charOffset_ = 0;
            title = moveTo(std::int64_t{position()} - 1);
        }
    } else {
        charOffset_ = 0;
        title = moveTo(std::int64_t{position()} - delta / 120);
    }
    window_.setTitle(title);
    return true;
}

void Reader::tickStep(int speed) {
    const std::string_view line = trimmed(lines_.lineAt(position()));
    std::string_view title;
    if (scrolls(static_cast<std::int64_t>(line.size()))) {
        charOffset_ = boundary_.align(line, charOffset_ + 4);
        title = view(line);
        setInterval(stepInterval(speed));
    } else {
        charOffset_ = 0;
        title = moveTo(std::int64_t{position()} + 1);
        setInterval(lineInterval(speed));
    }
    window_.setTitle(title);
}

void Reader::timer1Timer() {
    if (!window_.timerChecked() || lines_.count() == 0) {
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
