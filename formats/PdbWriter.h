#pragma once

#include "formats/WrittenGeometry.h"

#include <string>

class CMolData;
class ResidueVisibility;
class StdioFile;

// The full 80-column layout: ATOM records of the shown atoms of the geometry
// on screen, serial = atom index + 1, residues renumbered from 1, occupancy
// 1.00, temperature factor 0.00, element symbol in columns 77-78. Molecules
// from Gaussian files are written as residue RES 1 with the element symbols
// as atom names. Returns false, after writing only whole lines, on a write
// error; refuses, writing nothing and saying why in refusal, coordinates
// that do not fit their 8 columns.
bool writePdb(const CMolData& mol, const WrittenGeometry& what, StdioFile* file,
              std::string* refusal = nullptr);

// The short 54-column layout of plain Save: ATOM records of the shown atoms
// of geometry 0 (all of them when shown is null), coordinates only. Refuses
// as writePdb does.
bool writePdbShort(const CMolData& mol, StdioFile* file, std::string* refusal = nullptr,
                   const ResidueVisibility* shown = nullptr);
