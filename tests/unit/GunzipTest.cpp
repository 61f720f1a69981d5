// Inflating compressed files: limits, memory and members that cross the
// blocks they are read in.

#include "io/Gunzip.h"
#include "io/StdioFile.h"
#include "tests/unit/TempDir.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// text as one gzip member.
std::vector<char> GzipMember(const std::string& text) {
    z_stream z{};
    EXPECT_EQ(deflateInit2(&z, 9, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY), Z_OK);
    std::vector<char> out(deflateBound(&z, text.size()) + 64);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    z.avail_in = static_cast<uInt>(text.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

std::string Text(std::size_t bytes) {
    std::string text;
    for (std::size_t i = 0; text.size() < bytes; ++i)
        text += "ATOM  " + std::to_string(i % 99999) + "  CA  ALA A   1\n";
    text.resize(bytes);
    return text;
}

// A source that gives data at most step bytes at a time and counts them.
struct Counting {
    const std::vector<char>& data;
    std::size_t step;
    std::size_t given = 0;
    GzipSource Source() {
        return [this](char* to, std::size_t room) {
            const std::size_t n = std::min({room, step, data.size() - given});
            std::memcpy(to, data.data() + given, n);
            given += n;
            return static_cast<std::ptrdiff_t>(n);
        };
    }
};

// Data that inflates beyond the limit is refused as soon as its text passes
// the limit: of 64 members of 1 MiB, with 4 MiB allowed, only the first few
// are read, and no more than the limit is ever held.
TEST(Gunzip, StopsAsSoonAsTheTextPassesTheLimit) {
    const std::vector<char> member = GzipMember(Text(1 << 20));
    std::vector<char> data;
    for (int i = 0; i < 64; ++i)
        data.insert(data.end(), member.begin(), member.end());
    Counting counting{data, 1 << 16};
    std::vector<char> out;
    std::string why;
    bool tooLarge = false;
    EXPECT_FALSE(Gunzip(counting.Source(), 0, out, 4 << 20, why, &tooLarge));
    EXPECT_TRUE(tooLarge);
    EXPECT_NE(why.find("more than 4194304 bytes"), std::string::npos) << why;
    EXPECT_LT(counting.given, 8 * member.size() + (1 << 16));
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(out.capacity(), 0u);

    // One member whose size field says more than the limit is inflated into
    // a window and refused without its text ever being held.
    const std::vector<char> large = GzipMember(Text(8 << 20));
    ASSERT_EQ(GzipSizeField(large.data() + large.size() - 4), std::size_t{8} << 20);
    EXPECT_FALSE(Gunzip(large, out, 4 << 20, why, &tooLarge));
    EXPECT_TRUE(tooLarge);
    EXPECT_EQ(out.capacity(), 0u);
    // Its first half, whose last bytes say anything: cut short, whatever
    // they say.
    const std::vector<char> half(large.begin(), large.begin() + large.size() / 2);
    EXPECT_FALSE(Gunzip(half, out, 64 << 20, why, &tooLarge));
    EXPECT_FALSE(tooLarge);
    EXPECT_NE(why.find("cut short"), std::string::npos) << why;

    // The same within a limit it fits: the whole text.
    Counting all{data, 1 << 16};
    ASSERT_TRUE(Gunzip(all.Source(), 0, out, 64 << 20, why, &tooLarge)) << why;
    EXPECT_EQ(out.size(), std::size_t{64} << 20);
    EXPECT_FALSE(tooLarge);
}

// The size a file's last bytes give is reserved at once, so the text is
// never copied while it grows; a size field that lies (data cut short, whose
// last bytes are anything) costs nothing but that reservation.
TEST(Gunzip, TheSizeFieldReservesTheTextOnce) {
    const std::string text = Text(3 << 20);
    const std::vector<char> member = GzipMember(text);
    EXPECT_EQ(GzipSizeField(member.data() + member.size() - 4), text.size());
    std::vector<char> out;
    std::string why;
    ASSERT_TRUE(Gunzip(member, out, 16 << 20, why)) << why;
    EXPECT_EQ(std::string(out.begin(), out.end()), text);
    EXPECT_EQ(out.capacity(), text.size() + 1);

    const std::vector<char> cut(member.begin(), member.begin() + member.size() / 2);
    EXPECT_FALSE(Gunzip(cut, out, 16 << 20, why));
    EXPECT_NE(why.find("cut short"), std::string::npos) << why;
}

// Bytes after the data whose last four make a size field beyond the limit:
// the data is read all the same, from memory and from a file (it was once
// refused as corrupt).
TEST(Gunzip, BytesAfterTheDataThatLookLikeAHugeSizeFieldAreNoFault) {
    const std::string text = Text(50000);
    std::vector<char> data = GzipMember(text);
    for (const char c : {'\xff', '\xff', '\xff', '\xff'})
        data.push_back(c);
    std::vector<char> out;
    std::string why;
    bool tooLarge = false;
    ASSERT_TRUE(Gunzip(data, out, 1 << 20, why, &tooLarge)) << why;
    EXPECT_EQ(std::string(out.begin(), out.end()), text);
    TempDir dir;
    StdioFile file;
    ASSERT_TRUE(file.Open(dir.Write("trailing.pdb.gz", std::string(data.begin(), data.end())),
                          StdioFile::modeRead, &why))
        << why;
    std::string read;
    file.AppendRest(read);
    EXPECT_EQ(read, text);
}

// Members are found after one another however the compressed bytes arrive,
// also when a member's two magic bytes lie in two blocks.
TEST(Gunzip, MembersAreFoundAcrossTheBlocksTheyComeIn) {
    const std::string first = Text(5000), second = "END\n";
    std::vector<char> data = GzipMember(first);
    const std::vector<char> next = GzipMember(second);
    data.insert(data.end(), next.begin(), next.end());
    for (const std::size_t step : {std::size_t{1}, std::size_t{7}, data.size() - next.size() + 1}) {
        SCOPED_TRACE(step);
        Counting counting{data, step};
        std::vector<char> out;
        std::string why;
        ASSERT_TRUE(Gunzip(counting.Source(), 0, out, 1 << 20, why)) << why;
        EXPECT_EQ(std::string(out.begin(), out.end()), first + second);
    }
}

} // namespace
