#!/usr/bin/env python3
"""What ravek-cli info reads from Gaussian outputs beyond geometries, against
cclib's readings of the same files: excitation energies, oscillator and
rotatory strengths, Raman activities, the thermochemistry and atomic charges.
The shieldings, which this cclib does not read, are checked against the
file's own last "Isotropic =" lines, found here by a pattern of this test's.
Every Gaussian output of the test data is read (add files and they are
checked too). Skipped when cclib is not installed or the data is absent."""

import glob
import json
import math
import os
import re
import subprocess
import sys

SKIP = 77

# eV in cm⁻¹, as cclib converts.
EV_TO_WAVENUMBER = 8065.54429


def info(cli, path):
    run = subprocess.run([cli, "info", "--frames", "all", "--type", "gaussian", path],
                         capture_output=True, text=True, timeout=300)
    if run.returncode != 0:
        return None
    return json.loads(run.stdout)


def close(a, b, tolerance):
    """Equal within tolerance; a value not printed (null, NaN) equals only
    another not printed."""
    unprinted = (a is None or math.isnan(a), b is None or math.isnan(b))
    if unprinted[0] or unprinted[1]:
        return unprinted[0] and unprinted[1]
    return abs(a - b) <= tolerance


def last_shieldings(path, symbols=False):
    """The isotropic shieldings of the last shielding block, by this test's
    own pattern (with symbols, the element symbols the block names)."""
    pattern = re.compile(r"^\s*(\d+)\s+(\S+)\s+Isotropic =\s*(-?\d+\.\d+)")
    blocks, current = [], None
    with open(path, errors="replace") as f:
        for line in f:
            if "Magnetic shielding tensor (ppm)" in line:
                current = []
                blocks.append(current)
                continue
            match = pattern.match(line)
            if match and current is not None and int(match.group(1)) == len(current) + 1:
                current.append(match.group(2) if symbols else float(match.group(3)))
    return blocks[-1] if blocks else None


def last_table(path, headers):
    """The values of the last charge table under one of headers, by this
    test's own pattern: rows "n  El  value" numbered from 1."""
    row = re.compile(r"^\s*(\d+)\s+[A-Za-z]+\s+(-?\d*\.\d+)")
    tables, current = [], None
    with open(path, errors="replace") as f:
        for line in f:
            if line.strip() in headers:
                current = []
                tables.append(current)
                continue
            if current is None:
                continue
            match = row.match(line)
            if match and int(match.group(1)) == len(current) + 1:
                current.append(float(match.group(2)))
            elif current or not re.match(r"^\s*[\d\s]+$", line):
                current = None
    return tables[-1] if tables else None


def main():
    cli, data = sys.argv[1], sys.argv[2]
    try:
        import cclib
    except ImportError:
        print("cclib is not installed: skipped")
        return SKIP
    files = sorted(f for f in glob.glob(os.path.join(data, "gaussian", "**", "*"), recursive=True)
                   if os.path.isfile(f) and not f.endswith(".gz"))
    if not files:
        print("no test data: skipped")
        return SKIP
    failures, checked = [], {}

    def check(name, ok, what):
        checked[what] = checked.get(what, 0) + 1
        if not ok:
            failures.append(f"{os.path.relpath(name, data)}: {what}")

    for path in files:
        try:
            parsed = cclib.io.ccread(path)
        except Exception:  # cclib fails on some files; nothing to compare then
            parsed = None
        ours = info(cli, path)
        if ours is None:
            continue
        states = ours.get("excitedStates", [])
        if parsed is not None and hasattr(parsed, "etenergies"):
            # This cclib gathers the states of every set an output prints
            # (each step of an optimisation); ours are the last set's.
            theirs = list(zip(parsed.etenergies, parsed.etoscs))
            check(path, len(states) > 0 and len(theirs) % len(states) == 0,
                  "number of excited states")
            theirs = theirs[len(theirs) - len(states):] if states else []
            for state, (energy, strength) in zip(states, theirs):
                check(path, close(state["energyEv"] * EV_TO_WAVENUMBER, energy, 0.5),
                      "excitation energy")
                check(path, close(state["oscillatorStrength"], strength, 5e-5),
                      "oscillator strength")
                # The printed wavelength agrees with the energy to its rounding.
                check(path, close(state["wavelengthNm"], 1e7 / energy,
                                  0.006 + 1e7 / energy * 0.0001 / state["energyEv"]),
                      "wavelength")
            if hasattr(parsed, "etrotats"):
                for state, rotation in zip(states, parsed.etrotats):
                    check(path, close(state["rotatoryStrength"], rotation, 5e-5),
                          "rotatory strength")
        if parsed is not None and hasattr(parsed, "vibramans"):
            # The modes of the last frequency job, whatever jobs followed it.
            with_modes = [f["modes"] for f in ours.get("frames", []) if f.get("modes")]
            modes = with_modes[-1] if with_modes else []
            ramans = [m["ramanActivity"] for m in modes]
            check(path, len(ramans) == len(parsed.vibramans), "number of Raman activities")
            for ours_value, theirs in zip(ramans, parsed.vibramans):
                check(path, close(ours_value, theirs, 5e-5), "Raman activity")
        thermo = ours.get("thermochemistry", {})
        for key, attribute in (("electronicPlusEnthalpy", "enthalpy"),
                               ("electronicPlusFreeEnergy", "freeenergy"),
                               ("zeroPointCorrection", "zpve"),
                               ("temperature", "temperature"), ("pressure", "pressure")):
            if parsed is not None and hasattr(parsed, attribute):
                check(path, close(thermo.get(key), float(getattr(parsed, attribute)), 5e-7),
                      "thermochemistry " + key)
        charges = ours.get("charges", {})
        problems = " ".join(ours.get("resultProblems", []))
        if parsed is not None and hasattr(parsed, "atomcharges"):
            for scheme, values in parsed.atomcharges.items():
                if scheme not in ("mulliken", "natural", "apt", "esp", "hirshfeld", "cm5"):
                    continue
                if scheme not in charges and scheme + " charges" in problems:
                    continue  # a table of another length, said
                if scheme == "natural" and ours.get("spins"):
                    continue  # this cclib takes an open shell's last (beta) summary
                mine = charges.get(scheme)
                # Gaussian's tables, and cclib, leave out the dummy centres
                # and translation vectors (negative atomic numbers); ours
                # have no value (null) for them.
                numbers = list(parsed.atomnos) if mine is not None else []
                if mine is not None and len(mine) == len(numbers) != len(values):
                    check(path, all((q is None) == (z < 0) for q, z in zip(mine, numbers)),
                          f"{scheme} charges of dummies and translation vectors")
                    mine = [q for q, z in zip(mine, numbers) if z >= 0]
                check(path, mine is not None and len(mine) == len(values) and
                      all(close(a, b, 5e-7) for a, b in zip(mine, values)),
                      f"{scheme} charges")
        # APT charges, which this cclib does not read, by the test's pattern.
        apt = last_table(path, ("APT charges:", "APT atomic charges:"))
        if apt and len(apt) == len(charges.get("mulliken", apt)):
            check(path, charges.get("apt") == apt, "apt charges (own pattern)")
        shieldings = last_shieldings(path)
        if shieldings:
            nmr = ours.get("nmr", [])
            check(path, [s["isotropic"] for s in nmr] == shieldings, "isotropic shieldings")
            # Each entry names its atom: the number and element the block
            # prints.
            check(path, [s.get("atom") for s in nmr] == list(range(1, len(shieldings) + 1)) and
                  [s.get("symbol") for s in nmr] == last_shieldings(path, True),
                  "shielding atoms named")
        # Nothing absurd: finite values only (NaN is written as null).
        for state in states:
            check(path, state["energyEv"] > 0 and math.isfinite(state["wavelengthNm"]),
                  "excited state values finite and positive")

    for failure in failures:
        print("FAIL", failure)
    for what, count in sorted(checked.items()):
        print(f"{count:6d} checks of {what}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
