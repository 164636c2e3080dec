#include "failure.h"
#include "fakewindow.h"
#include "reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using qirt::Failure;
using qirt::Reader;
using Calls = std::vector<std::string>;

std::string messageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const Failure& e) {
        return e.message();
    }
    return "(no failure)";
}

// 200 bytes without blanks at the ends: the long line of the worked example.
std::string longLine() {
    std::string s;
    for (int i = 0; i < 200; ++i) {
        s.push_back(static_cast<char>('A' + i % 26));
    }
    return s;
}

// 100 Shift-JIS "あ", 0x82 0xA0 each.
std::string hiraganaLine() {
    std::string s;
    for (int i = 0; i < 100; ++i) {
        s += "\x82\xa0";
    }
    return s;
}

class ReaderTest : public testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (std::filesystem::temp_directory_path() / "qirt-reader-XXXXXX").string();
        ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string file(const std::vector<std::string>& lines) {
        std::string bytes;
        for (const auto& l : lines) {
            bytes += l + "\r\n";
        }
        return fileOfBytes(bytes);
    }
    std::string fileOfBytes(const std::string& bytes) {
        const std::string path = (dir_ / ("f" + std::to_string(files_++) + ".txt")).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    // Loads the lines and forgets the calls that loading made.
    void load(const std::vector<std::string>& lines) {
        reader.loadFile(file(lines));
        window.calls.clear();
    }
    // The title after each of n steps.
    std::vector<std::string> wheel(int delta, int n) {
        std::vector<std::string> titles;
        for (int i = 0; i < n; ++i) {
            EXPECT_TRUE(reader.wheelStep(delta));
            titles.push_back(window.title);
        }
        return titles;
    }
    std::vector<std::int64_t> tickOffsets(int n) {
        std::vector<std::int64_t> offsets;
        for (int i = 0; i < n; ++i) {
            reader.tickStep(window.speedValue);
            offsets.push_back(reader.charOffset());
        }
        return offsets;
    }

    FakeWindow window;
    Reader reader{window};
    std::filesystem::path dir_;
    int files_ = 0;
};

TEST_F(ReaderTest, TrackBarPChangeDoesNothingWhileMaxIsZero) {
    load({"only"});
    reader.trackBarPChange();
    EXPECT_TRUE(window.calls.empty());
}

TEST_F(ReaderTest, TrackBarPChangeShowsTheLineAsStoredAndItsNumber) {
    std::vector<std::string> lines(50, "x");
    lines[41] = "  \tforty-two \t";
    load(lines);
    reader.trackBarPMoved(41);
    EXPECT_EQ(window.calls, (Calls{"title   \tforty-two \t", "labelP 42行目"}));
}

TEST_F(ReaderTest, FirstLoadShowsLineZeroAndLeavesLabelPEmpty) {
    reader.loadFile(file({"one", "two", "three"}));
    EXPECT_EQ(window.calls, (Calls{"title one", "max 2"}));
    EXPECT_EQ(reader.position(), 0);
    EXPECT_EQ(reader.max(), 2);
}

TEST_F(ReaderTest, LoadingAShorterFileGoesToLineZeroFirst) {
    load(std::vector<std::string>(10, "old"));
    reader.setPosition(5);
    window.calls.clear();
    reader.loadFile(file({"a", "b", "c"}));
    EXPECT_EQ(window.calls, (Calls{"thumb 0", "title a", "labelP 1行目", "title a", "max 2"}));
}

TEST_F(ReaderTest, EmptyFileFailsAndKeepsEverything) {
    load({"kept", "too"});
    reader.trackBarPMoved(1);
    window.calls.clear();
    for (const std::string& bytes : {std::string(), std::string("\0abc", 4)}) {
        EXPECT_EQ(messageOf([&] { reader.loadFile(fileOfBytes(bytes)); }),
                  "リストのインデックスが範囲を超えています (0)");
    }
    EXPECT_TRUE(window.calls.empty());
    EXPECT_EQ(reader.lines().count(), 2);
    EXPECT_EQ(reader.position(), 1);
    EXPECT_EQ(reader.max(), 1);
    reader.trackBarPMoved(0); // the slider still works afterwards
    EXPECT_EQ(window.title, "kept");
}

TEST_F(ReaderTest, UnopenableFileChangesNothing) {
    load({"kept", "too"});
    const std::string missing = (dir_ / "missing.txt").string();
    EXPECT_EQ(messageOf([&] { reader.loadFile(missing); }),
              "ファイル " + missing + " は開けません");
    EXPECT_TRUE(window.calls.empty());
    EXPECT_EQ(reader.lines().lineAt(0), "kept");
}

TEST_F(ReaderTest, EmptyListIgnoresWheelAndTicks) {
    window.checked = true;
    EXPECT_FALSE(reader.wheelStep(-120));
    reader.timer1Timer();
    EXPECT_TRUE(window.calls.empty());
    EXPECT_EQ(reader.charOffset(), 0);
}

TEST_F(ReaderTest, WheelThroughTheWorkedExample) {
    const std::string line = longLine();
    load({line, "next"});
    std::vector<std::string> expected;
    for (int from = 12; from <= 84; from += 12) {
        expected.push_back(line.substr(static_cast<std::size_t>(from - 1)));
    }
    expected.push_back("next");
    EXPECT_EQ(wheel(-120, 8), expected);
    // The last view runs to the line's last byte: bytes 84 to 200.
    EXPECT_EQ(expected[6].size(), 117U);
}

TEST_F(ReaderTest, WheelBackFromTheViews) {
    const std::string line = longLine();
    load({"first", line});
    // From "first" one notch goes to the long line, shown whole with the offset at 0.
    const auto viewsOfTheLongLine = [&](int notches) {
        reader.setPosition(0);
        wheel(-120, 1 + notches);
    };
    viewsOfTheLongLine(7); // the view from 84 ends scrolling: a notch away goes to line 0
    EXPECT_EQ(wheel(120, 1), Calls{"first"});
    EXPECT_EQ(reader.charOffset(), 0);

    viewsOfTheLongLine(6); // the view from 72 scrolls back to 60
    EXPECT_EQ(wheel(120, 1), Calls{line.substr(59)});

    viewsOfTheLongLine(1); // back from 12 reaches 0: the line before
    EXPECT_EQ(wheel(120, 1), Calls{"first"});

    viewsOfTheLongLine(0); // shown whole: the line before too
    EXPECT_EQ(wheel(120, 1), Calls{"first"});
}

TEST_F(ReaderTest, TicksThroughTheWorkedExample) {
    window.checked = true;
    load({longLine(), "next"});
    std::vector<std::int64_t> expected;
    for (int k = 4; k <= 80; k += 4) {
        expected.push_back(k);
    }
    expected.push_back(0);
    window.calls.clear();
    EXPECT_EQ(tickOffsets(21), expected);
    EXPECT_EQ(reader.position(), 1);
    // Twenty views at the step interval, then the line interval after the move.
    std::vector<std::string> intervals;
    for (const auto& c : window.calls) {
        if (c.rfind("interval", 0) == 0) {
            intervals.push_back(c);
        }
    }
    std::vector<std::string> expectedIntervals(20, "interval 200");
    expectedIntervals.push_back("interval 1000");
    EXPECT_EQ(intervals, expectedIntervals);
}

TEST_F(ReaderTest, TickOutputsComeInOrder) {
    load({"a", "b", "c"});
    reader.tickStep(3);
    EXPECT_EQ(window.calls,
              (Calls{"thumb 1", "title b", "labelP 2行目", "interval 300", "title b"}));
}

TEST_F(ReaderTest, TickAfterTheLastLineWrapsToTheFirst) {
    load({"a", "b"});
    reader.setPosition(1);
    reader.tickStep(10);
    EXPECT_EQ(reader.position(), 0);
    EXPECT_EQ(window.title, "a");
}

TEST_F(ReaderTest, DoubleByteLineNeverStartsOrEndsInsideACharacter) {
    const std::string line = hiraganaLine();
    load({line});
    reader.wheelStep(-120);
    EXPECT_EQ(reader.charOffset(), 13); // byte 12 is the second byte of the sixth "あ"
    EXPECT_EQ(window.title, line.substr(12));
    reader.wheelStep(-120);
    EXPECT_EQ(reader.charOffset(), 25);
    EXPECT_EQ(window.title.substr(window.title.size() - 2), "\x82\xa0");
}

struct DeltaCase {
    const char* name;
    int delta;
    int startLine;       // current line before the step
    int wheelFirst;      // notches toward the user taken first on that line (long lines only)
    std::int64_t offset; // CharOffset after the step
    int line;            // current line after the step
};

class WheelDelta : public ReaderTest, public testing::WithParamInterface<DeltaCase> {};

// Lines 0 to 2 are short, 3 is the 200-byte line, 4 is short and last.
TEST_P(WheelDelta, MovesTheOffsetOrTheLine) {
    const DeltaCase& c = GetParam();
    load({"zero", "one", "two", longLine(), "four"});
    reader.setPosition(c.startLine);
    wheel(-120, c.wheelFirst);
    reader.wheelStep(c.delta);
    EXPECT_EQ(reader.charOffset(), c.offset);
    EXPECT_EQ(reader.position(), c.line);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WheelDelta,
    testing::Values(DeltaCase{"NotchTowardUser", -120, 0, 0, 0, 1},
                    DeltaCase{"NotchAwayOnLineZero", 120, 0, 0, 0, 0},
                    DeltaCase{"LastLineWrapsToZero", -120, 4, 0, 0, 0},
                    DeltaCase{"TwoNotchesFromSecondLastWrapToZero", -240, 3, 7, 0, 0},
                    DeltaCase{"TwoNotchesJumpTwoLines", -240, 0, 0, 0, 2},
                    DeltaCase{"TwoNotchesBackHeldAtZero", 240, 1, 0, 0, 0},
                    DeltaCase{"HalfNotchScrollsSixBytes", -60, 3, 1, 18, 3},
                    DeltaCase{"HalfNotchBackScrollsSixBytes", 60, 3, 2, 18, 3},
                    DeltaCase{"HalfNotchOnShortLineStays", -60, 1, 0, 0, 1},
                    DeltaCase{"HalfNotchAtLongLineEndShowsItWhole", -60, 3, 7, 0, 3},
                    DeltaCase{"TinyDeltaIsTheLineStart", -9, 3, 0, 0, 2},
                    DeltaCase{"TinyPositiveDeltaToo", 9, 3, 0, 0, 2},
                    DeltaCase{"HugeDeltaGoesToTheLastByte", -2000, 3, 0, 200, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReaderTest, HugeDeltaShowsTheLastByteOrNothingThenMovesOn) {
    load({longLine(), "after"});
    reader.wheelStep(-2000); // the view from byte 200 is the last byte
    EXPECT_EQ(window.title, "R");
    reader.wheelStep(120); // the scroll test fails at 200, so even this moves the line
    EXPECT_EQ(reader.position(), 0);
    EXPECT_EQ(window.title, longLine());

    reader.wheelStep(-2120); // past the end: an empty view
    EXPECT_EQ(reader.charOffset(), 212);
    EXPECT_EQ(window.title, "");
    reader.wheelStep(-120);
    EXPECT_EQ(reader.position(), 1);
}

struct CapacityCase {
    const char* name;
    std::string line;
    int width;
    bool scrolls;
};

class CaptionCapacity : public ReaderTest, public testing::WithParamInterface<CapacityCase> {};

TEST_P(CaptionCapacity, ScrollsOnlyWhenTheTrimmedLineIsLonger) {
    window.width = GetParam().width;
    load({GetParam().line, "next"});
    reader.wheelStep(-120);
    EXPECT_EQ(reader.position(), GetParam().scrolls ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CaptionCapacity,
    testing::Values(CapacityCase{"ExactlyFits", std::string(133, 'x'), 800, false},
                    CapacityCase{"OneByteOver", std::string(134, 'x'), 800, true},
                    CapacityCase{"TrailingBlanksDoNotCount",
                                 std::string(130, 'x') + std::string(10, ' '), 800, false},
                    CapacityCase{"FullWidthSpacesCount", "\x81\x40\x81\x40" + std::string(130, 'x'),
                                 800, true},
                    CapacityCase{"NarrowerWindow", std::string(100, 'x'), 599, true},
                    CapacityCase{"WiderWindow", std::string(134, 'x'), 810, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReaderTest, LineOneByteOverScrollsOnceByWheelAndThriceByTick) {
    const std::string line(134, 'x');
    load({line, "next"});
    reader.wheelStep(-120);
    EXPECT_EQ(reader.charOffset(), 12);
    reader.wheelStep(-120);
    EXPECT_EQ(reader.position(), 1);
    reader.setPosition(0);
    EXPECT_EQ(tickOffsets(4), (std::vector<std::int64_t>{4, 8, 12, 0}));
}

TEST_F(ReaderTest, LeadingBlanksAreSkippedByTheFirstView) {
    const std::string line = "    " + longLine();
    load({line});
    EXPECT_EQ(window.title, line); // shown whole and untrimmed
    reader.wheelStep(-120);
    EXPECT_EQ(window.title, longLine().substr(11));
}

TEST_F(ReaderTest, OneLongLineScrollsToItsEndAndStartsAgain) {
    load({longLine()});
    tickOffsets(20);
    window.calls.clear();
    reader.tickStep(10);
    EXPECT_EQ(reader.charOffset(), 0);
    EXPECT_EQ(window.calls, (Calls{"interval 1000", "title " + longLine()}));
}

TEST_F(ReaderTest, OffsetCarriesOverASliderMove) {
    const std::string other = "---" + longLine();
    load({longLine(), other});
    wheel(-120, 4);
    EXPECT_EQ(reader.charOffset(), 48);
    reader.trackBarPMoved(1);
    EXPECT_EQ(window.title, other);
    reader.wheelStep(-120);
    EXPECT_EQ(window.title, other.substr(59));
}

TEST_F(ReaderTest, OffsetCarriesOverALoad) {
    load({longLine()});
    wheel(-120, 2);
    reader.loadFile(file({longLine()}));
    EXPECT_EQ(reader.charOffset(), 24);
    reader.formShow();
    EXPECT_EQ(reader.charOffset(), 0);
}

TEST_F(ReaderTest, TimerGateLetsNothingThroughWhenOff) {
    load({"a", "b"});
    reader.timer1Timer();
    EXPECT_TRUE(window.calls.empty());
    window.checked = true;
    reader.timer1Timer();
    EXPECT_EQ(window.title, "b");
}

TEST_F(ReaderTest, SwitchingOnShowsTheControlsThenSetsIntervalAndLabel) {
    window.checked = true;
    reader.timerClick();
    EXPECT_EQ(window.calls, (Calls{"show speed", "interval 1000", "labelT 1秒"}));
    window.checked = false;
    window.calls.clear();
    reader.timerClick();
    EXPECT_EQ(window.calls, Calls{"hide speed"});
}

TEST_F(ReaderTest, SpeedChangeUsesTheDecimalSeparator) {
    reader.setDecimalSeparator(",");
    window.speedValue = 15;
    reader.trackBarTChange();
    EXPECT_EQ(window.calls, (Calls{"interval 1500", "labelT 1,5秒"}));
}

TEST_F(ReaderTest, TimerFailureStopsBeforeTheLabel) {
    window.timerAvailable = false;
    window.checked = true;
    EXPECT_EQ(messageOf([&] { reader.timerClick(); }), "タイマーを取得できません");
    EXPECT_EQ(window.calls, (Calls{"show speed", "interval 1000"}));
}

TEST_F(ReaderTest, TimerFailureInATickKeepsTheStepButNotItsTitle) {
    load({"a", "b"});
    window.timerAvailable = false;
    EXPECT_EQ(messageOf([&] { reader.tickStep(10); }), "タイマーを取得できません");
    EXPECT_EQ(reader.position(), 1);
    EXPECT_EQ(window.calls.back(), "interval 1000");
}

} // namespace
