#pragma once

#include <cstdint>
#include <map>
#include <string>

// Residue name → colour as a Windows COLORREF value 0x00BBGGRR (red in the
// low byte). Names looked up and not present are entered with 0x464646.
class ResidueColourTable {
public:
    static constexpr std::uint32_t kDefaultColour = 0x464646;

    ResidueColourTable(); // the 29 built-in names

    static ResidueColourTable& instance();

    // Colour of name, entering the default first when the name is new.
    std::uint32_t Value(const std::string& name);
    void Set(const std::string& name, std::uint32_t value) { colours_[name] = value; }
    bool Contains(const std::string& name) const { return colours_.count(name) != 0; }

    // COLORREF → red, green, blue in 0...1.
    static void ToRgb(std::uint32_t value, double rgb[3]);

private:
    std::map<std::string, std::uint32_t> colours_;
};
