#pragma once

class BondLimits;
class CMolFrame;

// Rebuilds the bonded lists of one geometry from distances.
//
// Atoms a < b are bonded when their squared distance is strictly below the
// squared limit of their element pair. Pairs are taken in the order of a scan
// over a ascending, then b ascending from a + 1 to a window end: the last
// atom (mode 0, general) or the last atom of the residue after a's own
// (mode 1, proteins: bonds only within a residue and to the next one). Each
// atom keeps the first 10 partners in that order; a bond can therefore be
// recorded on one side only. Any other mode changes nothing.
//
// The pairs are not all tested: atoms are sorted into a grid of cells at
// least as wide as the largest limit among the elements present, and each
// atom is compared only with the atoms of its own and the 26 neighbouring
// cells, visited in ascending index order. The result is the same as the
// full scan's, bond for bond and in the same order.
//
// Then DropChelateContacts runs on the result.
void PerceiveFrameBonds(CMolFrame& frame, int mode, const BondLimits& limits);

// Removes the bonds that only the generous limits from covalent radii made
// (1.7 Å or longer) between an atom M of another element and an atom X of the
// elements with built-in limits (H, C, N, O, F, P, S, Cl, Br), when X is
// bonded to an atom
// Y that M is bonded to as well and M-X is longer than M-Y by more than
// kChelateMargin: the carbon of a carboxylate both of whose oxygens bind the
// metal (Pd-C 2.38 Å beside Pd-O 2.02 Å), the carbon of an agostic C-H. The
// carbons of a ring or a double bond bound side-on lie at the same distance
// from the metal and keep their bonds.
void DropChelateContacts(CMolFrame& frame, const BondLimits& limits);

constexpr double kChelateMargin = 0.25; // Å
