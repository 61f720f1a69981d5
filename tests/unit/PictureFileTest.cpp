#include "picture/BmpFile.h"
#include "picture/Palette.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

std::uint32_t Read32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

std::uint16_t Read16(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[at]) |
                                      static_cast<std::uint8_t>(bytes[at + 1]) << 8);
}

} // namespace

TEST(BmpFile, TwentyFourBitRowsArePaddedToFourBytes) {
    // 101 × 2 pixels: 303 bytes of pixels and one padding byte a row.
    std::vector<std::uint8_t> pixels(101 * 3 * 2);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<std::uint8_t>(i % 251 + 1);
    const std::string file = BmpFile::Encode24(101, 2, pixels);
    EXPECT_EQ(BmpFile::RowSize24(101), 304);
    ASSERT_EQ(file.size(), 54u + 304u * 2u);
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(Read32(file, 2), 54u + 608u); // bfSize
    EXPECT_EQ(Read32(file, 6), 0u);         // both reserved words
    EXPECT_EQ(Read32(file, 10), 54u);       // bfOffBits
    EXPECT_EQ(Read32(file, 14), 40u);       // biSize
    EXPECT_EQ(Read32(file, 18), 101u);
    EXPECT_EQ(Read32(file, 22), 2u); // positive: bottom-up
    EXPECT_EQ(Read16(file, 26), 1u);
    EXPECT_EQ(Read16(file, 28), 24u);
    EXPECT_EQ(Read32(file, 30), 0u);   // uncompressed
    EXPECT_EQ(Read32(file, 34), 608u); // biSizeImage
    EXPECT_EQ(Read32(file, 38), 2925u);
    EXPECT_EQ(Read32(file, 42), 2925u);
    EXPECT_EQ(Read32(file, 46), 0u);
    EXPECT_EQ(Read32(file, 50), 0u);
    // The rows as given, each followed by one zero byte.
    EXPECT_EQ(file.substr(54, 303), std::string(pixels.begin(), pixels.begin() + 303));
    EXPECT_EQ(file[54 + 303], '\0');
    EXPECT_EQ(file.substr(54 + 304, 303), std::string(pixels.begin() + 303, pixels.end()));
    EXPECT_EQ(file[54 + 304 + 303], '\0');
    // Widths that need no padding get none.
    EXPECT_EQ(BmpFile::RowSize24(4), 12);
    EXPECT_EQ(BmpFile::RowSize24(1), 4);
}

TEST(BmpFile, ThirtyTwoBitRowsAreUnpadded) {
    const std::vector<std::uint8_t> pixels{10, 20, 30, 255, 40, 50, 60, 255, 1, 2, 3, 255};
    const std::string file = BmpFile::Encode32(3, 1, pixels);
    ASSERT_EQ(file.size(), 54u + 12u);
    EXPECT_EQ(Read16(file, 28), 32u);
    EXPECT_EQ(Read32(file, 34), 12u);
    EXPECT_EQ(Read32(file, 2), 66u);
    EXPECT_EQ(file.substr(54), std::string(pixels.begin(), pixels.end()));
    EXPECT_EQ(static_cast<std::uint8_t>(file[54 + 3]), 255); // alpha as read back
}

TEST(Palette, EntriesFromTheBitLayout) {
    // The common 8-bit layout: red 3 bits at 0, green 3 at 3, blue 2 at 6.
    const std::vector<PaletteEntry> eight = buildPalette({8, 3, 0, 3, 3, 2, 6});
    ASSERT_EQ(eight.size(), 256u);
    EXPECT_EQ(eight[0], (PaletteEntry{0, 0, 0}));
    EXPECT_EQ(eight[255], (PaletteEntry{255, 255, 255}));
    EXPECT_EQ(eight[1], (PaletteEntry{36, 0, 0}));
    EXPECT_EQ(eight[2 << 3], (PaletteEntry{0, 73, 0}));
    EXPECT_EQ(eight[1 << 6], (PaletteEntry{0, 0, 128})); // entry 64 is a system colour
    EXPECT_EQ(eight[2 << 6], (PaletteEntry{0, 0, 170}));
    // The twelve system colours.
    EXPECT_EQ(eight[3], (PaletteEntry{128, 0, 0}));
    EXPECT_EQ(eight[173], (PaletteEntry{192, 192, 192}));
    EXPECT_EQ(eight[247], (PaletteEntry{255, 251, 240}));
    EXPECT_EQ(eight[91], (PaletteEntry{128, 128, 128}));
    // Another layout gets no system colours; unusual bit counts give 0.
    const std::vector<PaletteEntry> other = buildPalette({8, 2, 0, 3, 2, 3, 5});
    EXPECT_EQ(other[3], (PaletteEntry{255, 0, 0}));
    const std::vector<PaletteEntry> wide = buildPalette({4, 4, 0, 0, 0, 0, 0});
    ASSERT_EQ(wide.size(), 16u);
    EXPECT_EQ(wide[15], (PaletteEntry{0, 0, 0}));
    EXPECT_TRUE(buildPalette({24, 8, 0, 8, 8, 8, 16}).empty());
}
