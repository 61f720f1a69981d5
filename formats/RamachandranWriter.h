#pragma once

class CMolData;
class StdioFile;

// The plot data of geometry g (a document passes the one its windows show,
// as the plot does) as it stands, without
// running the backbone analysis: one line "%10.5f %10.5f" of phi and psi per
// analysed residue, in analysis order. Returns false, after writing only
// whole lines, on a write error.
bool WriteRamachandranLines(const CMolData& mol, int g, StdioFile* file);

// The plot data of geometry g after its backbone analysis (see
// ComputeBackboneAngles); nothing for a model without geometries. Returns
// false on a write error.
bool WriteRamachandranData(const CMolData& mol, int g, StdioFile* file);
