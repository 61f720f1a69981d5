#!/usr/bin/env python3
"""Orbitals and densities of ravek-cli cube against Psi4: Psi4 computes water
(pure cc-pVQZ with g functions, and the open-shell cation by UHF) and
ammonia (Cartesian cc-pVTZ with d and f), writes a formatted checkpoint file, a Molden file
and cube files of orbitals and densities; ravek-cli evaluates the same on
exactly the same grids from the checkpoint file and from the Molden file,
and the values must agree point by point (an orbital's sign may flip).
Skipped when Psi4 is not installed."""

import os
import shutil
import subprocess
import sys
import tempfile

SKIP = 77

# In bohr, where Psi4 leaves them (no_com, no_reorient), at positions of few
# digits: the origin of its cube files' grid is then printed exactly. Where
# Psi4 moves the molecule to its centre of mass, the origin it prints is
# rounded to 10⁻⁶ bohr while it evaluates at the unrounded one, and near a
# nucleus its printed values stray by up to 10⁻⁴ of themselves from those at
# the points the file names (ammonia's LUMO 0.3 bohr from the nitrogen; Psi4's
# own basis functions at those points agree with this program's).
WATER = "O 0.0 0.0 0.2217\nH 0.0 1.4309 -0.8867\nH 0.0 -1.4309 -0.8867"
AMMONIA = "N 0.0 0.0 0.21\nH 0.0 1.772 -0.494\nH 1.535 -0.886 -0.494\nH -1.535 -0.886 -0.494"

RUNS = [
    # molecule, basis, pure, charge and multiplicity, reference
    (WATER, "cc-pvqz", "true", "0 1", "rhf"),
    (AMMONIA, "cc-pvtz", "false", "0 1", "rhf"),
    (WATER, "cc-pvtz", "true", "1 2", "uhf"),
]

INPUT = """memory 500 mb
molecule {{
{charge}
units bohr
no_com
no_reorient
{atoms}
symmetry c1
}}
set {{
  basis {basis}
  puream {pure}
  reference {reference}
  cubeprop_tasks [orbitals, density]
  cubeprop_orbitals [1, 5, 6, -5]
  cubic_grid_spacing [0.3, 0.3, 0.3]
  cubic_grid_overage [3.0, 3.0, 3.0]
}}
e, wfn = energy('scf', return_wfn=True)
fchk(wfn, 'water.fchk')
molden(wfn, 'water.molden')
cubeprop(wfn)
"""


def values(path):
    """The values of a cube file, after its header."""
    with open(path) as f:
        lines = f.read().split("\n")
    atoms = abs(int(lines[2].split()[0]))
    return [float(x) for line in lines[6 + atoms:] for x in line.split()]


def main():
    cli = sys.argv[1]
    psi4 = shutil.which("psi4")
    if psi4 is None:
        print("psi4 is not installed: skipped")
        return SKIP
    failures = []
    report = []
    for atoms, basis, pure, charge, reference in RUNS:
        with tempfile.TemporaryDirectory() as work:
            with open(os.path.join(work, "input.dat"), "w") as f:
                f.write(INPUT.format(atoms=atoms, basis=basis, pure=pure, charge=charge,
                                     reference=reference))
            env = dict(os.environ, PSI_SCRATCH=work)
            run = subprocess.run([psi4, "-n", "2", "input.dat"], cwd=work, env=env,
                                 capture_output=True, text=True, timeout=600)
            if run.returncode != 0:
                failures.append("psi4 failed on %s: %s" % (basis, run.stderr[-2000:]))
                continue
            cases = [("Psi_a_1_1-A", ["1"]), ("Psi_a_5_5-A", ["5"]),
                     ("Psi_a_6_6-A", ["6"]), ("Dt", ["density"])]
            if reference == "uhf":
                cases += [("Psi_b_5_5-A", ["5", "--beta"]), ("Ds", ["spin"])]
            for (name, orbital), source in [(c, s) for s in ("water.fchk", "water.molden")
                                            for c in cases]:
                reference_cube = os.path.join(work, name + ".cube")
                ours = os.path.join(work, name + ".ravek.cube")
                made = subprocess.run([cli, "cube", os.path.join(work, source),
                                       "--orbital"] + orbital +
                                      ["--like", reference_cube, "-o", ours],
                                      capture_output=True, text=True)
                if made.returncode != 0:
                    failures.append("ravek-cli cube %s %s: %s" % (source, orbital, made.stderr))
                    continue
                theirs, mine = values(reference_cube), values(ours)
                if len(theirs) != len(mine):
                    failures.append("%s: %d values, %d expected" % (name, len(mine), len(theirs)))
                    continue
                # Both programs print six significant digits: each value may
                # be off by half a unit of the sixth, 5e-6 of itself; beyond
                # that they may differ by 10⁻⁶ of the largest value (where
                # the values are small, far functions are screened).
                floor = 1e-6 * max(abs(a) for a in theirs)
                worst = min(max(abs(a - s * b) - 1.1e-5 * abs(a) - floor
                                for a, b in zip(theirs, mine)) for s in (1, -1))
                largest = min(max(abs(a - s * b) for a, b in zip(theirs, mine)) for s in (1, -1))
                report.append("%s %s %s %s from %s: largest difference %.2g (largest value %.3g)"
                              % (atoms.split()[0], basis, "pure" if pure == "true" else "Cartesian",
                                 name, source,
                                 largest, max(abs(a) for a in theirs)))
                if worst > 0.0:
                    failures.append(report[-1])
    print("\n".join(report))
    if failures:
        print("\n".join(["FAILED:"] + failures))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
