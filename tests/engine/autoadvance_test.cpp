#include "autoadvance.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PaceCase {
    int speed;
    const char* dot;
    const char* comma;
};

class Pace : public testing::TestWithParam<PaceCase> {};

TEST_P(Pace, LabelAndIntervals) {
    const PaceCase& c = GetParam();
    EXPECT_EQ(qirt::speedLabel(c.speed, "."), c.dot);
    EXPECT_EQ(qirt::speedLabel(c.speed, ","), c.comma);
    EXPECT_EQ(qirt::lineInterval(c.speed), static_cast<std::uint32_t>(c.speed) * 100);
    EXPECT_EQ(qirt::stepInterval(c.speed), static_cast<std::uint32_t>(c.speed) * 20);
}

INSTANTIATE_TEST_SUITE_P(
    AllSpeeds, Pace,
    testing::Values(PaceCase{1, "0.1秒", "0,1秒"}, PaceCase{2, "0.2秒", "0,2秒"},
                    PaceCase{3, "0.3秒", "0,3秒"}, PaceCase{4, "0.4秒", "0,4秒"},
                    PaceCase{5, "0.5秒", "0,5秒"}, PaceCase{6, "0.6秒", "0,6秒"},
                    PaceCase{7, "0.7秒", "0,7秒"}, PaceCase{8, "0.8秒", "0,8秒"},
                    PaceCase{9, "0.9秒", "0,9秒"}, PaceCase{10, "1秒", "1秒"},
                    PaceCase{11, "1.1秒", "1,1秒"}, PaceCase{12, "1.2秒", "1,2秒"},
                    PaceCase{13, "1.3秒", "1,3秒"}, PaceCase{14, "1.4秒", "1,4秒"},
                    PaceCase{15, "1.5秒", "1,5秒"}, PaceCase{16, "1.6秒", "1,6秒"},
                    PaceCase{17, "1.7秒", "1,7秒"}, PaceCase{18, "1.8秒", "1,8秒"},
                    PaceCase{19, "1.9秒", "1,9秒"}, PaceCase{20, "2秒", "2秒"}),
    [](const auto& info) { return "Speed" + std::to_string(info.param.speed); });

TEST(SpeedLabel, SeparatorMayBeMoreThanOneByte) {
    // The Arabic decimal separator, U+066B, is two bytes in UTF-8.
    EXPECT_EQ(qirt::speedLabel(15, "\u066b"), "1\u066b"
                                              "5秒");
}

} // namespace
