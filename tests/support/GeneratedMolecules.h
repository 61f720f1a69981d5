#pragma once

#include "model/CMolFrame.h"

#include <memory>
#include <string>

class CMolData;

// A protein-like chain: residues of eight heavy atoms (N CA C O CB CG CD OE)
// laid along a random walk of 1.5 Å steps, folded into a sphere at about the
// atom density of a protein. Residues fill residueAtoms for the protein mode.
std::unique_ptr<CMolFrame> MakeProteinLike(int atomCount, unsigned seed);

// Atoms of mixed elements (H C N O S P CL) scattered uniformly in a cube with
// the given mean number of atoms per Å³; dense clouds crowd many atoms within
// bonding distance of each other. Residues of five consecutive atoms.
std::unique_ptr<CMolFrame> MakeRandomCloud(int atomCount, double density, unsigned seed);

// MakeProteinLike(atomCount, seed) as the text of a PDB file: GLU residues
// of N CA C O CB CG CD OE1, chains A, B, ... of 80,000 atoms, serials
// counting 1 ... 99,999 and again.
std::string ProteinLikePdb(int atomCount, unsigned seed);

// The same atoms as the text of a PDBx/mmCIF file: an atom_site loop of
// atomCount rows in chains chains (ids "C1", "C2", ...: several characters),
// residues numbered on without the PDB format's limits.
std::string ProteinLikeMmcif(int atomCount, int chains, unsigned seed);

// Gives every atom of geometry 0 a random displacement, each component
// uniform in [-largest, largest], and marks the model as holding them: the
// arrows of a generated vibration.
void GiveRandomDisplacements(CMolData& model, double largest, unsigned seed);
