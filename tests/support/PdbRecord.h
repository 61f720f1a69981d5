#pragma once

#include <cstdio>
#include <string>

// One ATOM or HETATM record of a PDB file, at the columns the format gives,
// with occupancy 1 and B-factor 10.
inline std::string PdbRecord(bool hetero, int serial, const char* name, const char* residue,
                             char chain, int number, char insertion, double x, double y, double z,
                             const char* element) {
    char line[96];
    std::snprintf(line, sizeof line,
                  "%-6s%5d %-4s %3s %c%4d%c   %8.3f%8.3f%8.3f  1.00 10.00          %2s\n",
                  hetero ? "HETATM" : "ATOM", serial, name, residue, chain, number, insertion, x, y,
                  z, element);
    return line;
}
