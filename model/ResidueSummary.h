#pragma once

#include "model/SecondaryRecord.h"

#include <vector>

class CMolData;
class CMolFrame;

// What the drawing of a protein needs of each residue of a geometry, filled
// into the frame's tables by residue index: its secondary structure code
// (0 for a residue not part of a chain, see SecondaryStructure), the order
// of its chain among the frame's chains, and for a chain residue its place
// along the chain (0 at the first chain residue of its chain, 1 at the
// last); and the range of the atoms' temperature factors. Needs the residue
// ids a structure file gives; leaves the residue tables empty for a frame
// without them. The code is the one assigned from the backbone; the codes
// the file's records give are kept beside it (see CMolFrame::Secondary).
void SummariseResidues(CMolFrame& frame, const std::vector<SecondaryRecord>& records = {});

// The codes the records give the chain residues of frame: a record marks
// the residues of its chain from its first to its last residue in file
// order (nothing when either is not there, or the last comes first); other
// chain residues get ' ', residues outside the chains 0. Empty without
// records or residue ids.
std::vector<char> CodesOfRecords(const CMolFrame& frame,
                                 const std::vector<SecondaryRecord>& records);
