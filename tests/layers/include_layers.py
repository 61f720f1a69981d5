#!/usr/bin/env python3
"""Fails when a source file includes a folder of a layer above its own.

Every "#include "folder/..."" of every C++ file of the project is checked
against LAYERS: a file in folder F may include F itself and the folders
LAYERS[F] lists. A folder holding C++ files that LAYERS does not know fails
too, so a new library has to take its place in the table.

Usage: include_layers.py SOURCE_ROOT
"""

import pathlib
import re
import sys

# What each folder may include besides itself, lowest layers first. The
# README's folder table shows the same order.
LAYERS = {
    "io": [],
    "model": ["io"],
    "formats": ["model", "io"],
    "picture": [],
    "render": ["model", "picture", "io"],
    "platform": ["io"],
    "res": ["platform", "io"],
    "view": ["render", "res", "platform", "formats", "model", "picture", "io"],
    "app": ["view", "render", "res", "platform", "formats", "model", "picture", "io"],
    "cli": ["formats", "model", "io"],
    "fuzz": ["formats", "model", "io"],
    # The build's tool that draws the installed icons.
    "dist": ["app"],
    "bench": ["tests", "render", "formats", "model", "picture", "io"],
    # Tests reach every layer they test.
    "tests": ["app", "view", "render", "res", "platform", "cli", "formats", "model",
              "picture", "io"],
}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/[^"]*"', re.MULTILINE)
SUFFIXES = {".cpp", ".h"}


def wrong_includes(folder, text):
    """The folders text includes that a file in folder may not include."""
    allowed = set(LAYERS.get(folder, [])) | {folder}
    return [target for target in INCLUDE.findall(text) if target not in allowed]


def main():
    root = pathlib.Path(sys.argv[1]).resolve()
    # The checker itself must catch an upward include.
    assert wrong_includes("model", '#include "render/Camera.h"\n') == ["render"]
    assert wrong_includes("view", '#include "model/CMolData.h"\n') == []

    faults = []
    checked = 0
    for path in sorted(root.rglob("*")):
        if path.suffix not in SUFFIXES or not path.is_file():
            continue
        relative = path.relative_to(root)
        if relative.parts[0].startswith("build") or relative.parts[0].startswith("."):
            continue
        if len(relative.parts) < 2:
            faults.append(f"{relative}: a source file outside every layer folder")
            continue
        folder = relative.parts[0]
        if folder not in LAYERS:
            faults.append(f"{relative}: folder {folder}/ has no place in the layer table")
            continue
        checked += 1
        text = path.read_text(encoding="utf-8", errors="replace")
        for target in wrong_includes(folder, text):
            faults.append(f"{relative}: includes {target}/, a layer {folder}/ may not use "
                          f"(allowed: {', '.join(LAYERS[folder]) or 'nothing'})")
    for fault in faults:
        print(fault)
    print(f"{checked} files checked, {len(faults)} faults")
    return 1 if faults or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
