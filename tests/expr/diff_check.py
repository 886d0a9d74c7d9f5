#!/usr/bin/env python3
"""Differential check of the evaluator against the independent model in expr_model.py.

A seeded generator writes random expressions (numbers with 0 to 6 decimals, every operator,
empty operands, '!', '%', '÷', texts with '*' patterns, ';' lists, groups, variables and
assignments, blanks next to operators) at a random _PRECIS; the probe evaluates each in a
fresh variable store and the model predicts its line. The regression file holds earlier
mismatches, shrunk, and runs first.

  diff_check.py PROBE [--cases N] [--seed S]     run the check
  diff_check.py PROBE --shrink PRECIS EXPR       shrink a mismatching expression
"""
import os
import random
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import expr_model  # noqa: E402

REGRESSIONS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "diff_regressions.txt")

BINARY_OPS = ["*", "/", "!", "%", "\xf7", "+", "-", ">", "<", "==", ">=", "<=", "<>", "&", "|",
              "@", "&&", "||", "@@", "=>", ":"]
INT_VARS = ["N", "M", "_USER01"]
NUM_VARS = ["X#", "Y#"]
TEXT_VARS = ["T$", "U$"]
TEXT_OPS = ["+", "+", "==", "==", "<>", ">", "<", ">=", "<="]


class Generator:
    def __init__(self, rng):
        self.rng = rng

    def number(self):
        r = self.rng
        kind = r.random()
        if kind < 0.05:
            whole = str(r.randint(10 ** 15, 10 ** 19))
        elif kind < 0.5:
            whole = str(r.randint(0, 9))
        else:
            whole = str(r.randint(0, 99999))
        decimals = r.randint(0, 6)
        text = whole
        if decimals:
            text += "." + "".join(r.choice("0123456789") for _ in range(decimals))
        if r.random() < 0.05:
            text += "D" + str(r.randint(0, 25))
        if r.random() < 0.05:
            text = "." + text.split(".")[-1]
        return text

    def text(self):
        r = self.rng
        body = "".join(r.choice("abAB*x\xe9\xc9 ") for _ in range(r.randint(0, 5)))
        q = r.choice("''\"")
        return q + body.replace(q, "") + q

    def operand(self, depth, kind):
        r = self.rng
        if r.random() < 0.03:
            kind = "text" if kind == "num" else "num"
        k = r.random()
        if k < 0.05:
            return ""
        if k < 0.50:
            return self.number() if kind == "num" else self.text()
        if k < 0.75:
            return r.choice(INT_VARS + NUM_VARS if kind == "num" else TEXT_VARS)
        if k < 0.88 and depth < 4:
            return "(" + self.statements(depth + 1, kind) + ")"
        if k < 0.93 and depth < 4:
            target = r.choice(INT_VARS + NUM_VARS if kind == "num" else TEXT_VARS)
            return target + "=" + self.expression(depth + 1, kind, kind == "num")
        if k < 0.95:
            return r.choice(["_PRECIS=" + str(r.randint(0, 5)), "_AUXSTAT=0", "_AUXSTAT=128",
                             ".top", ".lf$", "X 1", "A=>B", "2*()+1"])
        return self.number() if kind == "num" else self.text()

    def operator(self, kind, compare=True):
        ops = BINARY_OPS if kind == "num" else (TEXT_OPS if compare else ["+"])
        op = self.rng.choice(ops)
        if self.rng.random() < 0.1:
            op = " " + op + " "
        return op

    def expression(self, depth, kind, compare=True):
        parts = [self.operand(depth, kind)]
        for _ in range(self.rng.randint(0, 3 if depth == 0 else 2)):
            op = self.operator(kind, compare)
            parts += [op]
            if op.strip() in ("==", "<>", ">", "<", ">=", "<=") and kind == "text":
                parts += [self.operand(depth, kind)]
                kind = "num"
                continue
            parts += [self.operand(depth, kind)]
        return "".join(parts)

    def statements(self, depth=0, kind=None):
        n = self.rng.choice([1, 1, 1, 2, 3])
        sep = self.rng.choice([";", ";", ","])
        out = []
        for _ in range(n):
            k = kind or self.kind()
            prefix = ""
            if self.rng.random() < 0.3:
                prefix = self.rng.choice(INT_VARS + NUM_VARS if k == "num" else TEXT_VARS) + "="
            out.append(prefix + self.expression(depth, k, not prefix or k == "num"))
        return sep.join(out)

    def kind(self):
        return "text" if self.rng.random() < 0.3 else "num"


def encode(text):
    return text.encode("cp1252")


def run_probe(probe, cases):
    lines = "".join("%d %s\n" % (p, encode(t).hex()) for p, t in cases)
    out = subprocess.run([probe], input=lines, capture_output=True, text=True, check=True)
    return out.stdout.splitlines()


def predict(precis, text):
    return expr_model.Model(precis).answer(encode(text))


def load_regressions():
    cases = []
    with open(REGRESSIONS, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            precis, text = line.split("\t", 1)
            cases.append((int(precis), text))
    return cases


def shrink(probe, precis, text):
    """Removes characters while the engine and the model still disagree."""
    def differs(t):
        return run_probe(probe, [(precis, t)])[0] != predict(precis, t)
    assert differs(text), "the case does not mismatch"
    changed = True
    while changed:
        changed = False
        for size in (8, 4, 2, 1):
            i = 0
            while i < len(text):
                candidate = text[:i] + text[i + size:]
                if candidate != text and differs(candidate):
                    text, changed = candidate, True
                else:
                    i += 1
    return text


def main():
    args = sys.argv[1:]
    probe = args.pop(0)
    if args[:1] == ["--shrink"]:
        small = shrink(probe, int(args[1]), args[2])
        print("%s\t%s" % (args[1], small))
        print("engine:", run_probe(probe, [(int(args[1]), small)])[0])
        print("model: ", predict(int(args[1]), small))
        return 0
    count, seed = 5000, 20260105
    while args:
        opt, value = args.pop(0), args.pop(0)
        if opt == "--cases":
            count = int(value)
        elif opt == "--seed":
            seed = int(value)
    rng = random.Random(seed)
    gen = Generator(rng)
    cases = load_regressions()
    cases += [(rng.randint(0, 4), gen.statements()) for _ in range(count)]
    got = run_probe(probe, cases)
    failures = []
    kinds = {}
    for (precis, text), line in zip(cases, got):
        want = predict(precis, text)
        kinds[want.split()[0] + (want.split()[1] if want.startswith("E") else "")] = \
            kinds.get(want.split()[0] + (want.split()[1] if want.startswith("E") else ""), 0) + 1
        if want != line:
            failures.append((precis, text, want, line))
    if len(got) != len(cases):
        failures.append((0, "<line count>", len(cases), len(got)))
    for precis, text, want, line in failures[:15]:
        print("precis %s  expression %r\n  model:  %s\n  engine: %s" % (precis, text, want, line))
    print("%d/%d cases agree; results: %s" % (len(cases) - len(failures), len(cases),
                                              ", ".join("%s %d" % kv for kv in sorted(kinds.items()))))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
