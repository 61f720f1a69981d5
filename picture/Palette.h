#pragma once

#include <array>
#include <vector>

// The logical palette of a pixel format with few colour bits: the entries a
// palette-based display needs to show RGB pixels of that format.
struct PixelFormatBits {
    int colourBits;
    int redBits, redShift;
    int greenBits, greenShift;
    int blueBits, blueShift;
};

struct PaletteEntry {
    int red, green, blue;
    bool operator==(const PaletteEntry& o) const {
        return red == o.red && green == o.green && blue == o.blue;
    }
};

// 2^colourBits entries: each channel of entry i from its bits of i, spread
// over 0 ... 255 (1, 2 or 3 bits; other counts give 0). The common 8-bit
// layout (red 3 bits at 0, green 3 at 3, blue 2 at 6) gets the twelve
// standard system colours at their usual entries.
std::vector<PaletteEntry> buildPalette(const PixelFormatBits& format);
