#pragma once

class CMolData;
class StdioFile;

// The plot data of the model's current geometry (the one its windows show,
// as the plot does; geometry 0 of a file just read) as it stands, without
// running the backbone analysis: one line "%10.5f %10.5f" of phi and psi per
// analysed residue, in analysis order. Returns false, after writing only
// whole lines, on a write error.
bool WriteRamachandranLines(const CMolData& mol, int g, StdioFile* file);

// The plot data of the current geometry after its backbone analysis (see
// ComputeBackboneAngles); nothing for a model without geometries. Returns
// false on a write error.
bool WriteRamachandranData(const CMolData& mol, int g, StdioFile* file);
