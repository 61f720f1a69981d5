#pragma once

class CMolData;
class StdioFile;

// The full 80-column layout: ATOM records of the shown atoms of the geometry
// on screen, serial = atom index + 1, residues renumbered from 1, occupancy
// 1.00, temperature factor 0.00, element symbol in columns 77-78. Molecules
// from Gaussian files are written as residue RES 1 with the element symbols
// as atom names. Returns false, after writing only whole lines, on a write
// error.
bool writePdb(CMolData& mol, StdioFile* file);

// The short 54-column layout of plain Save: ATOM records of the shown atoms
// of geometry 0, coordinates only.
bool writePdbShort(CMolData& mol, StdioFile* file);
