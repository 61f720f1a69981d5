#pragma once

class CMolData;
class StdioFile;

// The plot data of geometry 0 as it stands, without running the backbone
// analysis: one line "%10.5f %10.5f" of phi and psi per analysed residue, in
// analysis order. Returns false, after writing only whole lines, on a write
// error.
bool WriteRamachandranLines(const CMolData& mol, StdioFile* file);

// The plot data of geometry 0 after its backbone analysis (see
// ComputeBackboneAngles); nothing for a model without geometries. Returns
// false on a write error.
bool WriteRamachandranData(CMolData& mol, StdioFile* file);
