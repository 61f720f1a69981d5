#include "picture/Palette.h"

namespace {

int Expand(int value, int bits) {
    static const int one[] = {0, 255};
    static const int two[] = {0, 85, 170, 255};
    static const int three[] = {0, 36, 73, 109, 146, 182, 219, 255};
    switch (bits) {
    case 1:
        return one[value & 1];
    case 2:
        return two[value & 3];
    case 3:
        return three[value & 7];
    default:
        return 0;
    }
}

} // namespace

std::vector<PaletteEntry> buildPalette(const PixelFormatBits& f) {
    if (f.colourBits <= 0 || f.colourBits > 8) // only formats of up to 8 bits need one
        return {};
    std::vector<PaletteEntry> entries(static_cast<std::size_t>(1) << f.colourBits);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int n = static_cast<int>(i);
        entries[i] = {Expand(n >> f.redShift, f.redBits), Expand(n >> f.greenShift, f.greenBits),
                      Expand(n >> f.blueShift, f.blueBits)};
    }
    if (f.colourBits == 8 && f.redBits == 3 && f.redShift == 0 && f.greenBits == 3 &&
        f.greenShift == 3 && f.blueBits == 2 && f.blueShift == 6) {
        struct System {
            int entry;
            PaletteEntry colour;
        };
        static const System system[] = {
            {3, {128, 0, 0}},       {24, {0, 128, 0}},      {27, {128, 128, 0}},
            {64, {0, 0, 128}},      {67, {128, 0, 128}},    {88, {0, 128, 128}},
            {173, {192, 192, 192}}, {181, {192, 220, 192}}, {236, {166, 202, 240}},
            {247, {255, 251, 240}}, {164, {160, 160, 164}}, {91, {128, 128, 128}}};
        for (const System& s : system)
            entries[static_cast<std::size_t>(s.entry)] = s.colour;
    }
    return entries;
}
