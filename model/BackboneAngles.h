#pragma once

class CMolData;

// The backbone analysis of geometry g of a protein model: for every amino
// acid that has N, CA and C and residues with them on both sides, its phi
// and psi angles and the backbone atoms of the window, stored in the
// geometry (CMolFrame's phiAngles, psiAngles, backboneAtoms), and which of
// them are measured across a break in the chain (anglesAcrossBreaks). Runs
// once per geometry (a cache, filled in a model read only too); returns
// whether any residue was analysed. A model
// without residues has none.
bool ComputeBackboneAngles(const CMolData& mol, int g);
