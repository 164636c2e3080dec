#include "charboundary.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using qirt::CharBoundary;

struct TrailCase {
    const char* name;
    std::string line;
    std::int64_t i;
    bool trail;
};

class ShiftJisTrail : public testing::TestWithParam<TrailCase> {};

TEST_P(ShiftJisTrail, CountsLeadBytesBefore) {
    EXPECT_EQ(CharBoundary::shiftJis().isTrail(GetParam().line, GetParam().i), GetParam().trail);
}

// "あ" is 0x82 0xA0; "院" is 0x89 0x40; "姐" is 0x88 0x9F, both of its bytes lead bytes.
INSTANTIATE_TEST_SUITE_P(
    Table, ShiftJisTrail,
    testing::Values(TrailCase{"FirstByteNever", "\x82\xa0", 1, false},
                    TrailCase{"SecondOfA", "\x82\xa0", 2, true},
                    TrailCase{"AfterAsciiLead", "a\x82\xa0", 2, false},
                    TrailCase{"AsciiTrail", "\x89\x40", 2, true},
                    TrailCase{"LeadAfterCharacter", "\x82\xa0\x82\xa0", 3, false},
                    // A trail byte that is itself in the lead set is still told apart.
                    TrailCase{"LeadSetTrailIsTrail", "\x88\x9f", 2, true},
                    TrailCase{"AfterLeadSetTrail", "\x88\x9f\x88\x9f", 3, false},
                    TrailCase{"RunPairsFromFront", "\x88\x9f\x88\x9f", 4, true},
                    TrailCase{"HalfWidthKanaIsSingle", "\xb1\xb2", 2, false},
                    TrailCase{"BelowOne", "\x82\xa0", 0, false},
                    TrailCase{"PastEnd", "\x82\xa0", 3, false},
                    TrailCase{"NulIsNoTrail", std::string("\x82\0", 2), 2, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CharBoundary, SingleByteHasNoTrailBytes) {
    const CharBoundary none = CharBoundary::singleByte();
    EXPECT_FALSE(none.doubleByteHandling());
    EXPECT_FALSE(none.isTrail("\x82\xa0", 2));
}

TEST(CharBoundary, LeadSetIsTheUnionOfRanges) {
    const CharBoundary sjis = CharBoundary::shiftJis();
    EXPECT_TRUE(sjis.doubleByteHandling());
    for (int b = 0; b < 256; ++b) {
        const bool lead = (b >= 0x81 && b <= 0x9f) || (b >= 0xe0 && b <= 0xfc);
        EXPECT_EQ(sjis.isLeadByte(static_cast<std::uint8_t>(b)), lead) << b;
    }
}

TEST(CharBoundary, AlignMovesOffTrailBytesOnly) {
    const CharBoundary sjis = CharBoundary::shiftJis();
    const std::string line = "a\x82\xa0z";
    EXPECT_EQ(sjis.align(line, 2), 2);
    EXPECT_EQ(sjis.align(line, 3), 4);
    EXPECT_EQ(sjis.align(line, 0), 0);
}

} // namespace
