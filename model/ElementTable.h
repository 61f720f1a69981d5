#pragma once

#include <string>
#include <string_view>

// One row of the element table.
struct ElementRecord {
    int number;
    double mass;     // atomic mass units
    char symbol[16]; // upper case
    double red, green, blue;
    double radius; // display radius factor of ball-and-stick drawing
};

// The process-wide, read-only element table and its symbol look-ups.
//
// Rows are indexed by element number, which equals the atomic number: 0 is the
// dummy atom "DU", 1 ... 36 hydrogen to krypton, 37 the lone pair "LP" (so
// rubidium has no row), 38 ... 118 strontium to oganesson. Any other number is
// taken as 0 before it indexes a table.
class ElementTable {
public:
    static constexpr int kRowCount = 119;
    static constexpr int kLonePair = 37;

    // number when it has a row, else 0.
    static int Clamp(int number) { return number >= 0 && number < kRowCount ? number : 0; }
    static const ElementRecord& Row(int number);
    static const char* Symbol(int number) { return Row(number).symbol; }
    // The symbol as chemists write it: capital, then small letters (Cl, Pt).
    static std::string ChemistsSymbol(int number);

    // Element number of an upper-case symbol, matched exactly; 0 when none.
    static int NumberOfSymbol(const std::string& symbol);
    // Element number of a symbol in any case ("Cl", "cl", "CL"); 0 when none
    // matches, an empty text included.
    static int NumberOfSymbolNoCase(std::string_view text);
    // The element an atom's name in a coordinate table gives: an atomic
    // number, or a symbol in any case with anything not a letter after it
    // cut off (C12, Cl_a, ORCA's ghost atoms "H:"); 0 when none.
    static int NumberOfName(std::string_view name);

    // The van der Waals radius of an element, Å (gemmi's table: Mantina et
    // al. 2009 and Bondi 1964); 1.0 for the dummy atom and the lone pair.
    static double VanDerWaalsRadius(int number);
};
