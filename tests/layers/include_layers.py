#!/usr/bin/env python3
"""Fails when a source file includes a folder of a layer above its own, or
when two classes of one folder include each other.

Every "#include "folder/..."" of every C++ file of the project is checked
against LAYERS: a file in folder F may include F itself and the folders
LAYERS[F] lists. A folder holding C++ files that LAYERS does not know fails
too, so a new library has to take its place in the table.

Within the folders of NO_CIRCLES, a class (its .h and .cpp, by file name)
that includes another's header, directly or through others of the folder,
may not be included back by it: each depends on the other only one way.

Usage: include_layers.py SOURCE_ROOT
"""

import pathlib
import re
import sys

# What each folder may include besides itself, lowest layers first. The
# folder table of docs/design.md shows the same order.
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

# The folders whose classes form no include circle. (The framework
# stand-ins of platform/ mirror one another, as the framework they replace
# does.)
NO_CIRCLES = ["io", "model", "render", "view", "app", "cli"]

SAME_FOLDER = re.compile(r'^\s*#\s*include\s+"([^"/]+)/([^"/]+)\.h"', re.MULTILINE)

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/[^"]*"', re.MULTILINE)
SUFFIXES = {".cpp", ".h"}


def wrong_includes(folder, text):
    """The folders text includes that a file in folder may not include."""
    allowed = set(LAYERS.get(folder, [])) | {folder}
    return [target for target in INCLUDE.findall(text) if target not in allowed]


def include_circles(texts):
    """The pairs of classes of one folder that reach each other by includes.

    texts maps a file name (stem.h or stem.cpp) to its text; each class is
    the stem, including the headers of its folder its files name."""
    edges = {}
    for name, (folder, text) in texts.items():
        stem = name.rsplit(".", 1)[0]
        for target_folder, target in SAME_FOLDER.findall(text):
            if target_folder == folder and target != stem:
                edges.setdefault(stem, set()).add(target)

    def reach(start):
        seen, todo = set(), [start]
        while todo:
            for nxt in edges.get(todo.pop(), ()):
                if nxt not in seen:
                    seen.add(nxt)
                    todo.append(nxt)
        return seen

    reached = {stem: reach(stem) for stem in edges}
    return sorted({tuple(sorted((a, b))) for a, targets in edges.items() for b in targets
                   if a in reached.get(b, set())})


def main():
    root = pathlib.Path(sys.argv[1]).resolve()
    # The checker itself must catch an upward include.
    assert wrong_includes("model", '#include "render/Camera.h"\n') == ["render"]
    assert wrong_includes("view", '#include "model/CMolData.h"\n') == []
    assert include_circles({"A.cpp": ("view", '#include "view/B.h"\n'),
                            "B.h": ("view", '#include "view/C.h"\n'),
                            "C.cpp": ("view", '#include "view/A.h"\n'),
                            "D.cpp": ("view", '#include "view/A.h"\n')}) == [
        ("A", "B"), ("A", "C"), ("B", "C")]
    assert ("A", "B") in include_circles({"A.cpp": ("view", '#include "view/B.h"\n'),
                                          "B.cpp": ("view", '#include "view/A.h"\n')})
    assert include_circles({"A.cpp": ("view", '#include "view/B.h"\n'),
                            "B.cpp": ("view", '#include "render/A.h"\n')}) == []

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
    for folder in NO_CIRCLES:
        texts = {path.name: (folder, path.read_text(encoding="utf-8", errors="replace"))
                 for path in sorted((root / folder).glob("*"))
                 if path.suffix in SUFFIXES and path.is_file()}
        for a, b in include_circles(texts):
            faults.append(f"{folder}/: {a} and {b} include each other (directly or through "
                          f"others of {folder}/)")
    for fault in faults:
        print(fault)
    print(f"{checked} files checked, {len(faults)} faults")
    return 1 if faults or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
