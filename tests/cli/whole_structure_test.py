#!/usr/bin/env python3
"""Structures written whole by `ravek-cli convert --to pdb-full` and
`--to mmcif`, read back by gemmi (Debian's python3-gemmi) and by PyMOL
(python3-pymol), against the original files read by the same programs:
per model, every atom's chain, residue number, insertion code, residue
name, atom name, alternate location, element, HETATM flag, occupancy,
B-factor and position; and PyMOL's counts of atoms, chains and HETATM
atoms. Atom names are compared with a leading digit moved last (the
readers store the old "1HB" as "HB1"). A selection written with
--selection holds the atoms `ravek-cli select` names. The originals' blank
chain names are "A" in mmCIF, which has no blank names. Skipped when gemmi's
or PyMOL's Python module or the data is absent."""

import json
import os
import subprocess
import sys
import tempfile

SKIP = 77
FILES = ["pdb/3G61.pdb", "pdb/1ubq.pdb", "pdb/1CKV.pdb", "pdb/insertion-code.pdb",
         "pdb/dummy_altloc.pdb", "mmcif/1ake.cif.gz", "mmcif/1j8k.cif"]


def name_of(name):
    return name[1:] + name[0] if name[:1].isdigit() else name


def atoms(gemmi, path, blank_chain=""):
    """Per model, the atoms as tuples, in file order; a blank chain name
    read as blank_chain (mmCIF has no blank names: one is written "A"), and
    deuterium (D) as the unknown element X, which is what the readers make
    of it."""
    st = gemmi.read_structure(path)
    models = []
    for model in st:
        rows = []
        for chain in model:
            for residue in chain:
                for atom in residue:
                    element = atom.element.name.upper()
                    rows.append((chain.name or blank_chain, residue.seqid.num, residue.seqid.icode.strip(),
                                 residue.name, name_of(atom.name), atom.altloc.strip("\0 "),
                                 "X" if element == "D" else element, residue.het_flag,
                                 round(atom.occ, 2), round(atom.b_iso, 2),
                                 tuple(round(c, 3) for c in atom.pos.tolist())))
        models.append(rows)
    return models


def pymol_counts(session, path):
    cmd = session.cmd
    cmd.delete("all")
    cmd.load(path, "m")
    chains = set()
    cmd.iterate("m", "chains.add(chain)", space={"chains": chains})
    return (cmd.count_atoms("m"), cmd.count_states("m"), sorted(chains),
            cmd.count_atoms("m and hetatm"))


def convert(cli, path, out, to, selection=None):
    command = [cli, "convert", path, out, "--to", to]
    if selection:
        command += ["--selection", selection]
    run = subprocess.run(command, capture_output=True, text=True, timeout=300)
    if run.returncode != 0:
        raise RuntimeError(f"{' '.join(command)}: {run.stderr.strip()}")


def main():
    cli, data = sys.argv[1], sys.argv[2]
    try:
        import gemmi
        import pymol2
    except ImportError as missing:
        print(f"{missing.name} is not installed: skipped")
        return SKIP
    paths = [os.path.join(data, f) for f in FILES]
    if not all(os.path.exists(p) for p in paths):
        print("test data absent: skipped")
        return SKIP
    session = pymol2.PyMOL()
    session.start()
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        for path in paths:
            theirs = pymol_counts(session, path)
            for to, suffix in (("pdb-full", "pdb"), ("mmcif", "cif")):
                original = atoms(gemmi, path, "A" if to == "mmcif" else "")
                out = os.path.join(folder, os.path.basename(path).split(".")[0] + "." + suffix)
                convert(cli, path, out, to)
                written = atoms(gemmi, out)
                name = f"{os.path.basename(path)} as {to}"
                if len(written) != len(original):
                    failures.append(f"{name}: {len(written)} models, not {len(original)}")
                    continue
                for m, (a, b) in enumerate(zip(original, written)):
                    if a != b:
                        first = next((k for k, (x, y) in enumerate(zip(a, b)) if x != y),
                                     min(len(a), len(b)))
                        failures.append(f"{name}, model {m + 1}: {len(b)} atoms for {len(a)}; "
                                        f"first difference at atom {first}: "
                                        f"{a[first] if first < len(a) else None} / "
                                        f"{b[first] if first < len(b) else None}")
                ours = pymol_counts(session, out)
                if to == "mmcif":
                    theirs_named = (theirs[0], theirs[1],
                                    sorted({c or "A" for c in theirs[2]}), theirs[3])
                else:
                    theirs_named = theirs
                if ours != theirs_named:
                    failures.append(f"{name}: PyMOL reads {ours}, the original {theirs}")
                print(f"{name}: {len(written)} models, {sum(map(len, written))} atoms; "
                      f"PyMOL {ours}")
        # A selection written: the atoms select names, in file order.
        path = os.path.join(data, "pdb/3G61.pdb")
        expression = "byres (within 5 of ligand)"
        out = os.path.join(folder, "pocket.pdb")
        convert(cli, path, out, "pdb-full", expression)
        selected = json.loads(subprocess.run([cli, "select", path, expression],
                                             capture_output=True, text=True).stdout)
        # Compared as sets of atoms named by chain, residue and name
        # (gemmi groups a chain's records together and numbers atoms anew).
        def keyed(structure, keep=None):
            return sorted((c.name, r.seqid.num, r.seqid.icode, r.name, a.name, a.altloc)
                          for m in structure for c in m for r in c for a in r
                          if keep is None or a.serial in keep)
        serials = keyed(gemmi.read_structure(out))
        wanted = keyed(gemmi.read_structure(path), set(selected["serials"]))
        if serials != wanted:
            failures.append(f"the selection '{expression}' written is not the atoms selected")
        else:
            print(f"selection '{expression}': {len(serials)} atoms written")
    session.stop()
    for failure in failures:
        print("FAIL", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
