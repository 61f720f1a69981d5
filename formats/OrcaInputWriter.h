#pragma once

#include "formats/WrittenGeometry.h"

#include <string>

class CMolData;
class StdioFile;

// The keyword line an ORCA input gets when none is given.
constexpr const char* kDefaultOrcaKeywords = "! B3LYP D3BJ def2-SVP Opt";

// Writes the shown atoms of the geometry on screen as an ORCA input: the
// keyword line (what.jobKeywords, or kDefaultOrcaKeywords when it is empty;
// a "!" is put before a line without one), then the geometry as "* xyz
// charge multiplicity" block in ångström. The charge and multiplicity are
// the job's own where the file read printed them (an ORCA output, a
// checkpoint or Molden file's orbitals), else 0 and the lowest the number
// of electrons allows (1 or 2). Returns false, after writing only whole
// lines, when the file reports a write error. Refuses, writing nothing and
// saying why in refusal, keywords with a line break and coordinates that are
// not finite.
bool WriteOrcaInput(const CMolData& mol, const WrittenGeometry& what, StdioFile* file,
                    std::string* refusal = nullptr);
