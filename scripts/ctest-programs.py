#!/usr/bin/env python3
"""Lists the tests of a configured build folder that match a ctest regex, each
with the build target of the program it runs:
    ctest-programs.py BUILD_DIR [REGEX]      ->  "<test name>\t<target>" lines
A test whose program is no target of the build (a script) has "-" instead;
scripts/test.sh builds only the targets the build has."""
import json
import os
import subprocess
import sys

build = sys.argv[1]
command = ["ctest", "--test-dir", build, "--show-only=json-v1"]
if len(sys.argv) > 2 and sys.argv[2]:
    command += ["-R", sys.argv[2]]
listing = json.loads(subprocess.run(command, check=True, capture_output=True, text=True).stdout)
for test in listing.get("tests", []):
    words = test.get("command")
    if not words:
        # ctest names no command for a program not built yet: the test is
        # then named after it, "<configuration>.<target>".
        print(f"{test['name']}\t{test['name'].split('.', 1)[-1]}")
        continue
    # A Windows test runs its .exe through scripts/wine-exec.sh.
    program = next((w for w in words if w.endswith(".exe")), words[0])
    target = os.path.basename(program)
    if target.endswith(".exe"):
        target = target[:-4]
    inside = os.path.realpath(program).startswith(os.path.realpath(build) + os.sep)
    print(f"{test['name']}\t{target if inside else '-'}")
