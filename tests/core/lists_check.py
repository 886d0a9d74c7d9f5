#!/usr/bin/env python3
"""Checks list splitting, searching and replacement against Python.

Plain operations are compared with bytes.split, bytes.find, bytes.count and bytes.replace;
quote-aware splitting with an independent model of the quoting rule; the CP1252 codec with
Python's. Cases come from a seeded generator so that every run checks the same few thousand.
"""
import random
import subprocess
import sys

ALPHABET = b"ab,;: '\"x\x00\xe9"


def h(b):
    return b.hex() if b else "-"


def quote_aware_split(text, sep):
    """Fields of a list whose separators inside '...' or "..." do not count."""
    if not text:
        return []
    fields, cur, quote = [], bytearray(), None
    for ch in text:
        c = bytes([ch])
        if quote:
            cur += c
            if c == quote:
                quote = None
        elif c in (b"'", b'"') and sep != b"\x00":
            quote = c
            cur += c
        elif c == sep:
            fields.append(bytes(cur))
            cur = bytearray()
        else:
            cur += c
    fields.append(bytes(cur))
    return fields


def main():
    probe = sys.argv[1]
    rng = random.Random(20261211)
    cases, expected = [], []

    def rand_text(n, alphabet=ALPHABET):
        return bytes(rng.choice(alphabet) for _ in range(rng.randint(0, n)))

    for _ in range(1500):
        sep = bytes([rng.choice(b",;: \x00")])
        text = rand_text(24)
        cases.append(f"split {sep.hex()} {h(text)}")
        fields = quote_aware_split(text, sep)
        if b"'" not in text and b'"' not in text and text:
            assert fields == text.split(sep)
        expected.append(" ".join([str(len(fields))] + [h(f) for f in fields]))

    plain = b"ab x,"
    for _ in range(1500):
        text, pat, rep = rand_text(30, plain), rand_text(3, plain), rand_text(4, plain)
        cases.append(f"replace {h(text)} {h(pat)} {h(rep)} 01")
        expected.append(h(text.replace(pat, rep) if pat else text))
        cases.append(f"count {h(text)} {h(pat)} 01")
        expected.append(str(text.count(pat) if pat else 0))
        cases.append(f"find {h(text)} {h(pat)} 01")
        pos = text.find(pat) if pat else -1
        expected.append(str(65535 if pos < 0 else pos))

    raw = bytes(range(1, 256))
    cases.append(f"utf8 {h(raw)}")
    undefined = {0x81, 0x8D, 0x8F, 0x90, 0x9D}
    expected.append(h("".join(chr(b) if b in undefined else bytes([b]).decode("cp1252")
                              for b in raw).encode("utf-8")))

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
