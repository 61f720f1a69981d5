#pragma once

#include <string>

// A helix or strand as a structure file's own records give it (PDB HELIX
// and SHEET, mmCIF struct_conf and struct_sheet_range): its code as the
// assignment from the backbone writes it (H α-helix, G 3₁₀-helix, I π-helix,
// E strand) and the residues it runs from and to, both included.
struct SecondaryRecord {
    char code = 'H';
    std::string chain;
    int firstNumber = 0;
    std::string firstInsertion;
    int lastNumber = 0;
    std::string lastInsertion;
};
