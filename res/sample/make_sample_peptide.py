#!/usr/bin/env python3
"""Writes the sample the viewer opens when started without a file.

A 16-residue peptide built from ideal bond lengths and angles: an
alpha-helix (phi -57, psi -47), a two-glycine turn and an extended strand
(phi -120, psi 130), with the small side chains of ALA, SER, CYS, VAL and
THR and the amide hydrogens. Each atom is placed from the three before it by
bond length, bond angle and torsion.

usage: make_sample_peptide.py OUT.pdb
"""

import math
import sys

SEQUENCE = ["ALA", "SER", "ALA", "CYS", "ALA", "VAL", "ALA", "THR",
            "GLY", "GLY", "THR", "VAL", "SER", "VAL", "THR", "VAL"]
HELIX, STRAND = (-57.0, -47.0), (-120.0, 130.0)
TORSIONS = [HELIX] * 8 + [(80.0, 10.0), (-80.0, 170.0)] + [STRAND] * 6

# Bond lengths (A) and angles (degrees) of the peptide backbone.
N_CA, CA_C, C_N, C_O, CA_CB, N_H = 1.458, 1.525, 1.329, 1.231, 1.530, 1.010
N_CA_C, CA_C_N, C_N_CA, CA_C_O, N_CA_CB = 111.2, 116.2, 121.7, 120.1, 109.5
# Torsion C-N-CA-CB of an L-amino acid.
C_N_CA_CB = -122.686

# Side-chain atoms: name, element, the three atoms it is placed from, bond
# length, bond angle, torsion.
SIDE_CHAINS = {
    "SER": [("OG", "O", ("N", "CA", "CB"), 1.417, 110.8, -60.0)],
    "CYS": [("SG", "S", ("N", "CA", "CB"), 1.808, 113.8, -60.0)],
    "VAL": [("CG1", "C", ("N", "CA", "CB"), 1.527, 110.7, 180.0),
            ("CG2", "C", ("N", "CA", "CB"), 1.527, 110.4, -60.0)],
    "THR": [("OG1", "O", ("N", "CA", "CB"), 1.433, 109.2, -60.0),
            ("CG2", "C", ("N", "CA", "CB"), 1.521, 111.1, 180.0)],
}


def sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def add(a, b):
    return (a[0] + b[0], a[1] + b[1], a[2] + b[2])


def scale(a, s):
    return (a[0] * s, a[1] * s, a[2] * s)


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def unit(a):
    length = math.sqrt(a[0] ** 2 + a[1] ** 2 + a[2] ** 2)
    return scale(a, 1.0 / length)


def place(a, b, c, length, angle, torsion):
    """The atom d bonded to c with angle b-c-d and torsion a-b-c-d."""
    angle, torsion = math.radians(angle), math.radians(torsion)
    bc = unit(sub(c, b))
    n = unit(cross(sub(b, a), bc))
    m = cross(n, bc)
    d2 = (-length * math.cos(angle),
          length * math.sin(angle) * math.cos(torsion),
          length * math.sin(angle) * math.sin(torsion))
    offset = add(add(scale(bc, d2[0]), scale(m, d2[1])), scale(n, d2[2]))
    return add(c, offset)


def build():
    residues = []
    n, ca = (0.0, 0.0, 0.0), (N_CA, 0.0, 0.0)
    c = place((0.0, 1.0, 0.0), n, ca, CA_C, N_CA_C, -60.0)
    previous_c = None
    for index, name in enumerate(SEQUENCE):
        phi, psi = TORSIONS[index]
        if index > 0:
            n = place(prev["N"], prev["CA"], prev["C"], C_N, CA_C_N, prev_psi)
            ca = place(prev["CA"], prev["C"], n, N_CA, C_N_CA, 180.0)
            c = place(prev["C"], n, ca, CA_C, N_CA_C, phi)
        atoms = {"N": n, "CA": ca, "C": c}
        order = [("N", "N")]
        if previous_c is not None:
            # The amide hydrogen lies on the outer bisector of C-N-CA.
            outward = unit(add(unit(sub(n, previous_c)), unit(sub(n, ca))))
            atoms["H"] = add(n, scale(outward, N_H))
            order.append(("H", "H"))
        order += [("CA", "C"), ("C", "C")]
        if name != "GLY":
            atoms["CB"] = place(c, n, ca, CA_CB, N_CA_CB, C_N_CA_CB)
            order.append(("CB", "C"))
        for atom, element, (a, b, d), length, angle, torsion in SIDE_CHAINS.get(name, []):
            atoms[atom] = place(atoms[a], atoms[b], atoms[d], length, angle, torsion)
            order.append((atom, element))
        # The carbonyl oxygen lies opposite the next residue's N.
        next_n = place(n, ca, c, C_N, CA_C_N, psi)
        atoms["O"] = place(next_n, ca, c, C_O, CA_C_O, 180.0)
        order.insert(order.index(("C", "C")) + 1, ("O", "O"))
        residues.append((name, [(atom, element, atoms[atom]) for atom, element in order]))
        prev, prev_psi, previous_c = atoms, psi, c
    return residues


def atom_name(name, element):
    # Names of one-letter elements start in column 14.
    return (" " + name).ljust(4) if len(element) == 1 and len(name) < 4 else name.ljust(4)


def write(path, residues):
    lines = ["HEADER    DE NOVO PROTEIN                         08-DEC-26   XXXX",
             "TITLE     RAVEK SAMPLE: HELIX, TURN AND STRAND FROM IDEAL GEOMETRY",
             "REMARK   1 BUILT BY make_sample_peptide.py FROM BOND LENGTHS, ANGLES AND TORSIONS"]
    serial = 0
    for number, (name, atoms) in enumerate(residues, start=1):
        for atom, element, (x, y, z) in atoms:
            serial += 1
            lines.append("ATOM  %5d %-4s %3s A%4d    %8.3f%8.3f%8.3f  1.00  0.00          %2s"
                         % (serial, atom_name(atom, element), name, number, x, y, z, element))
    serial += 1
    lines.append("TER   %5d      %3s A%4d" % (serial, residues[-1][0], len(residues)))
    lines.append("END")
    with open(path, "w", encoding="ascii", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    write(sys.argv[1], build())
