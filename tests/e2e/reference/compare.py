#!/usr/bin/env python3
"""Runs a tolvek binary on the scenario folders and shows where its outputs
differ from the committed expected files (a developer aid; CI uses the C++
harness).

Usage: compare.py BINARY [scenario ...]
"""

import difflib
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SCEN_DIR = os.path.join(os.path.dirname(HERE), "scenarios")


def read(path):
    with open(path, "rb") as fh:
        return fh.read()


def compare(binary, name):
    root = os.path.join(SCEN_DIR, name)
    work = tempfile.mkdtemp(prefix="tolvek-e2e-")
    try:
        inp = os.path.join(root, "input")
        for fname in os.listdir(inp):
            shutil.copy(os.path.join(inp, fname), work)
        proc = subprocess.run([binary], cwd=work, input=read(os.path.join(root, "stdin")),
                              capture_output=True, timeout=120)
        got = {
            "stdout": proc.stdout,
            "stderr": proc.stderr,
            "exit_code": b"%d\n" % proc.returncode,
        }
        for fname in ("tolvek.dif", "tolvek.pos"):
            p = os.path.join(work, fname)
            got[fname] = read(p) if os.path.exists(p) else b"<missing>"
        leftovers = sorted(set(os.listdir(work)) - set(os.listdir(inp)) - {"tolvek.dif", "tolvek.pos"})
    finally:
        shutil.rmtree(work)
    bad = 0
    for key, data in got.items():
        p = os.path.join(root, "expected", key)
        want = read(p) if os.path.exists(p) else b""
        if data == want:
            continue
        bad += 1
        print("--- %s: %s differs" % (name, key))
        a = want.decode("latin-1").splitlines(True)
        b = data.decode("latin-1").splitlines(True)
        diff = list(difflib.unified_diff(a, b, "expected", "got", n=0))
        sys.stdout.writelines(line if line.endswith("\n") else line + "\n" for line in diff[:40])
        if len(diff) > 40:
            print("... %d more diff lines" % (len(diff) - 40))
    if leftovers:
        bad += 1
        print("--- %s: files left in the working directory: %s" % (name, leftovers))
    print("%s: %s" % (name, "ok" if not bad else "DIFFERS"))
    return bad == 0


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    binary = os.path.abspath(argv[1])
    names = argv[2:] or sorted(d for d in os.listdir(SCEN_DIR)
                               if os.path.isdir(os.path.join(SCEN_DIR, d)))
    ok = all([compare(binary, n) for n in names])
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
