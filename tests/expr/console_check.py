#!/usr/bin/env python3
"""Checks orvale-eval end to end: output lines, character conversion, options, exit status."""
import subprocess
import sys


def run(binary, args, stdin=b""):
    p = subprocess.run([binary] + args, input=stdin, capture_output=True)
    return p.returncode, p.stdout.decode("utf-8"), p.stderr.decode("utf-8")


def main():
    binary = sys.argv[1]
    failures = []

    def check(label, got, want):
        if got != want:
            failures.append("%s:\n  want %r\n  got  %r" % (label, want, got))

    code, out, err = run(binary, ["1+2", "'a'+'b'", "A=2", "A*3", "'x'*2", ""])
    check("arguments", (code, out), (1, "N 3\nT ab\nN 2\nN 6\nE 128 Tipos Incompatibles\nN 0\n"))
    check("error text", "Tipos Incompatibles(ExpExec): 'x'*2" in err, True)

    code, out, _ = run(binary, [], "200÷15\r\n'ñ'+'€'\nX 1\n".encode("utf-8"))
    check("utf-8 input", (code, out), (1, "N 170\nT ñ€\nE 147 SINTAXERROR\n"))
    code, out, _ = run(binary, [], b"'\xf1'+'\x80'\n200\xf715")
    check("cp1252 input", (code, out), (0, "T ñ€\nN 170\n"))

    code, out, _ = run(binary, [], b"1+1\r\n2+2\r3+3\n\n4\x1a\n5\n")
    check("line ends and Ctrl-Z", (code, out), (0, "N 2\nN 4\nN 6\nN 0\nN 4\n"))
    check("--precis", run(binary, ["--precis", "0", "10/3", "_PRECIS"])[:2], (0, "N 3\nN 0\n"))
    check("--precis 4", run(binary, ["--precis", "4", "1/3"])[:2], (0, "N .3333\n"))
    check("--today", run(binary, ["--today", "20240229", "1"])[:2], (0, "N 1\n"))
    check("zero", run(binary, ["0", "1-1", "0.001"])[:2], (0, "N 0\nN 0\nN 0\n"))
    check("negative argument", run(binary, ["-5+2"])[:2], (0, "N -3\n"))
    check("after --", run(binary, ["--", "--precis"])[:2], (0, "N 0\n"))
    check("warning only", run(binary, ["5", "FN$TRIM(1)"])[0], 1)
    for bad in (["--precis", "5", "1"], ["--precis"], ["--today", "2024", "1"],
                ["--today", "2024022x", "1"], ["--frobnicate", "1"]):
        code, out, err = run(binary, bad)
        check("usage %s" % bad, (code, out, "usage:" in err), (2, "", True))

    for f in failures:
        print(f)
    print("%d failures" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
