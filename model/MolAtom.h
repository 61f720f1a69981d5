#pragma once

#include <cstddef>
#include <cstring>
#include <string>

// One atom of one geometry. A new record has an empty label, no bonds and
// every other field zero.
struct MolAtom {
    static constexpr int kMaxBonds = 10;
    static constexpr std::size_t kLabelSize = 8; // 7 characters and the terminator

    double x = 0.0, y = 0.0, z = 0.0;    // position, ångström
    double dx = 0.0, dy = 0.0, dz = 0.0; // displacement of the first normal mode
    int element = 0;                     // row of the element table
    int bonded[kMaxBonds] = {};          // first bondCount entries are valid
    int bondCount = 0;
    char label[kLabelSize] = {};
    int residueNameId = 0;  // id in ResidueNameTable
    int residueIndex = 0;   // 0-based residue index within the geometry
    double bFactor = 0.0;   // a structure file's temperature factor, Å²
    double occupancy = 1.0; // a structure file's occupancy (1 where it gives none)
    bool hetero = false;    // a HETATM record (or mmCIF group HETATM)

    // Stores the atom's number (1-based) and its element symbol as the label,
    // as the Gaussian and XYZ readers name atoms: "3H".
    void SetNumberedLabel(std::size_t number, const char* symbol) {
        SetLabel((std::to_string(number) + symbol).c_str());
    }

    // Stores text as the label, cut to 7 characters.
    void SetLabel(const char* text) {
        std::size_t n = text != nullptr ? std::strlen(text) : 0;
        if (n > kLabelSize - 1)
            n = kLabelSize - 1;
        if (n > 0)
            std::memcpy(label, text, n);
        label[n] = '\0';
    }
};
