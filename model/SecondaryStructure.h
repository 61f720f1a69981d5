#pragma once

#include "model/Point3D.h"

#include <vector>

class CMolFrame;

// The secondary structure of one geometry from its backbone hydrogen bonds,
// by the patterns of Kabsch and Sander (Biopolymers 22 (1983) 2577):
// α-helix H, 3₁₀-helix G, π-helix I, strand E, isolated bridge B, turn T,
// bend S, ' ' for none of these. The residues analysed are those with the
// backbone atoms N, CA, C and O (the first alternate location of each); a
// chain ends where the next residue is of another chain or its N lies more
// than 2.5 Å from the C before. Where two helix kinds claim a residue, the
// π-helix wins over the α-helix, which wins over the 3₁₀-helix.
struct SecondaryStructure {
    // The longest C–N distance of a peptide bond, Å: beyond it the chain
    // is broken.
    static constexpr double kMaxPeptideBond = 2.5;

    // A residue of a chain: its residue index, the atom indices of its N,
    // CA, C and O, and whether the chain ends before it (another chain, or
    // no peptide bond to the residue before).
    struct ChainResidue {
        int residue = 0;
        int n = 0, ca = 0, c = 0, o = 0;
        bool chainBreak = true;
    };
    // The residues analysed, in order: those with a whole backbone (the
    // first of two residues at one place, as alternate locations give).
    static std::vector<ChainResidue> ChainResidues(const CMolFrame& frame);

    // Assigns the structure of frame's residues.
    static SecondaryStructure Assign(const CMolFrame& frame);

    // The electrostatic energy (kcal/mol) of the hydrogen bond from the N-H
    // at n, h to the C=O at c, o: 0.42 e and 0.20 e on C, O and N, H times
    // 332 kcal Å / (mol e²) times 1/r(ON) + 1/r(CH) - 1/r(OH) - 1/r(CN), in
    // whole cal/mol and at least -9.9 (also for atoms nearer than 0.5 Å).
    // A hydrogen bond lies below -0.5.
    static double HydrogenBondEnergy(const Point3D& n, const Point3D& h, const Point3D& c,
                                     const Point3D& o);

    // Whether residue r (a residue index of the frame) was analysed.
    bool Analysed(int r) const {
        return r >= 0 && r < static_cast<int>(codes.size()) &&
               codes[static_cast<std::size_t>(r)] != 0;
    }
    // The code of residue r: one of "HGIEBTS ", or 0 for a residue not
    // analysed.
    char Code(int r) const { return Analysed(r) ? codes[static_cast<std::size_t>(r)] : 0; }

    // By residue index of the frame.
    std::vector<char> codes;
    // The residues analysed, in order.
    std::vector<int> residues;
};
