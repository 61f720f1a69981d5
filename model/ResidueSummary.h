#pragma once

class CMolFrame;

// What the drawing of a protein needs of each residue of a geometry, filled
// into the frame's tables by residue index: its secondary structure code
// (0 for a residue not part of a chain, see SecondaryStructure), the order
// of its chain among the frame's chains, and for a chain residue its place
// along the chain (0 at the first chain residue of its chain, 1 at the
// last); and the range of the atoms' temperature factors. Needs the residue
// ids a structure file gives; leaves the residue tables empty for a frame
// without them.
void SummariseResidues(CMolFrame& frame);
