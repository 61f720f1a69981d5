#!/usr/bin/env python3
"""The atoms `ravek-cli select` selects, against PyMOL's own selection engine
(Debian's python3-pymol) on four structures of the test data: adenylate
kinase (1AKE, mmCIF), P-glycoprotein with its ligand (3G61), ubiquitin with
riding hydrogens (1UBQ) and an NMR ensemble of 14 models (1CKV). Each of 40
expressions is written in both languages; every count must be equal, except
for the pairs listed in EXPLAINED, where the two programs define a word
differently (docs/selections.md says how) and the count must be the one
that definition gives. PyMOL counts in the state (model) ravek-cli reads:
the first, or the third for the pairs run at model 3. Skipped when PyMOL or
the data is absent."""

import json
import os
import subprocess
import sys

SKIP = 77
FILES = {
    "1ake": "mmcif/1ake.cif.gz",
    "3g61": "pdb/3G61.pdb",
    "1ubq": "pdb/1ubq.pdb",
    "1ckv": "pdb/1CKV.pdb",
}

# (ravek expression, PyMOL expression, model) -- 40 pairs.
PAIRS = [
    ("all", "all", 1),
    ("none", "none", 1),
    ("protein", "polymer.protein", 1),
    ("nucleic", "polymer.nucleic", 1),
    ("water", "solvent", 1),
    ("ligand", "organic", 1),
    ("ion", "inorganic", 1),
    ("hydrogen", "hydro", 1),
    ("backbone", "bb.", 1),
    ("sidechain", "sc.", 1),
    ("hetatm", "hetatm", 1),
    ("name CA", "name CA", 1),
    ("name C*", "name C*", 1),
    ("elem C", "elem C", 1),
    ("elem N+O", "elem N+O", 1),
    ("chain A", "chain A", 1),
    ("chain A+B", "chain A+B", 1),
    ("resn ALA+GLY", "resn ALA+GLY", 1),
    ("resi 10-20", "resi 10-20", 1),
    ("resi 5+9", "resi 5+9", 1),
    ("resi 1-10 or resi 100-110", "resi 1-10 or resi 100-110", 1),
    ("chain A and resi 1-50 and name CA", "chain A and resi 1-50 and name CA", 1),
    ("index 1-100", "index 1-100", 1),
    ("serial 1-100", "id 1-100", 1),
    ("not protein", "not polymer.protein", 1),
    ("protein and not hydrogen", "polymer.protein and not hydro", 1),
    ("not (water or hydrogen)", "not (solvent or hydro)", 1),
    ("sidechain and elem S", "sc. and elem S", 1),
    ("(chain A or chain B) and backbone", "(chain A or chain B) and bb.", 1),
    ("helix", "ss H", 1),
    ("sheet", "ss S", 1),
    ("within 5 of ligand", "all within 5 of organic", 1),
    ("around 5 of ligand", "organic around 5", 1),
    ("byres (within 5 of ligand)", "byres (all within 5 of organic)", 1),
    ("byres (around 3.5 of water) and protein",
     "byres (solvent around 3.5) and polymer.protein", 1),
    ("within 8 of (resi 50 and name CA)", "all within 8 of (resi 50 and name CA)", 1),
    ("bychain resi 10", "bychain resi 10", 1),
    ("model 1", "state 1", 1),
    ("model 3", "state 3", 3),
    ("within 6 of resi 10 and not resi 10", "(all within 6 of resi 10) and not resi 10", 3),
]



def dssp_atoms(cmd, key, path, codes):
    """PyMOL's count of the atoms of the residues mkdssp gives one of codes:
    a file without HELIX and SHEET records has its secondary structure
    assigned here from the backbone, as mkdssp assigns it."""
    import tempfile
    from secondary_dssp_test import dssp_codes, pdb_copy
    with tempfile.TemporaryDirectory() as folder:
        found = dssp_codes(pdb_copy(path, folder), folder) or {}
    residues = [f"(chain {c or chr(39) * 2} and resi {n}{i})"
                for (c, n, i), code in found.items() if code in codes]
    return cmd.count_atoms(f"{key} and ({' or '.join(residues) or 'none'})", state=1)


# Where a word means something else here (docs/selections.md says how): for
# (file, ravek expression), the count that definition gives, from PyMOL
# asked otherwise or from mkdssp.
EXPLAINED = {
    # PyMOL's bychain keeps the segment (mmCIF label_asym_id) too, which
    # leaves out the waters and ligands of chains A and B; chains here are
    # the author's chain names alone.
    ("1ake", "bychain resi 10"): lambda cmd, key, path: cmd.count_atoms(
        f"{key} and chain A+B", state=1),
    # No HELIX or SHEET records: assigned from the backbone here (as
    # mkdssp does); PyMOL marks a few residues by its own rules.
    ("1ubq", "helix"): lambda cmd, key, path: dssp_atoms(cmd, key, path, "HGI"),
    ("1ubq", "sheet"): lambda cmd, key, path: dssp_atoms(cmd, key, path, "E"),
}


def ravek_count(cli, path, expression, model):
    run = subprocess.run([cli, "select", path, expression, "--frame", str(model),
                          "--secondary", "file"], capture_output=True, text=True, timeout=120)
    if run.returncode == 1:
        return None
    if run.returncode != 0:
        raise RuntimeError(f"ravek-cli select {path} '{expression}': {run.stderr.strip()}")
    result = json.loads(run.stdout)
    assert result["count"] == len(result["indices"]), expression
    return result["count"]


def main():
    cli, data = sys.argv[1], sys.argv[2]
    try:
        import pymol2
    except ImportError:
        print("PyMOL is not installed: skipped")
        return SKIP
    paths = {key: os.path.join(data, rel) for key, rel in FILES.items()}
    if not all(os.path.exists(p) for p in paths.values()):
        print("test data absent: skipped")
        return SKIP
    assert len(PAIRS) == 40
    session = pymol2.PyMOL()
    session.start()
    cmd = session.cmd
    failures, explained, compared = [], 0, 0
    for key, path in paths.items():
        cmd.delete("all")
        cmd.load(path, key)
        for ours, theirs, model in PAIRS:
            if model > cmd.count_states(key):
                continue
            expected = cmd.count_atoms(f"{key} and ({theirs})", state=model)
            got = ravek_count(cli, path, ours, model)
            compared += 1
            definition = EXPLAINED.get((key, ours))
            mark = "=" if got == expected else ("explained" if definition else "DIFFERS")
            print(f"{key:5} {ours:45} ravek {got:6} pymol {expected:6} {mark}")
            if got == expected:
                continue
            if definition is None:
                failures.append(f"{key} '{ours}': ravek {got}, PyMOL {expected}")
                continue
            wanted = definition(cmd, key, path)
            if got != wanted:
                failures.append(f"{key} '{ours}': ravek {got}, its definition gives {wanted}")
            else:
                explained += 1
    session.stop()
    print(f"{compared} comparisons, {explained} explained differences")
    for failure in failures:
        print("FAIL", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
