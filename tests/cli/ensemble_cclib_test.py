#!/usr/bin/env python3
"""ravek-cli ensemble against cclib (Debian's python3-cclib): for sets of
shared Gaussian frequency jobs, each job's free energy and enthalpy equal
cclib's, and the Boltzmann weights at several temperatures equal those the
test computes from cclib's free energies to 1e-6; the level of theory each
job names equals cclib's functional and basis set where cclib reads both,
and a set of two levels is said to be mixed.

Skipped when cclib is not installed or the data is absent."""

import json
import logging
import math
import os
import subprocess
import sys

SKIP = 77
BOLTZMANN = 3.1668115634556e-6  # hartree per kelvin, CODATA 2018
HARTREE_KJ = 2625.4996394799

SETS = [
    ["gaussian/g03/dvb_ir.out", "gaussian/g09/dvb_ir_revA.02.out", "gaussian/g16/dvb_ir.out"],
    ["gaussian/g16/eliminationTS.out", "gaussian/g09/BSL_opt_freq_DFT.out",
     "gaussian/g16/benzene.out", "gaussian/g03/NIST_CCCBDB_1himidaz_m1b1.out"],
]


def main():
    cli, data = sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else ""
    try:
        import cclib
    except ImportError:
        print("cclib is not installed")
        return SKIP
    if not data or not os.path.exists(os.path.join(data, SETS[0][0])):
        print("shared data absent")
        return SKIP
    failures = []
    for files in SETS:
        paths = [os.path.join(data, f) for f in files]
        read = [cclib.io.ccread(p, loglevel=logging.ERROR) for p in paths]
        free = [r.freeenergy for r in read]
        for kelvin in (298.15, 500.0, 50.0):
            run = subprocess.run([cli, "ensemble", *paths, "--temperature", str(kelvin)],
                                 capture_output=True, text=True, timeout=300)
            if run.returncode != 0:
                failures.append(f"{files}: {run.stderr}")
                continue
            out = json.loads(run.stdout)
            lowest = min(free)
            terms = [math.exp(-(g - lowest) / (BOLTZMANN * kelvin)) for g in free]
            weights = [t / sum(terms) for t in terms]
            for member, r, weight, g in zip(out["members"], read, weights, free):
                name = os.path.basename(member["file"])
                if abs(member["freeEnergy"] - g) > 1e-6 or abs(member["enthalpy"] - r.enthalpy) > 1e-6:
                    failures.append(f"{name}: G {member['freeEnergy']} H {member['enthalpy']} "
                                    f"against cclib {g} {r.enthalpy}")
                if abs(member["weight"] - weight) > 1e-6:
                    failures.append(f"{name} at {kelvin} K: weight {member['weight']} != {weight}")
                relative = (g - lowest) * HARTREE_KJ
                if abs(member["relativeKjPerMol"] - relative) > 1e-3:
                    failures.append(f"{name}: {member['relativeKjPerMol']} kJ/mol != {relative}")
                functional = r.metadata.get("functional")
                basis = r.metadata.get("basis_set")
                if functional and basis:
                    # cclib keeps the name Gaussian 03 prints for B3LYP
                    # (B+HF-LYP), which RAVEK reads as B3LYP.
                    functional = "B3LYP" if functional == "B+HF-LYP" else functional
                    expected = f"{functional}/{basis}".lower()
                    if member["levelOfTheory"].lower() != expected:
                        failures.append(f"{name}: level {member['levelOfTheory']} != {expected}")
            levels = {f"{r.metadata.get('functional')}/{r.metadata.get('basis_set')}".replace(
                "B+HF-LYP", "B3LYP") for r in read}
            if out["sameLevelOfTheory"] != (len(levels) == 1):
                failures.append(f"{files}: sameLevelOfTheory {out['sameLevelOfTheory']}, {levels}")
            if out["thermochemistryAtTemperature"] != (kelvin == 298.15):
                failures.append(f"{files}: thermochemistry at {kelvin} said "
                                f"{out['thermochemistryAtTemperature']}")
        print(f"{len(files)} jobs: weights at {kelvin} K {[round(w, 4) for w in weights]}")
    for failure in failures[:30]:
        print("FAIL", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
