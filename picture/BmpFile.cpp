#include "picture/BmpFile.h"

namespace {

void Put16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

} // namespace

namespace BmpFile {

int RowSize24(int width) {
    return (width * 3 + 3) / 4 * 4;
}

std::string Header(int width, int height, int bitsPerPixel, std::uint32_t imageSize) {
    std::string out;
    out.reserve(kHeaderSize);
    out += "BM";
    Put32(out, kHeaderSize + imageSize);
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, kHeaderSize);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bitsPerPixel));
    Put32(out, 0);
    Put32(out, imageSize);
    Put32(out, static_cast<std::uint32_t>(kPixelsPerMetre));
    Put32(out, static_cast<std::uint32_t>(kPixelsPerMetre));
    Put32(out, 0);
    Put32(out, 0);
    return out;
}

std::string Encode24(int width, int height, const std::vector<std::uint8_t>& bgrBottomUp) {
    const int rowSize = RowSize24(width);
    const auto imageSize = static_cast<std::uint32_t>(rowSize * height);
    std::string out = Header(width, height, 24, imageSize);
    out.reserve(kHeaderSize + imageSize);
    const std::size_t packed = static_cast<std::size_t>(width) * 3;
    for (int y = 0; y < height; ++y) {
        const auto* row = bgrBottomUp.data() + packed * static_cast<std::size_t>(y);
        out.append(reinterpret_cast<const char*>(row), packed);
        out.append(static_cast<std::size_t>(rowSize) - packed, '\0');
    }
    return out;
}

std::string Encode32(int width, int height, const std::vector<std::uint8_t>& bgraBottomUp) {
    const auto imageSize = static_cast<std::uint32_t>(width * height * 4);
    std::string out = Header(width, height, 32, imageSize);
    out.append(reinterpret_cast<const char*>(bgraBottomUp.data()), imageSize);
    return out;
}

} // namespace BmpFile
