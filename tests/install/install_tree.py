#!/usr/bin/env python3
"""The installed tree as a package lays it out: `cmake --install` into a
scratch prefix, every file there, the desktop entry and the metainfo pass
their validators, the icons are pictures of the sizes they claim, and the
installed programs find their element data and their guide from the tree.

Usage: install_tree.py CMAKE BUILD_DIR SAMPLE_PDB"""

import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

CMAKE = BUILD = SAMPLE = None
APP_ID = "org.ravek.Ravek"
ICON_SIZES = [16, 24, 32, 48, 64, 128, 256]


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    assert head[:8] == b"\x89PNG\r\n\x1a\n", path
    return struct.unpack(">II", head[16:24])


class InstalledTree(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.TemporaryDirectory()
        # A prefix with a blank in it: nothing may depend on where it lies.
        cls.prefix = os.path.join(cls.scratch.name, "opt dir", "ravek")
        # The installed programs keep their settings here, not in the user's.
        os.environ["XDG_CONFIG_HOME"] = os.path.join(cls.scratch.name, "config")
        subprocess.run([CMAKE, "--install", BUILD, "--prefix", cls.prefix], check=True,
                       stdout=subprocess.DEVNULL)

    @classmethod
    def tearDownClass(cls):
        cls.scratch.cleanup()

    def path(self, relative):
        return os.path.join(self.prefix, relative)

    def test_every_file_is_there(self):
        expected = ["bin/ravek", "bin/ravek-cli", "share/ravek/ravek.dat",
                    "share/doc/ravek/README.md", "share/doc/ravek/user-guide.md",
                    "share/doc/ravek/user-guide.ja.md", f"share/applications/{APP_ID}.desktop",
                    f"share/metainfo/{APP_ID}.metainfo.xml",
                    f"share/icons/hicolor/scalable/apps/{APP_ID}.svg",
                    "share/man/man1/ravek.1", "share/man/man1/ravek-cli.1"]
        expected += [f"share/icons/hicolor/{s}x{s}/apps/{APP_ID}.png" for s in ICON_SIZES]
        for relative in expected:
            self.assertTrue(os.path.isfile(self.path(relative)), relative)
        for program in ["bin/ravek", "bin/ravek-cli"]:
            self.assertTrue(os.access(self.path(program), os.X_OK), program)

    def test_icons_are_pictures_of_their_size(self):
        for s in ICON_SIZES:
            self.assertEqual(
                png_size(self.path(f"share/icons/hicolor/{s}x{s}/apps/{APP_ID}.png")), (s, s))
        svg = ElementTree.parse(self.path(f"share/icons/hicolor/scalable/apps/{APP_ID}.svg"))
        root = svg.getroot()
        self.assertTrue(root.tag.endswith("svg"))
        # The drawing itself, not an empty frame: the four balls at least.
        shapes = [e for e in root.iter() if e.tag.rsplit("}", 1)[-1] in ("path", "ellipse", "circle")]
        self.assertGreaterEqual(len(shapes), 4)

    def test_desktop_entry_and_metainfo(self):
        desktop = self.path(f"share/applications/{APP_ID}.desktop")
        entry = {}
        with open(desktop, encoding="utf-8") as f:
            for line in f:
                key, _, value = line.strip().partition("=")
                entry.setdefault(key, value)
        self.assertEqual(entry["GenericName"], "Molecular Viewer")
        self.assertEqual(entry["Exec"], "ravek %F")
        self.assertEqual(entry["Icon"], APP_ID)
        self.assertEqual(entry["Categories"], "Science;Chemistry;Education;")
        for mime in ["chemical/x-gaussian-log", "chemical/x-gaussian-input", "chemical/x-pdb"]:
            self.assertIn(mime, entry["MimeType"].split(";"))
        result = subprocess.run(["desktop-file-validate", desktop], capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        self.assertNotIn("error", result.stdout.lower())
        metainfo = self.path(f"share/metainfo/{APP_ID}.metainfo.xml")
        result = subprocess.run(["appstreamcli", "validate", "--no-net", metainfo],
                                capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        version = subprocess.run([self.path("bin/ravek"), "--version"], capture_output=True,
                                 text=True, check=True).stdout.split()[-1]
        release = ElementTree.parse(metainfo).getroot().find("releases/release")
        self.assertEqual(release.get("version"), version)

    def test_man_pages_name_the_installed_paths(self):
        for page in ["ravek.1", "ravek-cli.1"]:
            with open(self.path("share/man/man1/" + page), encoding="utf-8") as f:
                text = f.read()
            self.assertNotIn("@", text.replace("\\@", ""), page)
            self.assertIn("share/doc/ravek/user-guide.md", text, page)
            if shutil.which("man"):
                result = subprocess.run(["man", "--warnings", "-l", self.path("share/man/man1/" + page)],
                                        capture_output=True, text=True,
                                        env=dict(os.environ, MANPAGER="cat", MANWIDTH="80"))
                self.assertEqual(result.returncode, 0, result.stderr)
                self.assertEqual(result.stderr.strip(), "", page)

    def test_installed_programs_find_their_data_and_guide(self):
        # The element data of the tree is read: a C-C limit below any bond
        # leaves the peptide's carbons unbonded to each other.
        def carbon_bonds():
            out = subprocess.run([self.path("bin/ravek-cli"), "info", SAMPLE, "--bond-mode", "0"],
                                 capture_output=True, text=True, check=True).stdout
            atoms = json.loads(out)["frames"][0]["atoms"]
            return sum(1 for a in atoms if a["element"] == 6
                       for b in a["bonded"] if atoms[b]["element"] == 6)
        data = self.path("share/ravek/ravek.dat")
        self.assertGreater(carbon_bonds(), 0)
        with open(data, encoding="utf-8") as f:
            shipped = f.read()
        try:
            with open(data, "w", encoding="utf-8") as f:
                f.write("C C 0.5\n")
            self.assertEqual(carbon_bonds(), 0)
        finally:
            with open(data, "w", encoding="utf-8") as f:
                f.write(shipped)
        # The guide, as the viewer's help says where it is.
        text = subprocess.run([self.path("bin/ravek"), "--help"], capture_output=True, text=True,
                              check=True).stdout
        self.assertIn("User guide: " + self.path("share/doc/ravek/user-guide.ja.md"), text)

    def test_installed_viewer_draws_a_picture(self):
        if not os.environ.get("DISPLAY"):
            self.skipTest("no display to draw on")
        out = os.path.join(self.scratch.name, "sample.png")
        subprocess.run([self.path("bin/ravek"), "--export-picture", out, "--size", "320x240",
                        SAMPLE], check=True, timeout=120)
        self.assertEqual(png_size(out), (320, 240))


if __name__ == "__main__":
    CMAKE, BUILD, SAMPLE = sys.argv[1:4]
    unittest.main(argv=sys.argv[:1], verbosity=2)
