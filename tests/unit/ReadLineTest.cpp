// The line reader every structure reader uses: line ends of every kind, long
// lines split at the buffer size, and byte positions that can be sought back to.

#include "model/ReadLine.h"
#include "io/StdioFile.h"
#include "tests/unit/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Line {
    std::string text;
    std::int64_t startsAt; // byte offset of the line's first character
};

// Reads the whole file with ReadLine(size) and records each line with the
// position before the call.
std::vector<Line> ReadAll(const std::string& path, int size) {
    StdioFile file;
    EXPECT_TRUE(file.Open(path, StdioFile::modeRead));
    std::vector<Line> lines;
    std::vector<char> buffer(static_cast<std::size_t>(size));
    for (;;) {
        const std::int64_t position = file.GetPosition();
        if (ReadLine(buffer.data(), size, &file) == nullptr)
            break;
        lines.push_back({buffer.data(), position});
    }
    return lines;
}

struct LineEndCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
};

void PrintTo(const LineEndCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadLineEnds : public testing::TestWithParam<LineEndCase> {};

TEST_P(ReadLineEnds, SplitsLinesAsExpected) {
    TempDir dir;
    const auto& param = GetParam();
    std::vector<std::string> texts;
    for (const Line& line : ReadAll(dir.Write("in.txt", param.bytes), 256))
        texts.push_back(line.text);
    EXPECT_EQ(texts, param.lines);
}

INSTANTIATE_TEST_SUITE_P(LineEnds, ReadLineEnds,
                         testing::Values(LineEndCase{"Lf", "a\nbc\n", {"a", "bc"}},
                                         LineEndCase{"Cr", "a\rbc\r", {"a", "bc"}},
                                         LineEndCase{"CrLf", "a\r\nbc\r\n", {"a", "bc"}},
                                         LineEndCase{"LfCr", "a\n\rbc\n\r", {"a", "bc"}},
                                         LineEndCase{"CrLfBlankLine", "a\r\n\r\nb", {"a", "", "b"}},
                                         LineEndCase{"DoubledLf", "a\n\nb", {"a", "", "b"}},
                                         LineEndCase{"DoubledCr", "a\r\rb", {"a", "", "b"}},
                                         LineEndCase{"CrCrLf", "a\r\r\nb", {"a", "", "b"}},
                                         LineEndCase{"LfCrLf", "a\n\r\nb", {"a", "", "b"}},
                                         LineEndCase{"NoFinalLineEnd", "a\nlast", {"a", "last"}},
                                         LineEndCase{"OnlyLineEnds", "\n\n", {"", ""}},
                                         LineEndCase{"Empty", "", {}},
                                         LineEndCase{"NulIsText", std::string("a\0b\n", 4), {"a"}}),
                         [](const testing::TestParamInfo<LineEndCase>& p) { return p.param.name; });

TEST(ReadLine, PositionsPointAtLineStartsAndCanBeSoughtBackTo) {
    TempDir dir;
    const std::string path = dir.Write("in.txt", "first\r\nsecond\n\rthird\rfourth");
    const std::vector<Line> lines = ReadAll(path, 256);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].startsAt, 0);
    EXPECT_EQ(lines[1].startsAt, 7);
    EXPECT_EQ(lines[2].startsAt, 15);
    EXPECT_EQ(lines[3].startsAt, 21);

    StdioFile file;
    ASSERT_TRUE(file.Open(path, StdioFile::modeRead));
    char buffer[256];
    for (int pass = 0; pass < 2; ++pass) {
        for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
            ASSERT_TRUE(file.Seek(it->startsAt));
            ASSERT_NE(ReadLine(buffer, sizeof buffer, &file), nullptr);
            EXPECT_EQ(buffer, it->text);
        }
    }
}

// A line longer than size - 1 comes in pieces of size - 1 characters; the
// line end then gives one more, empty, piece when the text filled the last.
TEST(ReadLine, LongLinesAreSplitAtTheBufferSize) {
    TempDir dir;
    const std::string line300(300, 'x');
    const std::string line255(255, 'y');
    const std::string path = dir.Write("in.txt", line300 + "\n" + line255 + "\nz\n");
    const std::vector<Line> lines = ReadAll(path, 256);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].text, std::string(255, 'x'));
    EXPECT_EQ(lines[1].text, std::string(45, 'x'));
    EXPECT_EQ(lines[1].startsAt, 255);
    EXPECT_EQ(lines[2].text, line255);
    EXPECT_EQ(lines[2].startsAt, 301);
    EXPECT_EQ(lines[3].text, "");
    EXPECT_EQ(lines[3].startsAt, 556);
    EXPECT_EQ(lines[4].text, "z");

    // The 80-byte buffer of the PDB reading pass: pieces of 79.
    const std::string pdbLine = "ATOM" + std::string(96, ' ');
    const std::vector<Line> pieces = ReadAll(dir.Write("pdb.txt", pdbLine + "\r\nEND\r\n"), 80);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].text.size(), 79u);
    EXPECT_EQ(pieces[1].text.size(), 21u);
    EXPECT_EQ(pieces[1].startsAt, 79);
    EXPECT_EQ(pieces[2].text, "END");
}

// Lines that straddle the file object's internal read buffer, and seeks far
// back, behave as in a small file.
TEST(ReadLine, LargeFileAcrossBufferBoundaries) {
    TempDir dir;
    std::string bytes;
    std::vector<std::int64_t> starts;
    for (int i = 0; i < 20000; ++i) {
        starts.push_back(static_cast<std::int64_t>(bytes.size()));
        bytes += "line " + std::to_string(i) + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
    }
    const std::string path = dir.Write("big.txt", bytes);
    const std::vector<Line> lines = ReadAll(path, 256);
    ASSERT_EQ(lines.size(), 20000u);
    for (int i = 0; i < 20000; i += 997) {
        EXPECT_EQ(lines[static_cast<std::size_t>(i)].text, "line " + std::to_string(i));
        EXPECT_EQ(lines[static_cast<std::size_t>(i)].startsAt, starts[static_cast<std::size_t>(i)]);
    }
    StdioFile file;
    ASSERT_TRUE(file.Open(path, StdioFile::modeRead));
    char buffer[256];
    for (int i : {19999, 0, 12345, 5, 17000}) {
        ASSERT_TRUE(file.Seek(starts[static_cast<std::size_t>(i)]));
        ASSERT_NE(ReadLine(buffer, sizeof buffer, &file), nullptr);
        EXPECT_EQ(std::string(buffer), "line " + std::to_string(i));
        EXPECT_EQ(file.GetPosition(), i + 1 < 20000 ? starts[static_cast<std::size_t>(i) + 1]
                                                    : static_cast<std::int64_t>(bytes.size()));
    }
}

// A two-byte line end split between two blocks of the file object's 64 KiB
// read buffer is still one line end.
TEST(ReadLine, LineEndSplitAcrossReadBlocks) {
    TempDir dir;
    std::string prefix;
    for (int i = 0; i < 21844; ++i)
        prefix += "ab\n";
    prefix += "xyz"; // the line end starts at byte 65535
    for (const char* end : {"\r\n", "\n\r"}) {
        const std::vector<Line> lines = ReadAll(dir.Write("split.txt", prefix + end + "tail"), 256);
        ASSERT_EQ(lines.size(), 21846u) << "line end " << (end[0] == '\r' ? "CR LF" : "LF CR");
        EXPECT_EQ(lines[21844].text, "xyz");
        EXPECT_EQ(lines[21845].text, "tail");
        EXPECT_EQ(lines[21845].startsAt, 65537);
    }
}

} // namespace
