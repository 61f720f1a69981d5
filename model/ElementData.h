#pragma once

#include <string>

class BondLimits;
class ResidueColourTable;

// The element data file "ravek.dat" (see ElementDataPath) overrides bond
// limits and residue colours. It has two sections, each ended by an empty
// line (or the end of the file); lines starting with '#' are comments:
//   1. two element symbols (upper case) and a distance in Å:   C C 1.60
//   2. a residue name and a colour 0xBBGGRR in hexadecimal:   ALA FF0000
// Lines that do not parse are skipped without a word; an unknown symbol
// counts as the dummy element 0.

// Applies the built-in limits to the program's tables, then reads the
// element data file, if there is one.
void LoadElementData();

// Applies the built-in limits to limits, then reads path into the two
// tables. Returns whether the file could be opened.
bool LoadElementData(BondLimits& limits, ResidueColourTable& colours, const std::string& path);

// Full path of the element data file the running program reads: see the
// overload below, for the folder of the running executable; empty when that
// folder cannot be found.
std::string ElementDataPath();

// "ravek.dat" in programFolder when it is there; else the one in the data
// folder of an installed tree (share/ravek beside the bin folder) when that
// one is there; else the path in programFolder, which then does not exist.
std::string ElementDataPath(const std::string& programFolder);
