#!/usr/bin/env python3
"""What ravek-cli info reads from the shared ORCA outputs, against readings
that share no code with it.

ORCA 4 outputs against cclib (Debian's python3-cclib): every geometry, the
step energies, the convergence of each cycle, frequencies, IR intensities,
Raman activities and displacements, the thermochemistry, excitation
energies, oscillator and rotatory strengths with their orbital excitations,
charges and spin populations, charge and multiplicity. Where this cclib
reads no value (NMR shieldings, Hirshfeld charges) and for ORCA 5 outputs,
on which it fails, the test's own plain parse of the printed blocks stands
in: the last "CARTESIAN COORDINATES (ANGSTROEM)", every "FINAL SINGLE POINT
ENERGY", "VIBRATIONAL FREQUENCIES", "IR SPECTRUM", the absorption spectrum
table, the charge tables and the thermochemistry's totals.

Where cclib is not taken as it stands, the reason is a fault of its own:
- Its ORCA reader looks for "Final Gibbs free enthalpy", which ORCA 4.0
  printed; ORCA 4.2 prints "Final Gibbs free energy", and cclib reads on to
  the end of the file and fails. It is given the file with the older words.
- Its etoscs are the oscillator strengths of the last absorption table
  printed, the velocity form; the length form, which RAVEK shows as it
  shows Gaussian's, is cclib's own transprop entry of the electric dipole
  table, and is compared with that.
- It keeps energies in eV by its own conversion factor: they are converted
  back with its own convertor.
- Its scfenergies of a TD-DFT job are the SCF energy; ORCA's step energy
  ("FINAL SINGLE POINT ENERGY") is that of the root followed, the SCF
  energy and the printed "DE(CIS)".

Skipped when cclib is not installed or the data is absent."""

import io
import json
import logging
import math
import os
import re
import subprocess
import sys

SKIP = 77
WAVENUMBER_PER_EV = 8065.543937  # CODATA 2018


def info(cli, path):
    run = subprocess.run([cli, "info", "--frames", "all", path], capture_output=True, text=True,
                         timeout=300)
    if run.returncode != 0:
        raise AssertionError(f"ravek-cli info {path}: {run.stderr}")
    return json.loads(run.stdout)


def close(a, b, tolerance):
    if a is None or b is None:
        return a is None and b is None
    return abs(a - b) <= tolerance


class Checks:
    def __init__(self, data):
        self.data, self.failures, self.counts = data, [], {}

    def __call__(self, path, ok, what):
        self.counts[what] = self.counts.get(what, 0) + 1
        if not ok:
            self.failures.append(f"{os.path.relpath(path, self.data)}: {what}")


# The test's own reading of the printed blocks.

def blocks(lines, header):
    """The line indices after each line that is header, stripped."""
    return [i + 1 for i, line in enumerate(lines) if line.strip() == header]


def geometry_at(lines, start):
    rows = []
    for line in lines[start + 1:]:  # after the ruler
        parts = line.split()
        if len(parts) != 4:
            break
        rows.append((parts[0], [float(v) for v in parts[1:]]))
    return rows


def mode_table(lines, header, column):
    """{ORCA's mode number: value} of the table under header."""
    values = {}
    for start in blocks(lines, header):
        values = {}
        for line in lines[start:start + 400]:
            match = re.match(r"^\s*(\d+):\s+(.*)$", line)
            if match:
                values[int(match.group(1))] = float(match.group(2).split()[column - 1])
            elif values:
                break
    return values


def charge_table(lines, header):
    """The values of the last table whose header starts with header."""
    rows = []
    for i, line in enumerate(lines):
        if line.strip().startswith(header):
            rows = []
            for row in lines[i + 2:]:
                match = re.match(r"^\s*(\d+)\s+[A-Za-z]+\s*:\s*(-?\d+\.\d+)(?:\s+(-?\d+\.\d+))?",
                                 row)
                if not match:
                    break
                rows.append((float(match.group(2)),
                             float(match.group(3)) if match.group(3) else None))
    return rows


def absorption(lines):
    """(cm⁻¹, f) of the last length-form absorption table's states."""
    states = []
    for start in blocks(lines, "ABSORPTION SPECTRUM VIA TRANSITION ELECTRIC DIPOLE MOMENTS"):
        states = []
        for line in lines[start + 4:]:
            parts = line.split()
            if len(parts) < 4 or not parts[0].isdigit():
                break
            states.append((float(parts[1]), 0.0 if parts[3] == "spin" else float(parts[3])))
    return states


def printed_number(lines, label):
    found = None
    for line in lines:
        if line.strip().startswith(label):
            found = float(re.findall(r"-?\d+\.\d+", line)[0])
    return found


def check_plain(check, path, ours):
    """The checks by the test's own parse, for any version."""
    with open(path, errors="replace") as f:
        lines = f.read().splitlines()
    frames = ours["frames"]
    geometries = [geometry_at(lines, i) for i in blocks(lines, "CARTESIAN COORDINATES (ANGSTROEM)")]
    check(path, len(frames) == len(geometries), "number of geometries (own parse)")
    last = geometries[-1]
    check(path, [a["symbol"].upper() for a in frames[-1]["atoms"]] == [s.upper() for s, _ in last],
          "elements of the last geometry (own parse)")
    check(path, all(close(a[k], p[j], 1e-6) for a, (_, p) in zip(frames[-1]["atoms"], last)
                    for j, k in enumerate("xyz")), "last geometry (own parse)")
    energies = [float(line.split()[-1]) for line in lines
                if line.startswith("FINAL SINGLE POINT ENERGY")]
    check(path, [f.get("energy") for f in frames] == energies, "step energies (own parse)")
    frequencies = mode_table(lines, "VIBRATIONAL FREQUENCIES", 1)
    modes = next((f["modes"] for f in reversed(frames) if f.get("modes")), [])
    vibrations = [v for _, v in sorted(frequencies.items()) if v != 0.0]
    check(path, [m["frequency"] for m in modes] == vibrations, "frequencies (own parse)")
    if blocks(lines, "IR SPECTRUM"):
        header = next(line for line in lines[blocks(lines, "IR SPECTRUM")[-1]:]
                      if line.split()[:1] == ["Mode"])
        column = header.split().index("Int") if "Int" in header.split() else 2
        ir = mode_table(lines, "IR SPECTRUM", column)
        check(path, [m["irIntensity"] for m in modes] == [ir[n] for n in sorted(ir)],
              "IR intensities (own parse)")
    states = absorption(lines)
    ours_states = ours.get("excitedStates", [])
    check(path, len(ours_states) == len(states), "number of excited states (own parse)")
    for state, (wavenumber, strength) in zip(ours_states, states):
        check(path, close(state["energyEv"] * WAVENUMBER_PER_EV, wavenumber, 0.2),
              "excitation energy (own parse)")
        check(path, state["oscillatorStrength"] == strength, "oscillator strength (own parse)")
    for header, scheme in (("MULLIKEN ATOMIC CHARGES", "mulliken"),
                           ("LOEWDIN ATOMIC CHARGES", "loewdin")):
        rows = charge_table(lines, header)
        check(path, ours["charges"].get(scheme) == [q for q, _ in rows],
              f"{scheme} charges (own parse)")
        if rows and rows[0][1] is not None:
            check(path, ours["spins"].get(scheme) == [s for _, s in rows],
                  f"{scheme} spins (own parse)")
    thermo = ours.get("thermochemistry", {})
    for label, key in (("Final Gibbs free energy", "electronicPlusFreeEnergy"),
                       ("Total Enthalpy", "electronicPlusEnthalpy"),
                       ("Zero point energy", "zeroPointCorrection")):
        check(path, thermo.get(key) == printed_number(lines, label),
              f"thermochemistry {key} (own parse)")
    # The shieldings of the summary, and the Hirshfeld charges and spins.
    for start in blocks(lines, "CHEMICAL SHIELDING SUMMARY (ppm)"):
        rows = [line.split() for line in lines[start:start + 400]]
        rows = [r for r in rows if len(r) == 4 and r[0].isdigit()]
        check(path, [(s["isotropic"], s["anisotropy"]) for s in ours.get("nmr", [])] ==
              [(float(r[2]), float(r[3])) for r in rows], "shieldings (own parse)")
    for start in blocks(lines, "HIRSHFELD ANALYSIS"):
        rows = [line.split() for line in lines[start:start + 400]]
        rows = [r for r in rows if len(r) == 4 and r[0].isdigit()]
        check(path, ours["charges"].get("hirshfeld") == [float(r[2]) for r in rows] and
              ours["spins"].get("hirshfeld") == [float(r[3]) for r in rows],
              "Hirshfeld charges and spins (own parse)")
    ended = any("ORCA TERMINATED NORMALLY" in line for line in lines[-40:])
    check(path, ours.get("termination") == ("normal" if ended else "running"), "termination")
    for key, label in (("charge", "Total Charge"), ("multiplicity", "Multiplicity  ")):
        printed = [int(line.split()[-1]) for line in lines
                   if line.strip().startswith(label.strip()) and "...." in line]
        check(path, ours.get(key) == printed[-1], key + " (own parse)")


def check_cclib(check, path, ours, cclib):
    from cclib.parser.utils import convertor
    with open(path, errors="replace") as f:
        text = f.read()
    # See the module's text: cclib's wording of the free energy.
    parsed = cclib.io.ccread(io.StringIO(text.replace("Final Gibbs free energy",
                                                      "Final Gibbs free enthalpy")))
    frames = ours["frames"]
    check(path, len(frames) == len(parsed.atomcoords), "number of geometries")
    for frame, coordinates in zip(frames, parsed.atomcoords):
        check(path, [a["element"] for a in frame["atoms"]] == list(parsed.atomnos), "elements")
        check(path, all(close(a[k], float(p[j]), 1e-6) for a, p in zip(frame["atoms"], coordinates)
                        for j, k in enumerate("xyz")), "geometry")
    energies = [convertor(e, "eV", "hartree") for e in parsed.scfenergies]
    # An excited-state job's energy is the followed root's: cclib keeps the
    # SCF energy, to which the output's "DE(CIS)" adds the excitation.
    excitation = re.findall(r"DE\(CIS\) =\s+(-?\d+\.\d+) Eh", text)
    if excitation:
        energies[-1] += float(excitation[-1])
    check(path, len(energies) == len(frames) and
          all(close(f["energy"], e, 1e-6) for f, e in zip(frames, energies)), "step energies")
    if hasattr(parsed, "geovalues"):
        # cclib's columns: energy change, MAX and RMS gradient, MAX and RMS
        # step.
        keys = ("maximumForce", "rmsForce", "maximumDisplacement", "rmsDisplacement")
        for frame, values in zip(frames, parsed.geovalues):
            convergence = frame.get("convergence", {})
            check(path, all(close(convergence[k]["value"], float(v), 1e-10) and
                            close(convergence[k]["threshold"], float(t), 1e-12)
                            for k, v, t in zip(keys, values[1:], parsed.geotargets[1:])),
                  "convergence")
        check(path, parsed.optdone == all(i["converged"] for i in frames[-2]["convergence"].values()),
              "optimisation converged")
    modes = next((f["modes"] for f in reversed(frames) if f.get("modes")), [])
    if hasattr(parsed, "vibfreqs"):
        check(path, [m["frequency"] for m in modes] == list(parsed.vibfreqs), "frequencies")
        check(path, [m["irIntensity"] for m in modes] == list(parsed.vibirs), "IR intensities")
        check(path, all(close(d, float(c), 1e-12) for m, disp in zip(modes, parsed.vibdisps)
                        for a, b in zip(m["displacements"], disp) for d, c in zip(a, b)),
              "displacements")
    if hasattr(parsed, "vibramans"):
        check(path, [m["ramanActivity"] for m in modes] == list(parsed.vibramans),
              "Raman activities")
    thermo = ours.get("thermochemistry", {})
    for key, attribute in (("electronicPlusEnthalpy", "enthalpy"),
                           ("electronicPlusFreeEnergy", "freeenergy"),
                           ("temperature", "temperature"), ("pressure", "pressure")):
        if hasattr(parsed, attribute):
            check(path, close(thermo.get(key), float(getattr(parsed, attribute)), 1e-8),
                  "thermochemistry " + key)
    states = ours.get("excitedStates", [])
    if hasattr(parsed, "etenergies"):
        check(path, len(states) == len(parsed.etenergies), "number of excited states")
        length = parsed.transprop["ABSORPTION SPECTRUM VIA TRANSITION ELECTRIC DIPOLE MOMENTS"][1]
        for state, energy, strength, name, rotation, excitations in zip(
                states, parsed.etenergies, length, parsed.etsyms, parsed.etrotats,
                parsed.etsecs):
            check(path, close(state["energyEv"] * WAVENUMBER_PER_EV, float(energy), 0.2),
                  "excitation energy")
            check(path, close(state["oscillatorStrength"], float(strength), 1e-12),
                  "oscillator strength (length form)")
            check(path, state["multiplicity"] == {"Singlet": 1, "Triplet": 3}[name],
                  "multiplicity of the state")
            # Spin forbidden states have no rotatory strength (cclib: 0).
            check(path, close(state["rotatoryStrength"], None if state["multiplicity"] == 3
                              else float(rotation), 1e-12), "rotatory strength")
            check(path, [(t["from"] - 1, t["to"] - 1, t["coefficient"])
                         for t in state["transitions"]] ==
                  [(f[0], t[0], c) for f, t, c in excitations], "orbital excitations")
    names = {"mulliken": "mulliken", "lowdin": "loewdin"}
    for scheme, values in getattr(parsed, "atomcharges", {}).items():
        check(path, ours["charges"].get(names[scheme]) == list(values), f"{scheme} charges")
    for scheme, values in getattr(parsed, "atomspins", {}).items():
        check(path, ours["spins"].get(names[scheme]) == list(values), f"{scheme} spins")
    check(path, (ours.get("charge"), ours.get("multiplicity")) == (parsed.charge, parsed.mult),
          "charge and multiplicity")
    check(path, (ours.get("termination") == "normal") == parsed.metadata.get("success", False),
          "termination")


def main():
    cli, data = sys.argv[1], sys.argv[2]
    try:
        import cclib
    except ImportError:
        print("cclib is not installed: skipped")
        return SKIP
    logging.disable(logging.CRITICAL)
    folder = os.path.join(data, "orca")
    files = sorted(os.path.join(folder, f) for f in os.listdir(folder)) \
        if os.path.isdir(folder) else []
    if not files:
        print("no test data: skipped")
        return SKIP
    check = Checks(data)
    for path in files:
        ours = info(cli, path)
        check(path, ours["sourceKindName"] == "orca", "read as an ORCA output")
        check_plain(check, path, ours)
        version = re.search(r"Program Version (\d+)", open(path, errors="replace").read())
        if version and version.group(1) == "4":
            check_cclib(check, path, ours, cclib)
    for failure in check.failures:
        print("FAIL", failure)
    for what, count in sorted(check.counts.items()):
        print(f"{count:6d} checks of {what}")
    return 1 if check.failures else 0


if __name__ == "__main__":
    sys.exit(main())
