#!/usr/bin/env python3
"""Normal modes of Molden files against Psi4: Psi4 optimises ammonia and a
bent triatomic (HOCl, whose modes mix every atom), computes their harmonic
frequencies and writes them as a Molden file of vibrations ([FREQ],
[FR-COORD], [FR-NORM-COORD]); ravek-cli info reads that file, and its
geometry, frequencies and displacements must be Psi4's own (from its
frequency analysis, dumped by the same run): positions to 1e-6 Å, each
frequency to 1e-6 cm⁻¹, each mode's displacements parallel to Psi4's mode
(|cos| to 1e-9). Skipped when Psi4 is not installed."""

import json
import math
import os
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
BOHR = 0.529177210903  # Å, CODATA 2018

MOLECULES = {
    "nh3": "N 0.0 0.0 0.1\nH 0.0 0.94 -0.3\nH 0.81 -0.47 -0.3\nH -0.81 -0.47 -0.3",
    "hocl": "O 0.0 0.0 0.0\nH 0.96 0.0 0.0\nCl -0.4 1.6 0.0",
}

INPUT = """memory 500 mb
molecule {{
0 1
{atoms}
symmetry c1
}}
set basis 6-31g
set normal_modes_write true
set writer_file_label {name}
optimize('scf')
e, wfn = frequency('scf', return_wfn=True)
import json
vib = wfn.frequency_analysis
json.dump({{"omega": [float(w.real) for w in vib["omega"].data],
           "x": vib["x"].data.T.tolist(),
           "geometry": wfn.molecule().geometry().np.tolist()}}, open("vib.json", "w"))
"""


def main():
    cli = sys.argv[1]
    psi4 = shutil.which("psi4")
    if psi4 is None:
        print("psi4 is not installed: skipped")
        return SKIP
    failures, checked = [], 0
    for name, atoms in MOLECULES.items():
        with tempfile.TemporaryDirectory() as work:
            with open(os.path.join(work, "input.dat"), "w") as f:
                f.write(INPUT.format(atoms=atoms, name=name))
            run = subprocess.run([psi4, "-n", "2", "input.dat"], cwd=work,
                                 env=dict(os.environ, PSI_SCRATCH=work), capture_output=True,
                                 text=True, timeout=600)
            written = [f for f in os.listdir(work) if f.endswith(".molden_normal_modes")]
            if run.returncode != 0 or len(written) != 1:
                failures.append(f"psi4 failed on {name}: {run.stderr[-2000:]}")
                continue
            with open(os.path.join(work, "vib.json")) as f:
                theirs = json.load(f)
            read = subprocess.run([cli, "info", os.path.join(work, written[0])],
                                  capture_output=True, text=True)
            if read.returncode != 0:
                failures.append(f"ravek-cli info on {name}: {read.stderr}")
                continue
            ours = json.loads(read.stdout)
            frame = ours["frames"][-1]
            positions = [[c * BOHR for c in atom] for atom in theirs["geometry"]]
            if not all(abs(a[k] - p[j]) < 1e-6 for a, p in zip(frame["atoms"], positions)
                       for j, k in enumerate("xyz")) or len(frame["atoms"]) != len(positions):
                failures.append(f"{name}: geometry")
            # Psi4's analysis lists the translations and rotations (about
            # 0 cm⁻¹) first; its Molden file holds the vibrations only.
            vibrations = [(w, x) for w, x in zip(theirs["omega"], theirs["x"]) if w > 1.0]
            modes = frame.get("modes", [])
            if len(modes) != len(vibrations):
                failures.append(f"{name}: {len(modes)} modes, {len(vibrations)} expected")
                continue
            for mode, (omega, x) in zip(modes, vibrations):
                checked += 1
                if abs(mode["frequency"] - omega) > 1e-6:
                    failures.append(f"{name}: mode {mode['number']} at {mode['frequency']}, "
                                    f"{omega} expected")
                ours_vector = [c for d in mode["displacements"] for c in d]
                cosine = sum(a * b for a, b in zip(ours_vector, x)) / math.sqrt(
                    sum(a * a for a in ours_vector) * sum(b * b for b in x))
                if abs(abs(cosine) - 1.0) > 1e-9:
                    failures.append(f"{name}: mode {mode['number']} not along Psi4's "
                                    f"(cos {cosine})")
    print(f"{checked} modes compared")
    if failures:
        print("\n".join(["FAILED:"] + failures))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
