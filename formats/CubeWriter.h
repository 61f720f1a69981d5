#pragma once

#include <string>

class CMolData;
class StdioFile;
struct VolumeGrid;

// Writes grid as a Gaussian cube file with the atoms of geometry g of model
// (bohr, as cubegen writes them): title on the first line, the grid's name
// on the second, values as " %12.5E" six to a line and a new line after
// each run of the last index, always with a decimal point whatever the
// locale.
bool WriteCube(const CMolData& model, int g, const VolumeGrid& grid, const std::string& title,
               StdioFile* file);
