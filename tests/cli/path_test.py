#!/usr/bin/env python3
"""The scan and IRC points ravek-cli path reads from the shared Gaussian
outputs, against the tables Gaussian prints, parsed here on their own.

Scans: the energy of every converged point equals the last "SCF Done"
before its "Optimization completed" (1e-6 hartree), and the energies and the
scanned coordinate's values equal the "Summary of Optimized Potential
Surface Scan" to its printed digits; a scan that failed on its first point
gives that point, not converged, at the last step's energy. IRCs: every
point's energy relative to the transition state and its reaction
coordinate equal the "Summary of reaction path following" row by row, in
its order (reverse half first). Two files: a forward IRC and a reverse one
made from it (the same transition state) join into one path about it in
reaction order; the shared forward and reverse files, which start from
different structures, are not joined.

Skipped when the shared data is absent."""

import json
import os
import re
import subprocess
import sys
import tempfile

SKIP = 77
NUMBER = re.compile(r"-?\d+\.\d+")


def path_of(cli, *files, extra=()):
    run = subprocess.run([cli, "path", *files, *extra], capture_output=True, timeout=300)
    if run.returncode != 0:
        raise AssertionError(f"ravek-cli path {files}: {run.stderr.decode()}")
    return json.loads(run.stdout.decode("utf-8"))["paths"]


def scan_tables(text):
    """The scanned coordinates' names, the SCF energies before each
    "Optimization completed", and the summary's energies and rows."""
    lines = text.splitlines()
    names = []
    for line in lines:
        if line.lstrip().startswith("Step number"):
            break
        words = line.split()
        if len(words) >= 6 and words[0] == "!" and words[4] == "Scan":
            names.append(words[1])
    completed, scf = [], None
    for line in lines:
        if line.startswith(" SCF Done:"):
            scf = float(line.split("=")[1].split()[0])
        elif line.startswith(" Optimization completed"):
            completed.append(scf)
    summary = {"energies": [], "rows": {}}
    start = next((i for i, l in enumerate(lines) if "Summary of Optimized Potential Surface Scan"
                  in l), None)
    if start is not None:
        add = 0.0
        found = re.search(r"add\s+(-?\d+\.\d+)\s+to energies", lines[start])
        if found:
            add = float(found.group(1))
        for line in lines[start + 1:]:
            words = line.split()
            if not words or not (words[0].isdigit() or words[0] == "Eigenvalues" or
                                 re.fullmatch(r"[RADL]\d+", words[0])):
                break
            if words[0] == "Eigenvalues":
                summary["energies"] += [float(v) + add for v in NUMBER.findall(line)]
            elif not words[0].isdigit():
                summary["rows"].setdefault(words[0], []).extend(
                    float(v) for v in NUMBER.findall(line[line.index(words[0]) + len(words[0]):]))
    return names, completed, summary


def irc_summary(text):
    lines = text.splitlines()
    start = max(i for i, l in enumerate(lines) if "Summary of reaction path following" in l)
    rows = []
    for line in lines[start + 3:]:
        words = line.split()
        if len(words) != 3 or not words[0].isdigit():
            break
        rows.append((float(words[1]), float(words[2])))
    return rows


def angle_difference(a, b):
    return abs((a - b + 180.0) % 360.0 - 180.0)


def check_scan(cli, file, failures):
    text = open(file, encoding="latin-1").read()
    names, completed, summary = scan_tables(text)
    (path,) = path_of(cli, file)
    points = path["points"]
    where = os.path.basename(file)
    if path["kind"] != "scan" or [c["name"] for c in path["coordinates"]] != names:
        failures.append(f"{where}: kind {path['kind']}, coordinates {path['coordinates']}")
        return
    converged = [p for p in points if p["converged"]]
    if len(converged) != len(completed):
        failures.append(f"{where}: {len(converged)} converged points, {len(completed)} completed")
    for p, energy in zip(converged, completed):
        if abs(p["energy"] - energy) > 1e-6:
            failures.append(f"{where}: point {p['number']} energy {p['energy']} != {energy}")
    if summary["energies"]:
        if len(summary["energies"]) != len(points):
            failures.append(f"{where}: {len(points)} points, summary {len(summary['energies'])}")
        unit = path["coordinates"][0]["unit"]
        for k, (p, energy) in enumerate(zip(points, summary["energies"])):
            if abs(p["energy"] - energy) > 6e-6:
                failures.append(f"{where}: point {k + 1} energy {p['energy']} != summary {energy}")
            for c, value in zip(path["coordinates"], p["values"]):
                printed = summary["rows"][c["name"]][k]
                difference = (abs(value - printed) if c["unit"] == "angstrom" else
                              angle_difference(value, printed))
                if difference > 1e-4:
                    failures.append(f"{where}: point {k + 1} {c['name']} {value} != {printed}")
        if unit not in ("angstrom", "degree"):
            failures.append(f"{where}: unit {unit}")
    else:
        # No summary: a scan that failed on its way.
        last_scf = float(re.findall(r" SCF Done:.*?=\s*(-?\d+\.\d+)", text)[-1])
        if not points or points[-1]["converged"] or abs(points[-1]["energy"] - last_scf) > 1e-6:
            failures.append(f"{where}: the failed point is {points[-1:]} (last SCF {last_scf})")
    print(f"{where}: {len(points)} points, {len(converged)} converged")


def check_irc(cli, file, failures, path=None):
    text = open(file, encoding="latin-1").read()
    rows = irc_summary(text)
    if path is None:
        (path,) = path_of(cli, file)
    points = path["points"]
    where = os.path.basename(file)
    if path["kind"] != "irc" or len(points) != len(rows):
        failures.append(f"{where}: {path['kind']} with {len(points)} points, summary {len(rows)}")
        return
    (ts,) = [p for p in points if p["direction"] == "transition state"]
    for k, (p, (energy, coordinate)) in enumerate(zip(points, rows)):
        if abs(p["energy"] - ts["energy"] - energy) > 6e-6:
            failures.append(f"{where}: row {k + 1} energy {p['energy'] - ts['energy']} != {energy}")
        if abs(p["coordinate"] - coordinate) > 6e-6:
            failures.append(f"{where}: row {k + 1} coordinate {p['coordinate']} != {coordinate}")
        if not p["converged"]:
            failures.append(f"{where}: row {k + 1} not converged")
    print(f"{where}: {len(points)} points in reaction order")


def check_join(cli, data, failures):
    forward = os.path.join(data, "gaussian/irc/oh_chloroform_irc_forward.log")
    reverse = os.path.join(data, "gaussian/irc/oh_chloroform_irc_reverse.log")
    # The shared pair starts from two structures: two paths.
    paths = path_of(cli, forward, reverse)
    if len(paths) != 2:
        failures.append(f"the shared forward and reverse files were joined: {len(paths)} path")
    # The reverse job of the same transition state, made from the forward one.
    text = open(forward, encoding="latin-1").read()
    if "Rxn path following direction = Forward" not in text:
        failures.append("the forward file does not say its direction")
        return
    with tempfile.TemporaryDirectory() as scratch:
        mirrored = os.path.join(scratch, "reverse.log")
        with open(mirrored, "w", encoding="latin-1") as out:
            out.write(text.replace("Rxn path following direction = Forward",
                                   "Rxn path following direction = Reverse"))
        (single,) = path_of(cli, forward)
        for order in ((mirrored, forward), (forward, mirrored)):
            joined = path_of(cli, *order)
            if len(joined) != 1 or len(joined[0]["points"]) != 2 * len(single["points"]) - 1:
                failures.append(f"{order}: not joined into one path: {len(joined)}")
                continue
            points = joined[0]["points"]
            coordinates = [p["coordinate"] for p in points]
            if coordinates != sorted(coordinates) or coordinates[len(points) // 2] != 0.0:
                failures.append(f"{order}: not in reaction order: {coordinates}")
            reverse_file = 1 if order[0] == mirrored else 2
            if any(p["file"] != reverse_file for p in points if p["direction"] == "reverse"):
                failures.append(f"{order}: the reverse half comes from the wrong file")
            # The mirrored half's energies run the same way out from the TS.
            n = len(single["points"])
            for k in range(n):
                if abs(points[n - 1 - k]["energy"] - points[n - 1 + k]["energy"]) > 1e-9:
                    failures.append(f"{order}: point {k} from the TS differs in energy")
                    break
    print("joining: the shared pair apart, a forward job with its reverse joined")


def main():
    cli, data = sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else ""
    if not data or not os.path.isdir(os.path.join(data, "gaussian/scan")):
        print("shared data absent")
        return SKIP
    failures = []
    for name in ("gaussian/scan/g16_h2o2_dihedral_scan_wb97xd.out",
                 "gaussian/scan/g16_cationic_bond_scan_failed.log",
                 "gaussian/g09/dvb_scan_revA.02.log"):
        check_scan(cli, os.path.join(data, name), failures)
    for name in ("gaussian/irc/oh_chloroform_irc_forward.log",
                 "gaussian/irc/oh_chloroform_irc_reverse.log",
                 "gaussian/irc/g16_diels_alder_irc_lqa_rough.out"):
        check_irc(cli, os.path.join(data, name), failures)
    check_join(cli, data, failures)
    for failure in failures[:40]:
        print("FAIL", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
