#pragma once

#include <string>

class CMolData;
class ResidueVisibility;
class StdioFile;

// Writes every geometry of mol as one frame of an XYZ file, in order: the
// count of shown atoms, a comment naming the geometry and its energy in
// hartree (when its step printed one), then a line per shown atom: the element symbol as
// chemists write it (C, Cl, Pt) and x, y and z in ångström with six
// decimals, the same under every locale. Nothing is written when a shown
// atom's coordinate is not finite or wider than 24 columns; refusal (when
// given) then says which.
// Only the atoms shown shows are written when it is given.
bool WriteXyz(const CMolData& mol, StdioFile* file, std::string* refusal = nullptr,
              const ResidueVisibility* shown = nullptr);
