#include "model/ResidueColourTable.h"

ResidueColourTable::ResidueColourTable()
    : colours_{
          {"NON", 0x464646}, {"ALA", 0x000046}, {"ILE", 0x004646}, {"LEU", 0x460046},
          {"MET", 0x004600}, {"PHE", 0x464600}, {"PRO", 0x00008C}, {"VAL", 0x00468C},
          {"ARG", 0x46008C}, {"ASP", 0x46468C}, {"GLU", 0x008C00}, {"LYS", 0x008C46},
          {"ASN", 0x468C00}, {"CYS", 0x8C0000}, {"GLN", 0x8C0046}, {"HIS", 0x8C4600},
          {"SER", 0x8C4646}, {"THR", 0x008C8C}, {"TRP", 0x8C8C00}, {"TYR", 0x8C008C},
          {"GLY", 0x468C8C}, {"ASX", 0x8C8C46}, {"GLX", 0x468C8C}, {"WAT", 0x640000},
          {"H2O", 0x640000}, {"HOH", 0x640000}, {"GR1", 0xFFFFFF}, {"GR2", 0x000000},
          {"GR3", 0x7F7F7F},
      } {}

ResidueColourTable& ResidueColourTable::instance() {
    static ResidueColourTable table;
    return table;
}

std::uint32_t ResidueColourTable::Value(const std::string& name) {
    return colours_.try_emplace(name, kDefaultColour).first->second;
}

void ResidueColourTable::ToRgb(std::uint32_t value, double rgb[3]) {
    rgb[0] = static_cast<double>(value & 0xFF) / 255.0;
    rgb[1] = static_cast<double>((value >> 8) & 0xFF) / 255.0;
    rgb[2] = static_cast<double>((value >> 16) & 0xFF) / 255.0;
}
