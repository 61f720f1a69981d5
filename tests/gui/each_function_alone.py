#!/usr/bin/env python3
"""Runs every function of the GUI tests in a process of its own, so that no
test passes only because another ran before it.

usage: each_function_alone.py TEST_PROGRAM...
"""

import subprocess
import sys

failures = []
count = 0
for program in sys.argv[1:]:
    listed = subprocess.run([program, "-functions"], capture_output=True, text=True, timeout=60)
    functions = [line.strip().rstrip("()") for line in listed.stdout.splitlines() if line.strip()]
    for function in functions:
        count += 1
        # A failure message Qt cut short may end inside a character.
        result = subprocess.run([program, function], capture_output=True, text=True,
                                errors="replace", timeout=300)
        if result.returncode != 0:
            failures.append("%s %s\n%s" % (program, function, result.stdout[-2000:]))

for failure in failures:
    print("FAIL:", failure)
print("%d passed, %d failed" % (count - len(failures), len(failures)))
sys.exit(1 if failures or count == 0 else 0)
