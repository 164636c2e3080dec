#pragma once

#include "windowport.h"

#include <string>
#include <vector>

// A window that records every call the engine makes, in order, and keeps what a real window
// would show. Titles are recorded as "title <bytes>".
class FakeWindow : public qirt::WindowPort {
public:
    void setTitle(std::string_view bytes) override {
        title = bytes;
        calls.push_back("title " + title);
    }
    int outerWidth() const override { return width; }
    void setLabelP(std::string_view text) override {
        labelP = text;
        calls.push_back("labelP " + labelP);
    }
    void setTrackBarPMax(int max) override { calls.push_back("max " + std::to_string(max)); }
    void setTrackBarPPosition(int position) override {
        calls.push_back("thumb " + std::to_string(position));
    }
    bool timerChecked() const override { return checked; }
    int speed() const override { return speedValue; }
    void setSpeedControlsVisible(bool visible) override {
        calls.push_back(visible ? "show speed" : "hide speed");
    }
    void setLabelT(std::string_view text) override {
        labelT = text;
        calls.push_back("labelT " + labelT);
    }
    bool setTimerInterval(std::uint32_t ms) override {
        interval = ms;
        calls.push_back("interval " + std::to_string(ms));
        return timerAvailable;
    }

    int width = 800;
    bool checked = false;
    int speedValue = 10;
    bool timerAvailable = true;
    std::uint32_t interval = 1000;
    std::string title;
    std::string labelP;
    std::string labelT;
    std::vector<std::string> calls;
};
