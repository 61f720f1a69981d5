#pragma once

#include <cstdint>
#include <string>
#include <vector>

// BMP pictures as the program writes them: "BM" file header, 40-byte info
// header, 2925 pixels per metre, no colour table, rows bottom-up. 24-bit rows
// hold blue, green, red and are padded with zero bytes to a multiple of 4;
// 32-bit rows hold blue, green, red, alpha.
namespace BmpFile {

constexpr int kHeaderSize = 54;
constexpr std::int32_t kPixelsPerMetre = 2925;

// Bytes in one stored row of a 24-bit picture of width pixels.
int RowSize24(int width);

// The 54 header bytes of a picture with imageSize bytes of pixel data.
std::string Header(int width, int height, int bitsPerPixel, std::uint32_t imageSize);

// A whole 24-bit file from tightly packed blue-green-red rows, bottom row
// first (as OpenGL reads pixels back).
std::string Encode24(int width, int height, const std::vector<std::uint8_t>& bgrBottomUp);
// A whole 32-bit file from blue-green-red-alpha rows, bottom row first.
std::string Encode32(int width, int height, const std::vector<std::uint8_t>& bgraBottomUp);

} // namespace BmpFile
