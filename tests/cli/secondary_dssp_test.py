#!/usr/bin/env python3
"""The secondary structure `ravek-cli info --secondary` assigns, against
mkdssp's (Debian's dssp package) on every PDB and mmCIF file of the test data.
Each PDB file is given to both programs as the same copy: a HEADER line (which
mkdssp needs), the coordinate records only, and chain A where the chain
column is blank (which mkdssp refuses). Residues are matched by chain, number
and insertion code; mkdssp's polyproline code P counts as no structure (it
is not one of the hydrogen-bond patterns). The two must agree on at least
99 % of the residues both analyse, over all files together and in each file
of more than 50 residues. Prints every residue that differs. Skipped when
mkdssp is not installed or the data is absent."""

import glob
import json
import os
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
HEADER = "HEADER    TEST STRUCTURE                          01-JAN-00   XXXX\n"
RECORDS = ("ATOM  ", "HETATM", "MODEL ", "ENDMDL", "TER", "END")


def pdb_copy(path, folder):
    """The copy of a PDB file both programs read."""
    out = os.path.join(folder, os.path.basename(path))
    with open(path, errors="replace") as f, open(out, "w") as w:
        w.write(HEADER)
        for line in f:
            if not line.startswith(RECORDS):
                continue
            if line.startswith(("ATOM  ", "HETATM")) and len(line) > 22 and line[21] == " ":
                line = line[:21] + "A" + line[22:]
            w.write(line)
    return out


def dssp_codes(path, folder):
    """mkdssp's codes of the first model by (chain, number, insertion), or
    None when mkdssp cannot read the file."""
    out = os.path.join(folder, "out.dssp")
    if os.path.exists(out):
        os.remove(out)
    run = subprocess.run(["mkdssp", "--output-format", "dssp", path, out],
                         capture_output=True, text=True, timeout=600)
    if run.returncode != 0 or not os.path.exists(out):
        return None
    codes, table = {}, False
    with open(out) as f:
        for line in f:
            if line.startswith("  #  RESIDUE"):
                table = True
                continue
            if not table or len(line) < 17 or line[13] == "!":
                continue
            key = (line[11].strip(), int(line[5:10]), line[10].strip())
            code = line[16]
            codes[key] = "-" if code in " P" else code
    return codes


def our_codes(cli, path):
    run = subprocess.run([cli, "info", "--secondary", "--frames", "all", path],
                         capture_output=True, text=True, timeout=600)
    if run.returncode != 0:
        return None
    frames = json.loads(run.stdout)["frames"]
    if not frames:
        return {}
    return {(r["chain"], r["residueNumber"], r["insertionCode"]): r["code"]
            for r in frames[0]["secondaryStructure"]}


def main():
    cli, data = sys.argv[1], sys.argv[2]
    if shutil.which("mkdssp") is None:
        print("mkdssp is not installed")
        return SKIP
    files = sorted(glob.glob(os.path.join(data, "pdb", "*")) +
                   glob.glob(os.path.join(data, "mmcif", "*")))
    if not files:
        print("no test data")
        return SKIP
    total = agreed = 0
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        for path in files:
            name = os.path.basename(path)
            given = path if "/mmcif/" in path else pdb_copy(path, folder)
            theirs = dssp_codes(given, folder)
            if theirs is None:
                print(f"{name}: mkdssp cannot read it, not compared")
                continue
            ours = our_codes(cli, given)
            if ours is None:
                failures.append(f"{name}: ravek-cli read no molecule")
                continue
            common = sorted(set(ours) & set(theirs))
            same = sum(ours[k] == theirs[k] for k in common)
            only_ours = len(set(ours) - set(theirs))
            only_theirs = len(set(theirs) - set(ours))
            print(f"{name}: {same}/{len(common)} agree; analysed only here {only_ours}, "
                  f"only by mkdssp {only_theirs}")
            for k in common:
                if ours[k] != theirs[k]:
                    print(f"  {k}: ours {ours[k]!r}, mkdssp {theirs[k]!r}")
            total += len(common)
            agreed += same
            if len(common) > 50 and same < 0.99 * len(common):
                failures.append(f"{name}: {same}/{len(common)} agree")
    if total == 0:
        failures.append("no residue compared")
    else:
        print(f"all files: {agreed}/{total} = {100.0 * agreed / total:.2f} % agree")
        if agreed < 0.99 * total:
            failures.append("fewer than 99 % agree over all files")
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
