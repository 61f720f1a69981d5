#pragma once

#include "model/CMolData.h"

#include <memory>

class StdioFile;

// Reads an XYZ file into a model: frames of
// an atom-count line, a comment line and one line per atom (an element symbol
// or atomic number, then x, y and z in ångström; anything after them is
// ignored). Every frame is a geometry, so a trajectory plays as an
// animation, and the last one is shown. A comment that names an energy in
// hartree the way xtb, ORCA, CREST or this program write it gives the
// step's energy (see EnergyOfComment). Bonds come from distances.
//
// Where files are ambiguous, this reader decides:
// - Blank lines between frames are passed over.
// - A count line that is no whole number ends the reading; the frames
//   before it are kept.
// - A frame the file ends inside (a trajectory still being written) is no
//   geometry.
// - An atom line without a name and three finite numbers gives no atom; it
//   is counted in skippedLines. A symbol with digits after it (C12) names
//   its element; a name of no element gives element 0.
// - The count never decides how much memory is taken before the atoms are
//   there: a count of a billion on a short file costs nothing.
std::unique_ptr<CMolData> ReadXyz(StdioFile* in);
