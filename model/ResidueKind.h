#pragma once

#include <string_view>

// What a residue is by its name, as structure files name residues: an amino
// acid (the twenty, their common modified forms and the ambiguous codes), a
// nucleotide, a water, a single-atom ion, or something else (a ligand, a
// cofactor, a sugar). The lists are those of the wwPDB chemical component
// dictionary's most frequent members; a name is compared as written, in
// capitals.
enum class ResidueKind { kOther, kProtein, kNucleic, kWater, kIon };

ResidueKind KindOfResidue(std::string_view name);
inline bool IsWaterResidue(std::string_view name) {
    return KindOfResidue(name) == ResidueKind::kWater;
}
