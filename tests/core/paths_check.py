#!/usr/bin/env python3
"""Checks path parts, joins and relative paths against Python's ntpath.

Paths are drawn from a seeded generator over the forms where ntpath computes the same thing
as the engine: an optional drive letter, an optional root, single backslashes between
components, names that do not start with a dot. For those:
  PathPart flags 1  = ntpath.splitdrive(p)[0]       flags 3  = ntpath.split(p)[0]
  PathPart flags 12 = ntpath.split(p)[1]            flags 4, 8 = ntpath.splitext(tail)
  PathPart flags 14 = ntpath.splitdrive(p)[1]       flags 15 = p
  PathJoin(f, n)    = ntpath.join(f, n)             (f not a bare drive, n relative)
  PathResolve(b, r) = ntpath.normpath(ntpath.join(b, r))
                      (r: leading ".." components, or one leading ".", then plain names)
"""
import ntpath
import random
import subprocess
import sys


def h(s):
    return s.encode("cp1252").hex() if s else "-"


def main():
    probe = sys.argv[1]
    rng = random.Random(20240305)
    letters = "abcXYZ09_- é"

    def name():
        stem = rng.choice("abcDEF") + "".join(rng.choice(letters) for _ in range(rng.randint(0, 5)))
        return stem + rng.choice(["", "", ".", ".ext", ".tar.gz", ".."])

    def components(lo, hi):
        return [name() for _ in range(rng.randint(lo, hi))]

    def path():
        drive = rng.choice(["", "", "C:", "z:"])
        root = rng.choice(["", "\\"])
        comps = components(0 if root or drive else 1, 4)
        p = drive + root + "\\".join(comps)
        if comps and rng.random() < 0.15:
            p += "\\"
        return p

    cases, expected = [], []

    def expect(case, value):
        cases.append(case)
        expected.append(h(value))

    for _ in range(1500):
        p = path()
        head, tail = ntpath.split(p)
        stem, ext = ntpath.splitext(tail)
        drive, rest = ntpath.splitdrive(p)
        for flags, value in ((1, drive), (3, head), (12, tail), (4, stem), (8, ext),
                             (14, rest), (15, p)):
            expect(f"part {h(str(flags))} {h(p)}", value)

    for _ in range(800):
        folder = path()
        if folder.endswith(":") or not folder:
            folder += "\\dir"
        rel = "\\".join(components(1, 3))
        expect(f"join {h(folder)} {h(rel)}", ntpath.join(folder, rel))

    for _ in range(800):
        drive = rng.choice(["", "C:", "d:"])
        root = "\\" if drive or rng.random() < 0.5 else ""
        base_comps = components(0 if root else 1, 4)
        base = drive + root + "\\".join(base_comps)
        # A relative base cannot climb above its own start (ntpath would keep the "..").
        ups = rng.randint(0, len(base_comps) + (2 if root else 0))
        if not root:
            ups = min(ups, len(base_comps))
        lead = [".."] * ups if ups or rng.random() < 0.5 else ["."]
        rel = "\\".join(lead + components(1, 3))
        expect(f"resolve {h(base)} {h(rel)}", ntpath.normpath(ntpath.join(base, rel)))

    out = subprocess.run([probe], input="\n".join(cases) + "\n", capture_output=True,
                         text=True, check=True).stdout.splitlines()
    failures = [(c, e, g) for c, e, g in zip(cases, expected, out) if e != g]
    if len(out) != len(cases):
        failures.append(("line count", len(cases), len(out)))
    for c, e, g in failures[:20]:
        print(f"case: {c}\n  expected: {e}\n  got:      {g}")
    print(f"{len(cases) - len(failures)}/{len(cases)} cases agree")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
