#pragma once

class CMolData;
class StdioFile;

// The plot data of geometry 0 as it stands, without running the backbone
// analysis: one line "%10.5f %10.5f" of phi and psi per analysed residue, in
// analysis order. Returns false, after writing only whole lines, on a write
// error.
bool WriteRamachandranLines(CMolData& mol, StdioFile* file);
