#!/usr/bin/env python3
"""ravek-cli as a user's script sees it: exit codes, messages, the JSON that
info prints and the files that convert writes, on small fixtures and on
every shared real file."""

import gzip
import json
import math
import os
import re
import select
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from memory_limits import address_space_limit, inflating_gzip  # noqa: E402

CLI = None
DATA = None

PDB = (
    "HEADER    TEST\n"
    "ATOM      1  N   ALA A   1       1.234  -0.000   0.100  1.00  0.00           N\n"
    "ATOM      2  CA  ALA A   1       2.680   0.000   0.100  1.00  0.00           C\n"
    "ATOM      3  C   ALA A   1       3.200   1.420   0.100  1.00  0.00           C\n"
    "HETATM    4 CA    CA A 101      10.000  10.000  10.000  1.00  0.00          CA\n"
    "CONECT    1    3\n"
    "END\n"
)

GAUSSIAN_INPUT = "#P HF\n\nwater\n\n0 1\nO 0.0 0.0 0.1173\nH 0.0 0.7572 -0.4692\nH 0.0 -0.7572 -0.4692\n\n"
ZMATRIX_INPUT = "#P HF\n\nwater\n\n0 1\nO\nH 1 0.96\nH 1 0.96 2 104.5\n\n"
UNRESOLVED_ZMATRIX = "#P HF\n\nwater\n\n0 1\nO\nH 1 r\nH 1 r 2 a\n\nr 0.96\n"

RULER = " " + "-" * 69 + "\n"
FREQUENCY_JOB = (
    " This is part of the Gaussian(R) 16 program.  It is based on\n"
    "                          Input orientation:\n" + RULER +
    " Center     Atomic      Atomic             Coordinates (Angstroms)\n"
    " Number     Number       Type             X           Y           Z\n" + RULER +
    "      1          8           0        0.000000    0.000000    0.117300\n"
    "      2          1           0        0.000000    0.757200   -0.469200\n"
    "      3          1           0        0.000000   -0.757200   -0.469200\n" + RULER +
    "                      1                      2                      3\n"
    "                     A1                     A1                     B2\n"
    " Frequencies --  -1668.2293              3866.1598              3976.5311\n"
    " Red. masses --      1.0820                 1.0458                 1.0810\n"
    " IR Inten    --     89.6988                 8.4803                44.2991\n"
    "  Atom  AN      X      Y      Z        X      Y      Z        X      Y      Z\n"
    "     1   8    -0.00  -0.00  -0.07     0.00  -0.00   0.05    -0.00  -0.07  -0.00\n"
    "     2   1     0.00   0.43   0.56     0.00   0.58  -0.40    -0.00   0.55  -0.44\n"
    "     3   1     0.00  -0.43   0.56    -0.00  -0.58  -0.40     0.00   0.55   0.44\n")


def bond_set(atoms):
    """The bonds of a frame of `info` as pairs of atom indices, lower first."""
    return {(min(i, b), max(i, b)) for i, atom in enumerate(atoms) for b in atom["bonded"]}


def connected_to(atoms, start):
    """The atoms reached from atom start through bonds, start included."""
    seen, stack = {start}, [start]
    while stack:
        for b in atoms[stack.pop()]["bonded"]:
            if b not in seen:
                seen.add(b)
                stack.append(b)
    return seen


def run(*args, env=None, stdout=subprocess.PIPE):
    return subprocess.run([CLI, *args], stdout=stdout, stderr=subprocess.PIPE, env=env, timeout=120)

DIPEPTIDE = """\
ATOM      1  N   GLY B   7       0.000   0.000   0.000  1.00 10.00           N
ATOM      2  CA  GLY B   7       1.458   0.000   0.000  1.00 10.00           C
ATOM      3  C   GLY B   7       2.009   1.420   0.000  1.00 10.00           C
ATOM      4  O   GLY B   7       1.251   2.390   0.000  1.00 10.00           O
ATOM      5  N   ALA B   7A      3.332   1.536   0.000  1.00 10.00           N
ATOM      6  CA  ALA B   7A      3.988   2.839   0.000  1.00 10.00           C
ATOM      7  C   ALA B   7A      5.504   2.693   0.000  1.00 10.00           C
ATOM      8  O   ALA B   7A      6.030   1.580   0.000  1.00 10.00           O
HETATM    9 ZN    ZN B 101      10.000  10.000  10.000  1.00 10.00          ZN
"""



ORCA_BANNER = ("\n   *****************\n   * O   R   C   A *\n   *****************\n\n"
               "                         Program Version 5.0.3 -  RELEASE  -\n")
ORCA_END = "\n                             ****ORCA TERMINATED NORMALLY****\n"


def orca_step(k):
    """One optimisation cycle of an ORCA output: geometry, energy,
    convergence."""
    return ("---------------------------------\nCARTESIAN COORDINATES (ANGSTROEM)\n"
            "---------------------------------\n"
            "  O      0.000000    0.000000    %.6f\n"
            "  H      0.000000    0.763239   -0.477047\n"
            "  H      0.000000   -0.763239   -0.477047\n\n"
            "FINAL SINGLE POINT ENERGY       %.12f\n\n"
            "          ----------------------|Geometry convergence|------------------\n"
            "          Item                value                   Tolerance       Converged\n"
            "          ---------------------------------------------------------------------\n"
            "          RMS gradient        %.10f            0.0001000000      NO\n"
            "          ........................................................\n"
            % (0.119262 + 0.01 * k, -76.3 - 0.001 * k, 0.002 / (k + 1)))

class Fixtures(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.TemporaryDirectory()

        def write(name, text):
            path = os.path.join(cls.dir.name, name)
            with open(path, "w", newline="") as f:
                f.write(text)
            return path

        cls.pdb = write("peptide.PDB", PDB)
        cls.com = write("water.gjf", GAUSSIAN_INPUT)
        cls.zmat = write("water_z.com", ZMATRIX_INPUT)
        cls.unresolved = write("water_a.com", UNRESOLVED_ZMATRIX)
        cls.freq = write("freq.log", FREQUENCY_JOB)
        cls.other = write("water.mol2", GAUSSIAN_INPUT)
        cls.empty = write("empty.pdb", "REMARK nothing\n")
        cls.dipeptide = write("dipeptide.pdb", DIPEPTIDE)

    @classmethod
    def tearDownClass(cls):
        cls.dir.cleanup()

    def info(self, *args, code=0, env=None):
        result = run("info", *args, env=env)
        self.assertEqual(result.returncode, code, result.stderr.decode())
        return result

    def test_structure_file_fields_and_kind_names(self):
        # Chain, author residue number and insertion code, B-factor,
        # occupancy and the HETATM flag as the file writes them; the kinds by
        # name beside their numbers.
        model = json.loads(self.info(self.dipeptide).stdout)
        self.assertEqual((model["sourceKind"], model["sourceKindName"]), (2, "pdb"))
        self.assertEqual(model["gaussianFileTypeName"], "pdb")
        atoms = model["frames"][0]["atoms"]
        first, alanine, zinc = atoms[0], atoms[4], atoms[8]
        self.assertEqual((first["chain"], first["residueNumber"], first["insertionCode"]), ("B", 7, ""))
        self.assertEqual((alanine["residueNumber"], alanine["insertionCode"]), (7, "A"))
        self.assertEqual((zinc["chain"], zinc["residueNumber"], zinc["hetero"]), ("B", 101, True))
        self.assertFalse(first["hetero"])
        self.assertEqual((first["bFactor"], first["occupancy"]), (10.0, 1.0))
        # Gaussian files carry none of these.
        water = json.loads(self.info(self.com).stdout)
        self.assertEqual((water["sourceKindName"], water["gaussianFileTypeName"]), ("gaussian", "input"))
        self.assertEqual(water["inputGeometryTypeName"], "cartesian")
        self.assertNotIn("chain", water["frames"][0]["atoms"][0])

    def test_undefined_angles_are_null(self):
        # Three residues whose backbone lies on one line: phi and psi of the
        # middle one are undefined, null in JSON (the plot data keeps 200).
        lines = []
        for r in range(3):
            for k, name in enumerate(("N", "CA", "C")):
                serial = 3 * r + k + 1
                lines.append("ATOM  %5d  %-3s ALA A%4d    %8.3f%8.3f%8.3f  1.00  0.00           %s"
                             % (serial, name, r + 1, 1.45 * (serial - 1), 0.0, 0.0, name[0]))
        path = os.path.join(self.dir.name, "line.pdb")
        with open(path, "w") as f:
            f.write("\n".join(lines) + "\n")
        model = json.loads(self.info(path, "--frames", "none").stdout)
        self.assertEqual((model["phi"], model["psi"]), ([None], [None]))
        plot = os.path.join(self.dir.name, "line.rpd")
        self.assertEqual(run("convert", path, plot, "--to", "rpd").returncode, 0)
        with open(plot) as f:
            self.assertIn("200", f.read())

    def test_pdb_model_as_json(self):
        model = json.loads(self.info(self.pdb).stdout)
        self.assertEqual(model["sourceKind"], 2)
        self.assertEqual(model["gaussianFileType"], 1)
        self.assertEqual(model["frameCount"], 1)
        self.assertEqual(model["atomCount"], 4)
        self.assertEqual(model["currentFrame"], 0)
        frame = model["frames"][0]
        self.assertEqual(frame["index"], 0)
        self.assertEqual(frame["residueCount"], 2)
        self.assertEqual(frame["residueLabels"], {"0": "ALA1", "1": "CA101"})
        n, ca, c, ion = frame["atoms"]
        self.assertEqual(n["x"], 1.234)  # printed so that it reads back exactly
        self.assertEqual(n["label"], "N")
        self.assertEqual(n["serial"], 1)
        self.assertEqual(n["residue"], "ALA")
        self.assertEqual(ca["symbol"], "C")
        self.assertEqual((ion["element"], ion["symbol"], ion["residueIndex"]), (20, "CA", 1))
        # Bonds perceived in the protein mode by default, CONECT ignored.
        self.assertEqual(n["bonded"], [1])
        self.assertEqual(ion["bonded"], [])
        self.assertEqual(frame["centre"], [5.617, 5.0, 5.05])

    def test_secondary_structure_per_frame_on_request(self):
        plain = json.loads(self.info(self.dipeptide).stdout)
        self.assertNotIn("secondaryStructure", plain["frames"][0])
        model = json.loads(self.info(self.dipeptide, "--secondary").stdout)
        # Too short for any pattern; each residue with its whole backbone is
        # listed, the ion is not.
        self.assertEqual(model["frames"][0]["secondaryStructure"], [
            {"chain": "B", "residueNumber": 7, "insertionCode": "", "residueName": "GLY",
             "code": "-"},
            {"chain": "B", "residueNumber": 7, "insertionCode": "A", "residueName": "ALA",
             "code": "-"}])
        self.assertIn(b"--secondary", run("info").stderr)

    def test_reading_options(self):
        conect = json.loads(self.info(self.pdb, "--conect").stdout)
        self.assertEqual(conect["frames"][0]["atoms"][0]["bonded"], [2])
        self.assertEqual(conect["frames"][0]["atoms"][1]["bonded"], [])
        general = json.loads(self.info("--bond-mode", "0", self.pdb).stdout)
        self.assertEqual(general["frames"][0]["atoms"][1]["bonded"], [0, 2])
        as_gaussian = self.info("--type", "gaussian", self.pdb, code=1)
        self.assertIn(b"no geometry", as_gaussian.stderr)

    def test_zmatrix_input_as_cartesian_atoms(self):
        atoms = json.loads(self.info(self.zmat).stdout)["frames"][0]["atoms"]
        self.assertEqual([a["label"] for a in atoms], ["1O", "2H", "3H"])
        self.assertAlmostEqual(atoms[1]["z"], 0.96)
        self.assertEqual(atoms[0]["bonded"], [1, 2])

    def test_normal_modes_per_geometry(self):
        frame = json.loads(self.info(self.freq).stdout)["frames"][0]
        modes = frame["modes"]
        self.assertEqual([m["number"] for m in modes], [1, 2, 3])
        self.assertEqual(modes[0]["frequency"], -1668.2293)
        self.assertEqual(modes[2]["symmetry"], "B2")
        self.assertEqual(modes[1]["irIntensity"], 8.4803)
        self.assertIsNone(modes[0]["forceConstant"])
        self.assertIsNone(modes[0]["ramanActivity"])
        self.assertEqual(modes[1]["displacements"][1], [0, 0.58, -0.4])
        without = json.loads(self.info(self.freq, "--modes", "none").stdout)["frames"][0]
        self.assertNotIn("modes", without)
        self.assertNotIn("modes", json.loads(self.info(self.com).stdout)["frames"][0])
        self.info(self.freq, "--modes", "some", code=2)

    def test_frames_choice(self):
        self.assertEqual(json.loads(self.info(self.pdb, "--frames", "none").stdout)["frames"], [])
        last = json.loads(self.info(self.com, "--frames", "last").stdout)
        self.assertEqual([f["index"] for f in last["frames"]], [0])
        self.assertEqual(last["frames"][0]["atoms"][2]["label"], "3H")
        self.assertEqual(last["gaussianFileType"], 2)

    def test_files_without_molecule_exit_1_with_one_line(self):
        for path, reason in ((self.unresolved, b"line 8: the variable a is not defined"),
                             (self.other, b"unknown file type"),
                             (self.empty, b"no geometry")):
            result = self.info(path, code=1)
            self.assertEqual(result.stdout, b"")
            self.assertIn(reason, result.stderr)
            self.assertEqual(result.stderr.count(b"\n"), 1, result.stderr)
        self.info("--type", "gaussian", self.other)

    def test_gaussian_names_and_kinds_recognised_but_not_read(self):
        # Outputs named as Gaussian users name them are read by their name.
        for ending in ("g03", "g09", "G16"):
            path = os.path.join(self.dir.name, "freq." + ending)
            with open(path, "w") as f:
                f.write(FREQUENCY_JOB)
            self.assertEqual(json.loads(self.info(path).stdout)["atomCount"], 3, ending)
        # An ORCA output under a Gaussian name is read as what it is, also
        # when the Gaussian reader is asked for: one that has printed no
        # geometry yet gives no molecule, in one line with exit code 1; a
        # Molden file of no atoms is refused by what it lacks.
        orca = os.path.join(self.dir.name, "job.out")
        with open(orca, "w") as f:
            f.write(ORCA_BANNER)
        molden = os.path.join(self.dir.name, "h2o.molden.input")
        with open(molden, "w") as f:
            f.write("[Molden Format]\n[Atoms] AU\n")
        for args in ((orca,), ("--type", "gaussian", orca)):
            result = self.info(*args, code=1)
            self.assertEqual(result.stderr.decode(),
                             "ravek-cli: %s: no molecule: the file holds no geometry\n" % orca)
        with open(orca, "a") as f:
            f.write(orca_step(0) + ORCA_END)
        for args in ((orca,), ("--type", "gaussian", orca), ("--type", "orca", orca)):
            read = json.loads(self.info(*args).stdout)
            self.assertEqual((read["sourceKindName"], read["termination"], read["atomCount"]),
                             ("orca", "normal", 3), args)
        result = self.info(molden, code=1)
        self.assertEqual(result.stderr.decode(), "ravek-cli: %s: no molecule: the file is not a "
                         "valid Molden file (its [Atoms] section lists no atom)\n" % molden)

    def test_usage_errors_and_unreadable_files_exit_2(self):
        for args in ((), ("info",), ("info", "--type", "mol2", self.pdb), ("info", self.pdb, "--frames"),
                     ("info", self.pdb, "--frames", "some"), ("info", self.pdb, "--bond-mode", "2"),
                     ("info", self.pdb, self.com), ("frobnicate", self.pdb),
                     ("info", os.path.join(self.dir.name, "missing.pdb")), ("info", self.dir.name)):
            result = run(*args)
            self.assertEqual(result.returncode, 2, args)
            self.assertNotEqual(result.stderr, b"", args)
        help = run("--help")
        self.assertEqual(help.returncode, 0)
        # Every option a command's own usage line names is in the help.
        listed = set(re.findall(r"--[a-z-]+", help.stdout.decode()))
        for command in ("info", "convert", "watch", "cube"):
            usage = run(command, "--no-such-option").stderr.decode()
            named = set(re.findall(r"--[a-z-]+", usage)) - {"--no-such-option"}
            self.assertTrue(named, command)
            self.assertLessEqual(named, listed, command)

    def test_output_does_not_depend_on_the_locale(self):
        plain = self.info(self.pdb).stdout
        german = dict(os.environ, LC_ALL="de_DE.UTF-8", LANG="de_DE.UTF-8")
        self.assertEqual(self.info(self.pdb, env=german).stdout, plain)

    def test_write_error_is_reported(self):
        if not os.path.exists("/dev/full"):
            self.skipTest("no /dev/full")
        with open("/dev/full", "w") as full:
            result = run("info", self.pdb, stdout=full)
        self.assertEqual(result.returncode, 2)


OPTIMISATION = "\n".join(
    [" This is part of the Gaussian(R) 16 program.  It is based on"]
    + sum(([
        "                          Input orientation:",
        " " + "-" * 69,
        " Center     Atomic      Atomic             Coordinates (Angstroms)",
        " Number     Number       Type             X           Y           Z",
        " " + "-" * 69,
        "      1          6           0        %.6f    0.000000    0.000000" % (step * 0.5),
        "      2          8           0        %.6f    1.200000    0.000000" % (step * 0.5),
        " " + "-" * 69,
    ] for step in range(3)), [])) + "\n"

PEPTIDE = "".join(
    "ATOM  %5d  %-3s %3s A%4d    %8.3f%8.3f%8.3f  1.00  0.00           %s\n"
    % (4 * i + k + 1, name, res, i + 1, 3.8 * i + dx, dy, dz if i % 2 else -dz, name[0])
    for i, res in enumerate(["ALA", "GLY", "SER", "LYS", "VAL"])
    for k, (name, dx, dy, dz) in enumerate(
        [("N", 0.0, 0.0, 0.4), ("CA", 1.2, 1.0, 0.2), ("C", 2.5, 0.3, -0.2), ("O", 2.7, -0.9, 0.5)]))


def dihedral(a, b, c, d):
    """The dihedral a-b-c-d in degrees, by the IUPAC sign convention."""
    def sub(p, q):
        return [p[i] - q[i] for i in range(3)]

    def cross(p, q):
        return [p[1] * q[2] - p[2] * q[1], p[2] * q[0] - p[0] * q[2], p[0] * q[1] - p[1] * q[0]]

    def dot(p, q):
        return sum(p[i] * q[i] for i in range(3))

    b0, b1, b2 = sub(a, b), sub(c, b), sub(d, c)
    length = dot(b1, b1) ** 0.5
    b1 = [x / length for x in b1]
    v = [b0[i] - dot(b0, b1) * b1[i] for i in range(3)]
    w = [b2[i] - dot(b2, b1) * b1[i] for i in range(3)]
    return math.degrees(math.atan2(dot(cross(b1, v), w), dot(v, w)))


class Convert(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.TemporaryDirectory()
        cls.opt = cls.write("opt.log", OPTIMISATION)
        cls.peptide = cls.write("peptide.pdb", PEPTIDE)

    @classmethod
    def tearDownClass(cls):
        cls.dir.cleanup()

    @classmethod
    def write(cls, name, text):
        path = os.path.join(cls.dir.name, name)
        with open(path, "w", newline="") as f:
            f.write(text)
        return path

    def convert(self, source, to, *args, code=0, name=None):
        out = os.path.join(self.dir.name, name or ("out." + to))
        result = run("convert", source, out, "--to", to, *args)
        self.assertEqual(result.returncode, code, result.stderr.decode())
        if code != 0:
            return None
        with open(out, newline="") as f:
            return f.read()

    def test_four_targets(self):
        com = self.convert(self.opt, "com")
        self.assertTrue(com.startswith("%Chk=" + os.path.join(self.dir.name, "out") + "\n#P HF/STO-3G"))
        self.assertIn("\n0 1\n   C        1.000000     0.000000     0.000000\n", com)
        pdb = self.convert(self.peptide, "pdb").splitlines()
        self.assertEqual(len(pdb), 20)
        self.assertEqual(pdb[1], "ATOM      2  CA  ALA     1       1.200   1.000  -0.200  1.00  0.00           C  ")
        short = self.convert(self.peptide, "pdb-short").splitlines()
        self.assertEqual({len(line) for line in short}, {54})
        rpd = self.convert(self.peptide, "rpd").splitlines()
        self.assertEqual(len(rpd), 3)
        self.assertEqual({len(line) for line in rpd}, {21})
        # phi and psi of the three inner residues, worked out here from the
        # fixture's own N, CA, C positions.
        atoms = {}
        for line in PEPTIDE.splitlines():
            atoms[(int(line[22:26]), line[12:16].strip())] = tuple(
                float(line[c:c + 8]) for c in (30, 38, 46))
        for r, line in zip((2, 3, 4), rpd):
            phi = dihedral(atoms[(r - 1, "C")], atoms[(r, "N")], atoms[(r, "CA")], atoms[(r, "C")])
            psi = dihedral(atoms[(r, "N")], atoms[(r, "CA")], atoms[(r, "C")], atoms[(r + 1, "N")])
            written = [float(value) for value in line.split()]
            self.assertAlmostEqual(written[0], phi, places=4)
            self.assertAlmostEqual(written[1], psi, places=4)
        model = json.loads(run("info", self.peptide, "--frames", "none").stdout)
        self.assertEqual(len(model["backbone"]), 15)
        self.assertNotIn("phi", json.loads(run("info", self.opt).stdout))
        # Plot data of a Gaussian model: an empty file.
        self.assertEqual(self.convert(self.opt, "rpd"), "")

    def test_frame_choice(self):
        # Geometries count from 1, as in the viewer; 0 and one past the last
        # are usage errors that say the range.
        frames = len(json.loads(run("info", self.opt).stdout)["frames"])
        first = self.convert(self.opt, "pdb", "--frame", "1")
        self.assertIn("   0.000   0.000   0.000", first)
        self.assertNotEqual(self.convert(self.opt, "pdb", "--frame", str(frames)), first)
        for bad in ("0", str(frames + 1)):
            result = run("convert", self.opt, os.path.join(self.dir.name, "bad.pdb"), "--to", "pdb",
                         "--frame", bad)
            self.assertEqual(result.returncode, 2)
            self.assertIn("1 to %d, counted from 1" % frames, result.stderr.decode())
        self.convert(self.opt, "pdb", "--frame", "x", code=2)
        self.convert(self.opt, "mol2", code=2)

    def test_xyz_trajectory_both_ways(self):
        # Every step of the optimisation, as info gives them, is a frame of
        # the XYZ file; read back (by name, or as --type xyz under another
        # name) it gives the same atoms and energies.
        model = json.loads(run("info", self.opt).stdout)
        text = self.convert(self.opt, "xyz")
        lines = text.splitlines()
        frames = model["frames"]
        self.assertGreater(len(frames), 1)
        at = 0
        for frame in frames:
            atoms = frame["atoms"]
            self.assertEqual(int(lines[at]), len(atoms))
            for atom, line in zip(atoms, lines[at + 2:at + 2 + len(atoms)]):
                words = line.split()
                for value, axis in zip(words[1:], ("x", "y", "z")):
                    self.assertAlmostEqual(float(value), atom[axis], places=6)
            at += 2 + len(atoms)
        self.assertEqual(at, len(lines))
        renamed = self.write("trajectory.txt", text)
        again = json.loads(run("info", renamed, "--type", "xyz").stdout)
        self.assertEqual(len(again["frames"]), len(frames))
        for old, new in zip(frames, again["frames"]):
            self.assertEqual([a["element"] for a in new["atoms"]], [a["element"] for a in old["atoms"]])
            if old["energy"] is None:
                self.assertNotIn("energy", new)
            else:
                self.assertAlmostEqual(new["energy"], old["energy"], places=8)
        one = self.convert(self.opt, "xyz", "--frame", "1", name="one.xyz").splitlines()
        self.assertEqual(len(one), 2 + len(frames[0]["atoms"]))
        energy = frames[0]["energy"]
        self.assertEqual(one[1], "geometry 1 of 1" + ("" if energy is None else ", energy %.8f hartree" % energy))

    def test_failures_leave_nothing_behind(self):
        empty = self.write("empty.pdb", "REMARK\n")
        self.convert(empty, "pdb", code=1, name="never.pdb")
        self.assertFalse(os.path.exists(os.path.join(self.dir.name, "never.pdb")))
        result = run("convert", self.peptide, os.path.join(self.dir.name, "no", "such", "x.pdb"), "--to", "pdb")
        self.assertEqual(result.returncode, 2)
        self.assertEqual(sorted(os.listdir(self.dir.name)).count("no"), 0)

    def test_existing_file_is_replaced_whole(self):
        target = self.write("replace.pdb", "old text\n" * 1000)
        self.convert(self.peptide, "pdb-short", name="replace.pdb")
        with open(target) as f:
            self.assertNotIn("old text", f.read())
        self.assertEqual([n for n in os.listdir(self.dir.name) if ".tmp" in n], [])


class HostileInput(unittest.TestCase):
    """Pipes, devices and broken records: a real molecule or a clear refusal,
    never atoms at the origin and never a hang (all found in use)."""

    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.dir.cleanup()

    def test_a_pipe_is_read_whole(self):
        result = subprocess.run([CLI, "info", "/dev/stdin", "--type", "pdb"], input=PDB.encode(),
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=60)
        self.assertEqual(result.returncode, 0, result.stderr)
        model = json.loads(result.stdout)
        atoms = model["frames"][0]["atoms"]
        self.assertEqual(len(atoms), 4)
        self.assertEqual((atoms[0]["symbol"], atoms[0]["x"]), ("N", 1.234))
        out = os.path.join(self.dir.name, "from-pipe.com")
        result = subprocess.run([CLI, "convert", "/dev/stdin", out, "--to", "com", "--type", "pdb"],
                                input=PDB.encode(), stderr=subprocess.PIPE, timeout=60)
        self.assertEqual(result.returncode, 0, result.stderr)
        with open(out) as f:
            self.assertIn("  CA       10.000000    10.000000    10.000000", f.read())

    def test_devices_and_silent_pipes_are_refused(self):
        fifo = os.path.join(self.dir.name, "nobody-writes.pdb")
        os.mkfifo(fifo)
        link = os.path.join(self.dir.name, "zero.pdb")
        os.symlink("/dev/zero", link)
        for path in (fifo, link):
            result = run("info", path)
            self.assertEqual(result.returncode, 2, path)
            self.assertEqual(result.stderr.count(b"\n"), 1, result.stderr)

    @unittest.skipIf("ASAN_OPTIONS" in os.environ,
                     "AddressSanitizer reserves terabytes of address space: ulimit -v stops it")
    def test_under_a_memory_limit_too_large_is_said_not_aborted(self):
        # As on a cluster's login node: ulimit -v, and a compressed file or
        # a pipe whose text would fill it (this once ended in bad_alloc and
        # exit code 134).
        packed = inflating_gzip(os.path.join(self.dir.name, "huge.pdb.gz"), 2048)
        limited = address_space_limit(512)
        for feed, args, said in ((None, [packed], b"the file inflates to more than"),
                                 (["cat", packed], ["/dev/stdin", "--type", "pdb"],
                                  b"the data inflates to more than"),
                                 (["gzip", "-dc", packed], ["/dev/stdin", "--type", "pdb"],
                                  b"the pipe holds more than")):
            writer = subprocess.Popen(feed, stdout=subprocess.PIPE) if feed else None
            result = subprocess.run([CLI, "info", *args],
                                    stdin=writer.stdout if writer else subprocess.DEVNULL,
                                    stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=120,
                                    preexec_fn=limited)
            if writer:
                writer.stdout.close()
                writer.kill()
                writer.wait()
            self.assertEqual(result.returncode, 2, result.stderr)
            self.assertIn(said, result.stderr)
            self.assertIn(b"MiB of memory available", result.stderr)

    def test_writing_to_a_device_keeps_the_device(self):
        source = os.path.join(self.dir.name, "in.pdb")
        with open(source, "w") as f:
            f.write(PDB)
        sink = os.path.join(self.dir.name, "sink.pdb")
        os.symlink("/dev/null", sink)
        self.assertEqual(run("convert", source, sink, "--to", "pdb").returncode, 0)
        self.assertTrue(os.path.islink(sink))
        result = run("convert", source, "/dev/stdout", "--to", "pdb-short")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertTrue(result.stdout.startswith(b"ATOM      1  N   ALA     1"))

    def test_records_without_coordinates_are_counted_not_made_atoms(self):
        path = os.path.join(self.dir.name, "broken.pdb")
        with open(path, "w") as f:
            f.write(PDB.replace("   3.200   1.420   0.100", "******** 1.420   0.100") + "ATOM\n")
        model = json.loads(run("info", path).stdout)
        self.assertEqual(model["skippedLines"], 2)
        self.assertEqual(model["atomCount"], 3)
        self.assertNotIn([0.0, 0.0, 0.0],
                         [[a["x"], a["y"], a["z"]] for a in model["frames"][0]["atoms"]])


def step(k):
    """One optimisation step of water: its table, energy and convergence."""
    return ("                          Input orientation:\n" + RULER +
            " Center     Atomic      Atomic             Coordinates (Angstroms)\n"
            " Number     Number       Type             X           Y           Z\n" + RULER +
            "      1          8           0        0.000000    0.000000    %.6f\n" % (0.1 + 0.01 * k) +
            "      2          1           0        0.000000    0.757200   -0.469200\n"
            "      3          1           0        0.000000   -0.757200   -0.469200\n" + RULER +
            " SCF Done:  E(RB3LYP) =  -76.40%d     A.U. after    9 cycles\n" % k +
            " Maximum Force            0.000100     0.000450     YES\n")


class Mmcif(unittest.TestCase):
    """mmCIF and gzip files as scripts give them: by name, by --type, as
    converted PDB files; an NMR ensemble of the shared data model by model."""

    def test_compressed_mmcif_by_name_and_converted(self):
        with tempfile.TemporaryDirectory() as folder:
            text = ("data_X\nloop_\n_atom_site.id\n_atom_site.type_symbol\n_atom_site.label_atom_id\n"
                    "_atom_site.label_comp_id\n_atom_site.auth_seq_id\n_atom_site.Cartn_x\n"
                    "_atom_site.Cartn_y\n_atom_site.Cartn_z\n"
                    "1 N N ALA 1 1.234 0 0.1\n2 C CA ALA 1 2.68 0 0.1\n")
            packed = os.path.join(folder, "x.CIF.gz")
            with gzip.open(packed, "wt") as f:
                f.write(text)
            model = json.loads(run("info", packed).stdout)
            self.assertEqual(model["atomCount"], 2)
            self.assertEqual(model["frames"][0]["atoms"][1]["label"], "CA")
            other = os.path.join(folder, "x.data")
            with open(other, "w") as f:
                f.write(text)
            self.assertEqual(run("info", other).returncode, 1)
            self.assertEqual(json.loads(run("info", other, "--type", "mmcif").stdout)["atomCount"], 2)
            out = os.path.join(folder, "x.pdb")
            self.assertEqual(run("convert", packed, out, "--to", "pdb").returncode, 0)
            with open(out) as f:
                self.assertIn(" CA  ALA", f.read())
            broken = os.path.join(folder, "broken.cif.gz")
            with open(packed, "rb") as f, open(broken, "wb") as g:
                g.write(f.read()[:30])
            result = run("info", broken)
            self.assertEqual(result.returncode, 2)
            self.assertIn(b"cut short", result.stderr)

    def test_a_small_molecule_cif_says_its_coordinates_are_fractional(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "salt.cif")
            with open(path, "w") as f:
                f.write("data_salt\n_cell_length_a 5.64\nloop_\n_atom_site_label\n"
                        "_atom_site_type_symbol\n_atom_site_fract_x\n_atom_site_fract_y\n"
                        "_atom_site_fract_z\nNa1 Na 0 0 0\nCl1 Cl 0.5 0.5 0.5\n")
            result = run("info", path)
        self.assertEqual(result.returncode, 1)
        self.assertIn(b"fractional coordinates", result.stderr)

    def test_nmr_entry_model_by_model(self):
        path = os.path.join(DATA or "", "mmcif", "1j8k.cif")
        if not os.path.isfile(path):
            self.skipTest("shared test data folder absent")
        model = json.loads(run("info", path, "--modes", "none").stdout)
        self.assertEqual(model["frameCount"], 20)
        self.assertEqual(model["atomCount"], 1402)
        self.assertEqual(model["currentFrame"], 0)
        first = model["frames"][0]
        self.assertEqual(len(first["atoms"]), 1402)
        first_bonds = bond_set(first["atoms"])
        for number, frame in enumerate(model["frames"], 1):
            self.assertEqual(frame["residueCount"], first["residueCount"])
            # No bond joins an atom to a copy of itself (another model's).
            atoms = frame["atoms"]
            self.assertFalse(any((atoms[b]["label"], atoms[b]["residueIndex"]) ==
                                 (atom["label"], atom["residueIndex"])
                                 for atom in atoms for b in atom["bonded"]))
            self.assertEqual([a["label"] for a in frame["atoms"]], [a["label"] for a in first["atoms"]])
            # Each model is the one chain with its side chains and hydrogens:
            # every bond listed at both ends, every atom reached through
            # bonds from the first; the models of an NMR ensemble share their
            # covalent bonds.
            self.assertTrue(all(i in atoms[b]["bonded"] for i, atom in enumerate(atoms)
                                for b in atom["bonded"]), f"model {number}")
            self.assertEqual(len(connected_to(atoms, 0)), len(atoms), f"model {number}")
            self.assertEqual(bond_set(atoms), first_bonds, f"model {number}")


class Watch(unittest.TestCase):
    """watch as a script following a running job sees it: a line per geometry
    once its step is complete, the job's end, the file written while it runs."""

    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.path = os.path.join(self.dir.name, "job.log")

    def tearDown(self):
        self.dir.cleanup()

    def write(self, text, mode="a"):
        with open(self.path, mode, newline="") as f:
            f.write(text)

    def start(self):
        return subprocess.Popen([CLI, "watch", self.path, "--interval", "50"],
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE)

    def line(self, process, timeout=20):
        ready, _, _ = select.select([process.stdout], [], [], timeout)
        self.assertTrue(ready, "no line within %d s" % timeout)
        return json.loads(process.stdout.readline())

    def nothing_yet(self, process):
        ready, _, _ = select.select([process.stdout], [], [], 0.5)
        self.assertFalse(ready, "a line came too early")

    def test_lines_come_as_the_job_writes(self):
        self.write(" This is part of the Gaussian(R) 16 program.\n", "w")
        watch = self.start()
        try:
            # No geometry yet: it waits. The first step's table alone is not
            # complete until the second begins.
            self.write(step(0))
            # Step 1's energy is there, but its step is not complete until
            # the next geometry begins.
            self.nothing_yet(watch)
            self.write(step(1)[:200])
            self.write(step(1)[200:])
            first = self.line(watch)
            self.assertEqual(first["index"], 0)
            self.assertEqual(first["energy"], -76.400)
            self.assertEqual(first["convergence"]["maximumForce"]["value"], 0.0001)
            self.write(step(2) + " Normal termination of Gaussian 16\n")
            self.assertEqual([self.line(watch)["index"] for _ in range(2)], [1, 2])
            self.assertEqual(self.line(watch), {"termination": "normal", "frameCount": 3})
            self.assertEqual(watch.wait(timeout=10), 0)
        finally:
            watch.kill()
            watch.wait()

    def test_a_new_job_of_the_same_name_starts_again(self):
        self.write(step(0) + step(1), "w")
        watch = self.start()
        try:
            self.assertEqual(self.line(watch)["index"], 0)
            self.write(step(5) + " Error termination via Lnk1e\n", "w")
            self.assertEqual(self.line(watch), {"restarted": True})
            self.assertEqual(self.line(watch)["energy"], -76.405)
            self.assertEqual(self.line(watch), {"termination": "error", "frameCount": 1})
        finally:
            watch.kill()
            watch.wait()

    def test_a_pipe_put_in_the_files_place_is_never_waited_on(self):
        # A named pipe with a writer that never ends takes the file's name
        # while it is followed: watch goes on, and takes the file that
        # comes back (reading the pipe once waited for its writer's end).
        self.write(step(0) + step(1), "w")
        watch = self.start()
        fifo = os.path.join(self.dir.name, "pipe")
        os.mkfifo(fifo)
        held = os.open(fifo, os.O_RDWR | os.O_NONBLOCK)
        try:
            self.assertEqual(self.line(watch)["index"], 0)
            os.write(held, step(2).encode()[:4000])
            os.rename(fifo, self.path)
            time.sleep(0.5)
            complete = os.path.join(self.dir.name, "complete.log")
            with open(complete, "w", newline="") as f:
                f.write(step(0) + step(1) + step(2) + " Normal termination of Gaussian 16\n")
            os.rename(complete, self.path)
            self.assertEqual([self.line(watch)["index"] for _ in range(2)], [1, 2])
            self.assertEqual(self.line(watch), {"termination": "normal", "frameCount": 3})
        finally:
            os.close(held)
            watch.kill()
            watch.wait()

    def test_an_orca_job_is_followed_too(self):
        self.path = os.path.join(self.dir.name, "job.out")
        self.write(ORCA_BANNER, "w")
        watch = self.start()
        try:
            # A cycle is complete once the next one's geometry is there.
            self.write(orca_step(0))
            self.nothing_yet(watch)
            self.write(orca_step(1)[:60])
            self.nothing_yet(watch)
            self.write(orca_step(1)[60:])
            first = self.line(watch)
            self.assertEqual((first["index"], first["energy"]), (0, -76.3))
            self.assertEqual(first["convergence"]["rmsForce"]["value"], 0.002)
            self.write(ORCA_END)
            self.assertEqual(self.line(watch)["energy"], -76.301)
            self.assertEqual(self.line(watch), {"termination": "normal", "frameCount": 2})
            self.assertEqual(watch.wait(timeout=10), 0)
        finally:
            watch.kill()
            watch.wait()

    def test_what_cannot_be_watched(self):
        piped = subprocess.run([CLI, "watch", "/dev/stdin", "--type", "gaussian"],
                               input=step(0).encode(), stdout=subprocess.PIPE,
                               stderr=subprocess.PIPE, timeout=20)
        self.assertEqual(piped.returncode, 2)
        self.assertIn(b"not a regular file", piped.stderr)
        self.write(GAUSSIAN_INPUT, "w")
        result = run("watch", self.path, "--type", "gaussian")
        self.assertEqual(result.returncode, 2)
        self.assertIn(b"no Gaussian or ORCA output", result.stderr)
        self.assertEqual(run("watch", self.path, "--interval", "0").returncode, 2)
        # A compressed output cannot grow in place.
        packed = os.path.join(self.dir.name, "job.log.gz")
        with gzip.open(packed, "wt") as f:
            f.write(step(0) + step(1))
        result = run("watch", packed)
        self.assertEqual(result.returncode, 2)
        self.assertIn(b"cannot grow in place", result.stderr)
        self.assertEqual(run("watch", os.path.join(self.dir.name, "missing.log")).returncode, 2)


class SharedFiles(unittest.TestCase):
    def test_every_shared_file(self):
        if DATA is None or not os.path.isfile(os.path.join(DATA, "MANIFEST.tsv")):
            self.skipTest("shared test data folder absent")
        with open(os.path.join(DATA, "MANIFEST.tsv"), encoding="utf-8") as manifest:
            files = [line.split("\t")[0] for line in manifest.readlines()[1:]]
        read = 0
        for name in files:
            kind = ("pdb" if name.startswith("pdb/") else
                    "mmcif" if name.startswith("mmcif/") else "gaussian")
            with self.subTest(name=name):
                result = run("info", os.path.join(DATA, name), "--type", kind, "--frames", "last")
                self.assertIn(result.returncode, (0, 1), result.stderr)
                if result.returncode == 1:
                    self.assertEqual(result.stderr.count(b"\n"), 1)
                    continue
                model = json.loads(result.stdout)
                # atomCount is the largest geometry's; the last may hold fewer.
                self.assertGreater(len(model["frames"][0]["atoms"]), 0)
                self.assertLessEqual(len(model["frames"][0]["atoms"]), model["atomCount"])
                read += 1
        self.assertGreater(read, 60)


if __name__ == "__main__":
    CLI = sys.argv[1]
    DATA = sys.argv[2] if len(sys.argv) > 2 else None
    unittest.main(argv=sys.argv[:1], verbosity=1)
