#include "encoding.h"
#include "linelist.h"
#include "text.h"
#include "textdecoder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <iconv.h>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

using qirt::CharBoundary;
using qirt::Encoding;

std::string fixture(const std::string& name) {
    std::ifstream in(std::string(QIRT_TEST_DATA) + "/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The UTF-8 text in another encoding, converted by iconv as a user's tool would.
std::string convert(const std::string& utf8, const char* to) {
    iconv_t cd = iconv_open(to, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) { // NOLINT
        throw std::runtime_error(std::string("no converter to ") + to);
    }
    std::string out(utf8.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* o = out.data();
    std::size_t outLeft = out.size();
    const std::size_t r = iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv_close(cd);
    if (r == static_cast<std::size_t>(-1)) {
        throw std::runtime_error(std::string("cannot convert to ") + to);
    }
    out.resize(out.size() - outLeft);
    return out;
}

std::string withCrLf(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

struct CorpusCase {
    const char* name;
    std::string bytes;
    std::string text; // what it must decode to, in UTF-8
    const char* encoding;
};

class Corpus : public testing::TestWithParam<CorpusCase> {};

// Each file is found to be what it is, and decodes to the text it was made from.
TEST_P(Corpus, DetectedAndDecoded) {
    const CorpusCase& c = GetParam();
    const Encoding found = qirt::detectEncoding(c.bytes);
    EXPECT_EQ(found.name, c.encoding);
    qirt::TextDecoder decoder(found);
    EXPECT_EQ(decoder.toUtf8(c.bytes), c.text);
}

std::vector<CorpusCase> corpus() {
    const std::string text = fixture("japanese.txt");
    const std::string line = text.substr(0, text.find('\n'));
    const std::string onlyInCp932 = "丸数字の①と、ローマ数字のⅢ、それに㈱と髙島屋の髙。";
    const std::string ascii = "Plain ASCII text, line one.\nAnd line two.\n";
    return {
        {"Cp932CrLf", convert(withCrLf(text), "CP932"), withCrLf(text), "CP932"},
        {"EucJp", convert(text, "EUC-JP"), text, "EUC-JP"},
        {"Utf8", text, text, "UTF-8"},
        {"Utf8WithBom", "\xEF\xBB\xBF" + text, "\xEF\xBB\xBF" + text, "UTF-8"},
        {"Cp932OneLine", convert(line, "CP932"), line, "CP932"},
        {"EucJpOneLine", convert(line, "EUC-JP"), line, "EUC-JP"},
        {"Utf8OneLine", line, line, "UTF-8"},
        {"AsciiOnly", ascii, ascii, "UTF-8"},
        {"Cp932OnlyCharacters", convert(onlyInCp932, "CP932"), onlyInCp932, "CP932"},
        {"Cp932OnlyCharactersAlone", convert("①Ⅲ㈱髙", "CP932"), "①Ⅲ㈱髙", "CP932"},
        {"Gb18030", convert("我们都是中国人，这是一段简体中文文本。", "GB18030"),
         "我们都是中国人，这是一段简体中文文本。", "GB18030"},
        {"Big5", convert("我們都是台灣人，這是一段繁體中文文本。", "BIG5"),
         "我們都是台灣人，這是一段繁體中文文本。", "CP950"},
        {"KoreanUhc", convert("대한민국은 민주공화국이다. 이것은 한국어 문장입니다.", "CP949"),
         "대한민국은 민주공화국이다. 이것은 한국어 문장입니다.", "CP949"},
    };
}

INSTANTIATE_TEST_SUITE_P(Files, Corpus, testing::ValuesIn(corpus()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DetectEncoding, LooksAtABoundedPrefixOnly) {
    // Valid UTF-8 for the whole sample, whatever follows it.
    const std::string text = std::string(qirt::kEncodingSample, 'a') + "\x82\xa0";
    EXPECT_EQ(qirt::detectEncoding(text).name, "UTF-8");
}

TEST(DetectEncoding, AFileKeepsItsEncoding) {
    const qirt::LineList list = qirt::LineList::fromBytes(convert("一行目\n二行目\n", "EUC-JP"));
    EXPECT_EQ(list.encoding().name, "EUC-JP");
    EXPECT_EQ(list.encoding().boundary.family(), CharBoundary::Family::EucJp);
}

struct Utf8Case {
    const char* name;
    std::string bytes;
    bool valid;
};

class Utf8Validity : public testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Validity, Table) {
    EXPECT_EQ(qirt::isUtf8(GetParam().bytes), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(Table, Utf8Validity,
                         testing::Values(Utf8Case{"Ascii", "abc", true},
                                         Utf8Case{"ThreeBytes", "\xe3\x81\x82", true},
                                         Utf8Case{"CutAtTheEnd", "a\xe3\x81", true},
                                         Utf8Case{"LoneContinuation", "\x80", false},
                                         Utf8Case{"Overlong", "\xc0\xaf", false},
                                         Utf8Case{"Surrogate", "\xed\xa0\x80", false},
                                         Utf8Case{"AboveUnicode", "\xf4\x90\x80\x80", false},
                                         Utf8Case{"ShiftJis", "\x82\xa0\x82\xa2", false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::string text;
};

class DecodeCp932 : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeCp932, WindowsMapping) {
    qirt::TextDecoder decoder(Encoding::cp932());
    EXPECT_EQ(decoder.toUtf8(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DecodeCp932,
    testing::Values(DecodeCase{"Backslash", "\x5c", "\\"}, DecodeCase{"Tilde", "\x7e", "~"},
                    DecodeCase{"WaveDash", "\x81\x60", "\uff5e"},
                    DecodeCase{"CircledOne", "\x87\x40", "\u2460"},
                    DecodeCase{"HalfWidthKana", "\xb1", "\uff71"},
                    // Never U+001A and never nothing: a byte that is no character shows as U+FFFD.
                    DecodeCase{"InvalidByte", "a\xa0z", "a\ufffdz"},
                    DecodeCase{"InvalidFF", "\xff", "\ufffd"},
                    // An unassigned pair is one character that cannot be shown, not two.
                    DecodeCase{"UnassignedPair", "\x85\x40!", "\ufffd!"},
                    DecodeCase{"CutAtTheStripsEnd", "\x82\xa0\x82", "\u3042"},
                    DecodeCase{"ControlByteStays", "\x1a", "\x1a"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Decode, EachEncodingMarksBadBytesAndHoldsBackACutCharacter) {
    qirt::TextDecoder utf8(Encoding::utf8());
    EXPECT_EQ(utf8.toUtf8("a\xff"
                          "b\xe3\x81"),
              "a\ufffd"
              "b");
    qirt::TextDecoder euc(Encoding::fromDetectorName("EUC-JP"));
    EXPECT_EQ(euc.toUtf8("\xa4\xa2\x8e\xb1\xff\xa4"), "\u3042\uff71\ufffd");
}

struct AlignCase {
    const char* name;
    CharBoundary boundary;
    std::string line;
    std::int64_t offset;
    std::int64_t aligned;
};

class Align : public testing::TestWithParam<AlignCase> {};

TEST_P(Align, MovesOnToTheNextCharacter) {
    const AlignCase& c = GetParam();
    EXPECT_EQ(c.boundary.align(c.line, c.offset), c.aligned);
}

// "あい" is e3 81 82 e3 81 84 in UTF-8 and a4 a2 a4 a4 in EUC-JP; "你好" is c4 e3 ba c3 in
// GB18030, and 81 30 87 30 is one of its four-byte characters.
INSTANTIATE_TEST_SUITE_P(
    Table, Align,
    testing::Values(
        AlignCase{"Utf8OnLead", CharBoundary::utf8(), "a\xe3\x81\x82\xe3\x81\x84", 2, 2},
        AlignCase{"Utf8SecondByte", CharBoundary::utf8(), "a\xe3\x81\x82\xe3\x81\x84", 3, 5},
        AlignCase{"Utf8ThirdByte", CharBoundary::utf8(), "a\xe3\x81\x82\xe3\x81\x84", 4, 5},
        AlignCase{"Utf8LastCharacterSecondByte", CharBoundary::utf8(), "a\xe3\x81\x82\xe3\x81\x84",
                  6, 8},
        AlignCase{"EucJpSecondByte", CharBoundary::eucJp(), "a\xa4\xa2\xa4\xa4", 3, 4},
        AlignCase{"EucJpLead", CharBoundary::eucJp(), "a\xa4\xa2\xa4\xa4", 4, 4},
        AlignCase{"EucJpKanaSecondByte", CharBoundary::eucJp(), "\x8e\xb1\xa4\xa2", 2, 3},
        AlignCase{"EucJpThreeByteSecond", CharBoundary::eucJp(), "\x8f\xb0\xa1z", 2, 4},
        AlignCase{"EucJpThreeByteThird", CharBoundary::eucJp(), "\x8f\xb0\xa1z", 3, 4},
        AlignCase{"EucJpAfterAscii", CharBoundary::eucJp(), "\xa4\xa2x\xa4\xa2", 5, 6},
        AlignCase{"Gb18030TwoByteSecond", CharBoundary::gb18030(), "\xc4\xe3\xba\xc3", 2, 3},
        AlignCase{"Gb18030FourByteSecond", CharBoundary::gb18030(), "a\x81\x30\x87\x30z", 3, 6},
        AlignCase{"Gb18030FourByteThird", CharBoundary::gb18030(), "a\x81\x30\x87\x30z", 4, 6},
        AlignCase{"Gb18030FourByteLast", CharBoundary::gb18030(), "a\x81\x30\x87\x30z", 5, 6},
        AlignCase{"ShiftJisSecondByte", CharBoundary::shiftJis(), "a\x82\xa0\x82\xa2", 3, 4},
        AlignCase{"SingleByteStays", CharBoundary::singleByte(), "\xe9\xe9", 2, 2}),
    [](const auto& info) { return std::string(info.param.name); });

struct JoinCase {
    const char* name;
    const char* encoding;
};

class ViewsJoined : public testing::TestWithParam<JoinCase> {};

// Views cut at every aligned step of 1 to 13 bytes decode, joined end to end, to the whole
// trimmed line: no piece begins or ends inside a character.
TEST_P(ViewsJoined, GiveBackTheLine) {
    const std::string utf8 = fixture("japanese.txt");
    const std::string paragraph =
        utf8.substr(utf8.find("\n　") + 1, utf8.rfind('\n') - utf8.find("\n　") - 1);
    const Encoding encoding = Encoding::fromDetectorName(GetParam().encoding);
    const std::string bytes = std::string(GetParam().encoding) == "UTF-8"
                                  ? paragraph
                                  : convert(paragraph, GetParam().encoding);
    const std::string_view line = qirt::trimmed(bytes);
    qirt::TextDecoder decoder(encoding);
    const std::string whole = decoder.toUtf8(line);
    for (int step = 1; step <= 13; ++step) {
        std::string joined;
        std::int64_t from = 1;
        const auto len = static_cast<std::int64_t>(line.size());
        while (from <= len) {
            const std::int64_t to = std::min(encoding.boundary.align(line, from + step), len + 1);
            const std::string piece = decoder.toUtf8(qirt::slice(line, from, to - from));
            EXPECT_EQ(piece.find("\ufffd"), std::string::npos) << "step " << step << " at " << from;
            joined += piece;
            from = to;
        }
        EXPECT_EQ(joined, whole) << "step " << step;
    }
}

INSTANTIATE_TEST_SUITE_P(Encodings, ViewsJoined,
                         testing::Values(JoinCase{"Cp932", "CP932"}, JoinCase{"EucJp", "EUC-JP"},
                                         JoinCase{"Utf8", "UTF-8"}, JoinCase{"Gb18030", "GB18030"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
