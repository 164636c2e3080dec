#include "positionslider.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using qirt::PositionSlider;

// Records every notification, with the state the slider had at that moment.
class Recorder : public PositionSlider::Observer {
public:
    void rangeChanged(int max) override { events.push_back("range " + std::to_string(max)); }
    void thumbMoved(int position) override {
        events.push_back("thumb " + std::to_string(position));
    }
    void changed() override {
        events.push_back("changed " + std::to_string(slider->position()) + "/" +
                         std::to_string(slider->max()));
    }

    const PositionSlider* slider = nullptr;
    std::vector<std::string> events;
};

class Slider : public testing::Test {
protected:
    Slider() { recorder.slider = &slider; }

    void startAt(int max, int position) {
        slider.setMaximum(max);
        slider.setPosition(position);
        recorder.events.clear();
    }

    Recorder recorder;
    PositionSlider slider{recorder};
};

TEST_F(Slider, StartsAtZeroToZero) {
    EXPECT_EQ(slider.max(), 0);
    EXPECT_EQ(slider.position(), 0);
}

struct SetCase {
    const char* name;
    std::int64_t p;
    int position;
    std::vector<std::string> events;
};

class SetPosition : public Slider, public testing::WithParamInterface<SetCase> {};

TEST_P(SetPosition, ClampsAndNotifiesOnlyOnAChange) {
    startAt(10, 4);
    slider.setPosition(GetParam().p);
    EXPECT_EQ(slider.position(), GetParam().position);
    EXPECT_EQ(recorder.events, GetParam().events);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SetPosition,
    testing::Values(SetCase{"Inside", 7, 7, {"thumb 7", "changed 7/10"}},
                    SetCase{"BelowZero", -5, 0, {"thumb 0", "changed 0/10"}},
                    SetCase{"PastMax", 13, 10, {"thumb 10", "changed 10/10"}},
                    SetCase{"Unchanged", 4, 4, {}},
                    SetCase{"Huge", std::int64_t{1} << 40, 10, {"thumb 10", "changed 10/10"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Slider, NegativeMaximumChangesNothing) {
    startAt(10, 4);
    slider.setMaximum(-1);
    EXPECT_EQ(slider.max(), 10);
    EXPECT_EQ(slider.position(), 4);
    EXPECT_TRUE(recorder.events.empty());
}

TEST_F(Slider, MaximumBelowPositionClampsWithOneNotificationUnderTheNewMax) {
    startAt(10, 8);
    slider.setMaximum(3);
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"range 3", "thumb 3", "changed 3/3"}));
}

TEST_F(Slider, MaximumAbovePositionDoesNotNotify) {
    startAt(10, 8);
    slider.setMaximum(20);
    EXPECT_EQ(recorder.events, std::vector<std::string>{"range 20"});
}

TEST_F(Slider, UserMovementNotifiesEvenWithoutAChange) {
    startAt(10, 4);
    slider.userMoved(4);
    slider.userMoved(6);
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"changed 4/10", "changed 6/10"}));
}

} // namespace
