#pragma once

#include <string>

class ResidueVisibility;

class CMolData;

// Appends value as printf's "%<width>.<precision>f" would in the C locale:
// right-justified, a point as decimal separator whatever the user's locale,
// "-0.000000" for a small negative value. Non-finite values read "nan",
// "inf" or "-inf".
void AppendFixed(std::string& out, double value, int width, int precision);

// Whether value prints in at most width characters with AppendFixed: finite,
// and small enough for its column.
bool FitsFixed(double value, int width, int precision);

// Why the shown atoms of geometry g cannot be written with coordinates of
// the given width and precision: the first atom whose coordinate is not
// finite or too wide, in one English sentence; empty when all fit.
std::string CoordinatesThatDoNotFit(const CMolData& mol, int g, const ResidueVisibility* shown,
                                    int width, int precision);
