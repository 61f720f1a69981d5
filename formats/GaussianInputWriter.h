#pragma once

#include "formats/WrittenGeometry.h"

#include <string>

class CMolData;
class StdioFile;

// Writes the shown atoms of the geometry on screen as a Gaussian input file:
// a checkpoint line named after checkpointPath (the file's own path; cut at
// its last "."), a fixed optimisation route line, a comment, charge 0 and
// singlet, one Cartesian line per atom. Returns false, after writing only
// whole lines, when the file reports a write error. Refuses, writing
// nothing and saying why in refusal, a path with a line break (it would end
// the checkpoint line) and coordinates that do not fit their 12 columns.
bool WriteGaussianInput(const CMolData& mol, const WrittenGeometry& what, StdioFile* file,
                        const std::string& checkpointPath, std::string* refusal = nullptr);

// The checkpoint name of a path: cut at its last "." after the first
// character (a "." in a folder name counts when the file name has none);
// kept whole without one.
std::string CheckpointName(const std::string& path);
