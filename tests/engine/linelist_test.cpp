#include "failure.h"
#include "linelist.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#include <vector>

namespace {

using qirt::Failure;
using qirt::LineList;
using Lines = std::vector<std::string>;

Lines all(const LineList& list) {
    Lines out;
    for (std::int64_t i = 0; i < list.count(); ++i) {
        out.emplace_back(list.lineAt(i));
    }
    return out;
}

struct SplitCase {
    const char* name;
    std::string bytes;
    Lines lines;
};

class Split : public testing::TestWithParam<SplitCase> {};

TEST_P(Split, BytesToLines) {
    EXPECT_EQ(all(LineList::fromBytes(GetParam().bytes)), GetParam().lines);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Table, Split,
    testing::Values(SplitCase{"Empty", "", {}}, SplitCase{"OneLineNoEnd", "a", {"a"}},
                    SplitCase{"CrLf", "a\r\n", {"a"}},
                    SplitCase{"CrLfTwice", "a\r\n\r\n", {"a", ""}},
                    SplitCase{"OnlyCrLf", "\r\n", {""}}, SplitCase{"Lf", "a\nb\n", {"a", "b"}},
                    SplitCase{"LoneCr", "a\rb", {"a", "b"}},
                    SplitCase{"LfCrIsTwoEnds", "a\n\rb", {"a", "", "b"}},
                    SplitCase{"CrCrLf", "a\r\r\nb", {"a", "", "b"}},
                    SplitCase{"NulEndsText", "a\0b\r\nc"s, {"a"}},
                    SplitCase{"NulAfterLineEnd", "a\r\n\0b"s, {"a"}},
                    SplitCase{"NulFirst", "\0abc"s, {}},
                    SplitCase{"BomKept",
                              "\xef\xbb\xbf"
                              "a\r\n",
                              {"\xef\xbb\xbf"
                               "a"}},
                    SplitCase{"Utf16StopsAtNul",
                              "\xff\xfe"
                              "a\0b\0"s,
                              {"\xff\xfe"
                               "a"}},
                    SplitCase{"ControlsStay",
                              "\t\f\x1a"
                              "x \r\n",
                              {"\t\f\x1a"
                               "x "}},
                    SplitCase{"EmptyLinesKept", "\n\n\n", {"", "", ""}},
                    // Longer than one vector block, with ends in every lane.
                    SplitCase{"AcrossBlocks",
                              std::string(40, 'x') + "\r\n" + std::string(33, 'y') + "\n\r" + "z",
                              {std::string(40, 'x'), std::string(33, 'y'), "", "z"}}),
    [](const auto& info) { return std::string(info.param.name); });

class TempDir : public testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (std::filesystem::temp_directory_path() / "qirt-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string write(const std::string& name, const std::string& bytes) {
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::filesystem::path dir_;
};

std::string messageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const Failure& e) {
        return e.message();
    }
    return "(no failure)";
}

using LoadFile = TempDir;

TEST_F(LoadFile, ReadsTheFileWhole) {
    LineList list;
    list.load(write("a.txt", "one\r\ntwo\r\n"));
    EXPECT_EQ(all(list), (Lines{"one", "two"}));
}

TEST_F(LoadFile, MissingFileFailsAndKeepsTheFormerLines) {
    LineList list;
    list.load(write("a.txt", "kept\n"));
    const std::string missing = (dir_ / "gone.txt").string();
    EXPECT_EQ(messageOf([&] { list.load(missing); }), "ファイル " + missing + " は開けません");
    EXPECT_EQ(all(list), Lines{"kept"});
}

TEST_F(LoadFile, PathIsDataNotAFormat) {
    const std::string path = (dir_ / "%s %d %n").string();
    EXPECT_EQ(messageOf([&] { LineList::read(path); }), "ファイル " + path + " は開けません");
}

TEST_F(LoadFile, NonUtf8PathBytesAreKept) {
    const std::string path = write("\x82\xa0\xff.txt", "x\n");
    EXPECT_EQ(all(LineList::read(path)), Lines{"x"});
    const std::string missing = (dir_ / "\xff\xfe").string();
    EXPECT_EQ(messageOf([&] { LineList::read(missing); }), "ファイル " + missing + " は開けません");
}

struct NotRegularCase {
    const char* name;
    std::function<std::string(const std::filesystem::path&)> make;
};

class NotARegularFile : public TempDir, public testing::WithParamInterface<NotRegularCase> {};

// None of these may block or read forever; each fails as a file that cannot be opened.
TEST_P(NotARegularFile, FailsAtOnce) {
    const std::string path = GetParam().make(dir_);
    EXPECT_EQ(messageOf([&] { LineList::read(path); }), "ファイル " + path + " は開けません");
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, NotARegularFile,
    testing::Values(
        NotRegularCase{"FifoWithoutWriter",
                       [](const std::filesystem::path& d) {
                           const std::string p = (d / "fifo").string();
                           mkfifo(p.c_str(), 0600);
                           return p;
                       }},
        NotRegularCase{"EndlessDevice",
                       [](const std::filesystem::path&) { return std::string("/dev/zero"); }},
        NotRegularCase{"Directory", [](const std::filesystem::path& d) { return d.string(); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoadFile, FollowsSymbolicLinks) {
    const std::string target = write("target.txt", "linked\n");
    const std::string link = (dir_ / "link.txt").string();
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    EXPECT_EQ(all(LineList::read(link)), Lines{"linked"});
}

TEST_F(LoadFile, LineEndsAndNulAcrossReadChunks) {
    // The file is read 8 MiB at a time: a CR LF pair is split by a chunk edge, and the NUL
    // that ends the text lies in a later chunk.
    const std::size_t chunk = std::size_t{8} << 20;
    std::string bytes(chunk - 1, 'a');
    bytes += "\r\nb\n";
    bytes += std::string(chunk, 'c');
    bytes += std::string("\0tail\n", 6);
    const LineList list = LineList::read(write("big.txt", bytes));
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.lineAt(0).size(), chunk - 1);
    EXPECT_EQ(list.lineAt(1), "b");
    EXPECT_EQ(list.lineAt(2).size(), chunk);
}

TEST_F(LoadFile, MoreLinesThanThePositionCanIndexFail) {
    // The limit is a parameter so that it can be reached without gigabytes of file.
    const std::string fits = write("fits.txt", "a\nb\nc\n");
    EXPECT_EQ(LineList::read(fits, 3).count(), 3);
    const std::string over = write("over.txt", "a\nb\nc\nd");
    EXPECT_EQ(messageOf([&] { LineList::read(over, 3); }), "ファイル " + over + " は開けません");
}

TEST_F(LoadFile, StopsWhereAFileEndsBeforeItsSize) {
    // sysfs reports 4096 bytes for this file and delivers a few: the read stops at the end.
    const std::string path = "/sys/devices/system/cpu/online";
    if (access(path.c_str(), R_OK) != 0) {
        GTEST_SKIP() << "no " << path;
    }
    const LineList list = LineList::read(path);
    ASSERT_EQ(list.count(), 1);
    EXPECT_NE(list.lineAt(0).find_first_of("0123456789"), std::string_view::npos);
    EXPECT_EQ(list.lineAt(0).find('\0'), std::string_view::npos);
}

TEST(LineAt, OutsideTheListFailsWithTheIndex) {
    const LineList list = LineList::fromBytes("a\nb\n");
    EXPECT_EQ(messageOf([&] { list.lineAt(-1); }), "リストのインデックスが範囲を超えています (-1)");
    EXPECT_EQ(messageOf([&] { list.lineAt(2); }), "リストのインデックスが範囲を超えています (2)");
    EXPECT_EQ(messageOf([] { LineList().lineAt(0); }),
              "リストのインデックスが範囲を超えています (0)");
}

} // namespace
