#include "text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using qirt::slice;
using qirt::trimmed;

struct TrimCase {
    const char* name;
    std::string in;
    std::string out;
};

class Trimmed : public testing::TestWithParam<TrimCase> {};

TEST_P(Trimmed, RemovesBlanksAndControlsAtBothEnds) {
    EXPECT_EQ(trimmed(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Trimmed,
    testing::Values(TrimCase{"Empty", "", ""}, TrimCase{"OnlyBlanks", " \t\r\x01 ", ""},
                    TrimCase{"BothEnds", "  a b\t ", "a b"},
                    TrimCase{"Controls",
                             "\x1f\x0b"
                             "x\x7f\x1a",
                             "x\x7f"},
                    TrimCase{"NulByteIsAControl", std::string("\0a\0", 3), "a"},
                    // The full-width space of Shift-JIS, 0x81 0x40, is not a blank.
                    TrimCase{"FullWidthSpaceStays",
                             "\x81\x40"
                             "a\x81\x40 ",
                             "\x81\x40"
                             "a\x81\x40"},
                    TrimCase{"HighBytesStay", "\xa0\xff", "\xa0\xff"}),
    [](const auto& info) { return std::string(info.param.name); });

struct SliceCase {
    const char* name;
    std::int64_t i;
    std::int64_t n;
    std::string out;
};

class Slice : public testing::TestWithParam<SliceCase> {};

TEST_P(Slice, OfAbcde) {
    EXPECT_EQ(slice("abcde", GetParam().i, GetParam().n), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Slice,
    testing::Values(SliceCase{"Whole", 1, 5, "abcde"}, SliceCase{"Middle", 2, 3, "bcd"},
                    SliceCase{"RunsOutAtTheEnd", 4, 10, "de"}, SliceCase{"LastByte", 5, 1, "e"},
                    SliceCase{"PastTheEnd", 6, 1, ""}, SliceCase{"ZeroCount", 2, 0, ""},
                    SliceCase{"NegativeCount", 2, -3, ""},
                    // Below 1 counts as 1, and n is not reduced for it.
                    SliceCase{"ZeroStart", 0, 2, "ab"}, SliceCase{"NegativeStart", -4, 3, "abc"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
