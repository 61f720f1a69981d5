#pragma once

#include <string>

// Which residue of a structure file: its chain, number and insertion code
// as written (the author's where an mmCIF file gives both).
struct ResidueId {
    std::string chain; // empty when the file names none
    int number = 0;
    std::string insertion; // empty when there is none
    std::string name;      // residue name as written: "ALA"

    bool operator==(const ResidueId& other) const {
        return chain == other.chain && number == other.number && insertion == other.insertion &&
               name == other.name;
    }
    bool operator!=(const ResidueId& other) const { return !(*this == other); }
};
