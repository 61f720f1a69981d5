#pragma once

#include <string>
#include <vector>

// ravek-cli path FILE [FILE...] [--unit hartree|kJ/mol|kcal/mol]: the scan
// or IRC points of each output as one JSON object, in reaction order: each
// point's number, coordinate (a scan's first coordinate, an IRC's reaction
// coordinate), the scan coordinates' values, its energy in hartree and
// relative to the path's lowest point, whether it converged, and its
// geometry (from 1, in its own file). Two IRC files of one transition state
// (a forward and a reverse job) are joined into one path. Returns the exit
// code: 1 when no file holds a scan or an IRC.
int RunPath(const std::vector<std::string>& args);
