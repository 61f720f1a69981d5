#pragma once

#include "model/CMolData.h"

#include <memory>

class StdioFile;

// Reads a Molden file, as nearly every quantum-chemistry program writes
// one: the atoms ([Atoms] in bohr with AU, in ångström with Angs), the basis
// ([GTO]: shells s, p, d, f, g and sp of each atom, exponents scaled by the
// shell's factor; Cartesian unless [5D], [5D7F], [5D10F], [7F] or [9G] make
// the d, f or g shells pure) and the orbitals ([MO]: energy, spin,
// occupation and coefficients, alpha then beta), as the model's geometry
// and wavefunction. Orbitals are evaluated, drawn and saved as those of a
// formatted checkpoint file are.
//
// Programs differ in what their numbers mean (see docs/formats.md); the
// reader decides by the orbitals' norms, computed in closed form, which
// reading makes them normalised: contraction coefficients of normalised
// primitives (the format's own convention; Psi4, Molpro) or of primitives
// as they stand (ORCA's orca_2mkl), and coefficients of Cartesian d, f and g
// functions each normalised on its own (the format's), normalised as x²,
// x³, x⁴ are, or short of the factor √(2l-1)!! (Turbomole's). ORCA's pure f and g
// functions of |m| = 3 and 4 have the opposite sign; a file whose title
// names orca_2mkl has those turned back. Molden's Cartesian g functions
// come in their own order and are put in the basis's.
//
// A file without atoms gives no molecule and formatProblem says why; one
// whose basis or orbitals are damaged, or whose orbitals no reading
// normalises, gives its atoms without orbitals and wavefunctionProblem
// says why.
std::unique_ptr<CMolData> ReadMolden(StdioFile* in);
