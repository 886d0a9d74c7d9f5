#!/usr/bin/env python3
"""Checks dates and numeric masks against Python's datetime, calendar and decimal.

Seeded random cases go through the probe (expr_probe: '<precis> <hex expression> <language>'):
  - date parts and arithmetic: FN#VALN with the kinds D, M, Y and V, as parts, with amounts
    of days, months and years, and as distances between two dates (datetime, calendar);
  - date texts: FN$DATE of valid and invalid dates in every style, and of day/month/year texts
    with every separator, two- and four-digit years, in both orders (calendar, datetime);
  - numeric masks shaped like #,##0.00: FN$MASK of texts and numbers with the built-in and
    the Spanish conventions, against decimal formatting of the value rounded half away from
    zero, with the separators first, then decimal places, given up to fit; '*' when nothing
    fits.

  format_check.py PROBE [--cases N] [--seed S]
"""
import calendar
import random
import subprocess
import sys
from datetime import date, timedelta
from decimal import ROUND_HALF_UP, Decimal

ES_MONTHS = ["Enero", "Febrero", "Marzo", "Abril", "Mayo", "Junio", "Julio", "Agosto",
             "Septiembre", "Octubre", "Noviembre", "Diciembre"]
EN_MONTHS = list(calendar.month_name)[1:]
SKIP = object()


def ymd(d):
    return "%04d%02d%02d" % (d.year, d.month, d.day)


CENTURIES = [1600, 1700, 1800, 1900, 2000, 2100, 2200, 2300, 2400]


def random_date(r):
    """A random date, often at a month's end or around February of a century year."""
    k = r.random()
    if k < 0.15:
        y = r.choice(CENTURIES + [2023, 2024, r.randint(1, 9999)])
        m = r.choice([1, 2, 2, 3, 12])
        return date(y, m, r.randint(1, calendar.monthrange(y, m)[1]))
    if k < 0.3:
        y, m = r.randint(1, 9999), r.randint(1, 12)
        return date(y, m, calendar.monthrange(y, m)[1] - r.randint(0, 2))
    return date.fromordinal(r.randint(date(1, 1, 1).toordinal(), date(9999, 12, 31).toordinal()))


def number_line(n):
    return "N %d" % n if n else "N 0"


def shifted(y, m, d):
    """The date y-m-d with a day past the month's end carried into the next month."""
    return date(y, m, 1) + timedelta(days=d - 1)


# Date parts and arithmetic -------------------------------------------------------------------

def arithmetic_case(r):
    d = random_date(r)
    kind = r.choice("DMYV")
    text = "'%s'" % ymd(d)
    form = r.random()
    if form < 0.15:
        expr = "FN#VALN(%s;'%s')" % (text, kind)
        want = {"D": d.day, "M": d.month, "Y": d.year, "V": int(ymd(d))}[kind]
        return expr, number_line(want)
    if form < 0.45:
        b = random_date(r)
        base = "'%s'" % ymd(b) if r.random() < 0.5 else ymd(b)
        expr = "FN#VALN(%s;'%s';%s)" % (text, kind, base)
        want = {"D": (d - b).days, "M": 12 * (d.year - b.year) + d.month - b.month,
                "Y": d.year - b.year, "V": 0}[kind]
        return expr, number_line(want)
    limit = {"D": 10000, "M": 3000, "Y": 300, "V": 10000}[kind]
    amount = r.randint(-limit, limit)
    if kind == "D" and r.random() < 0.05:
        amount = -r.randint(1, 4000000)
    expr = "FN#VALN(%s;'%s';%d)" % (text, kind, amount)
    if kind == "D":
        ordinal = d.toordinal() + amount
        if ordinal < -365:
            return expr, "E 168"
        if ordinal < 1:
            return expr, SKIP  # the year 0, which datetime does not know
        if ordinal > date.max.toordinal():
            return expr, "E 168"
        return expr, number_line(int(ymd(date.fromordinal(ordinal))))
    if kind == "V":
        return expr, number_line(int(ymd(d)))
    if kind == "M":
        y, m = divmod(d.year * 12 + d.month - 1 + amount, 12)
        m += 1
    else:
        y, m = d.year + amount, d.month
    if y < 0 or y > 9999:
        return expr, "E 168"
    if y == 0:
        return expr, SKIP
    if kind == "M":
        return expr, number_line(int(ymd(date(y, m, min(d.day, calendar.monthrange(y, m)[1])))))
    try:
        return expr, number_line(int(ymd(shifted(y, m, d.day))))
    except OverflowError:
        return expr, "E 168"


# Date texts -----------------------------------------------------------------------------------

def style_text(y, m, d, style, lang):
    day_first = lang == "ES"
    if style == 0:
        return "%04d%02d%02d" % (y, m, d)
    if style in (1, 2):
        year = "%02d" % (y % 100) if style == 1 else "%04d" % y
        a, b = (d, m) if day_first else (m, d)
        return "%02d-%02d-%s" % (a, b, year)
    months = ES_MONTHS if lang == "ES" else EN_MONTHS
    if style == 3:
        return "%s %04d" % (months[m - 1][:3], y)
    if lang == "ES":
        return "%02d de %s de %04d" % (d, months[m - 1], y)
    return "%s %02d, %04d" % (months[m - 1], d, y)


def valid(y, m, d):
    return 0 <= y <= 9999 and 1 <= m <= 12 and 1 <= d <= calendar.monthrange(y or 2000, m)[1]


def invalid_text(style):
    return {1: " " * 8, 2: " " * 10}.get(style, "")


def date_text_case(r):
    lang = r.choice(["ES", "EN"])
    style = r.randint(0, 5)
    if r.random() < 0.5:
        if r.random() < 0.7:
            d = random_date(r)
            y, m, dd = d.year, d.month, d.day
        elif r.random() < 0.4:
            y, m, dd = r.choice(CENTURIES + [r.randint(1, 9999)]), 2, 29
        else:
            y, m, dd = r.randint(1, 9999), r.randint(0, 13), r.randint(0, 32)
        expr = "FN$DATE('%04d%02d%02d';%d)" % (y, m, dd, style)
        ok = valid(y, m, dd) and style <= 4
        return lang, expr, style_text(y, m, dd, style, lang) if ok else invalid_text(style)
    # A typed date: day and month in the language's order, a two- or four-digit year.
    y, m, dd = r.randint(1000, 9999), r.randint(1, 12), r.randint(1, 31)
    if r.random() < 0.2:
        y, m, dd = r.choice(CENTURIES), 2, r.choice([28, 29])
    two = r.random() < 0.5
    if two:
        yy = r.randint(0, 99)
        y = yy + (2000 if yy < 80 else 1900)
        year = "%02d" % yy
    else:
        year = "%d" % y
    sep = r.choice("-./")
    a, b = (dd, m) if lang == "ES" else (m, dd)
    fmt = "%02d" if r.random() < 0.5 else "%d"
    typed = (fmt % a) + sep + (fmt % b) + sep + year
    expr = "FN$DATE('%s';%d)" % (typed, style)
    ok = valid(y, m, dd) and style <= 4
    return lang, expr, style_text(y, m, dd, style, lang) if ok else invalid_text(style)


# Numeric masks --------------------------------------------------------------------------------

def make_mask(r):
    n_int = r.randint(2, 13)  # a leading "#" place, as in #,##0.00
    decimals = r.choice([0, 0, 1, 2, 2, 2, 3, 4])
    core = ""
    for i, c in enumerate(["0"] + ["#"] * (n_int - 1)):
        if i and i % 3 == 0:
            core = "," + core
        core = c + core
    if decimals:
        core += "." + "0" * decimals
    prefix, suffix = ("$ ", " EUR") if r.random() < 0.15 else ("", "")
    return prefix, core, suffix, decimals


def make_value(r):
    digits = r.choice([0, 0, 1, 2, 3, 4, 6, 8, 10, 12, 15, 18, 22])
    whole = str(r.randint(10 ** (digits - 1), 10 ** digits - 1)) if digits else ""
    frac = "".join(r.choice("0123456789") for _ in range(r.choice([0, 0, 1, 2, 3, 5])))
    if r.random() < 0.2 and frac:
        frac = frac[:-1] + "5"  # a tie
    if not whole and not frac:
        whole = "0"
    text = whole + ("." + frac if frac else "")
    if text.startswith(".") and r.random() < 0.5:
        text = "0" + text
    if r.random() < 0.3 and Decimal(text) != 0:
        text = "-" + text
    return text


def mask_expected(core, decimals, value, lang):
    width = len(core)
    tries = [(decimals, True), (decimals, False)] + [(k, False) for k in range(decimals - 1, -1, -1)]
    for k, sep in tries:
        q = value.quantize(Decimal(1).scaleb(-k), rounding=ROUND_HALF_UP)
        if q == 0:
            q = abs(q)
        text = format(q, "%s.%df" % ("," if sep else "", k))
        if len(text) <= width:
            if lang == "ES":
                text = text.translate(str.maketrans(".,", ",."))
            return text.rjust(width)
    return None


def mask_case(r):
    lang = r.choice(["ES", "EN"])
    prefix, core, suffix, decimals = make_mask(r)
    value = make_value(r)
    as_number = len(value.split(".")[-1]) <= 4 and len(value.split(".")[0].lstrip("-")) <= 13
    if as_number and r.random() < 0.3:
        expr = "FN$MASK('%s';%s)" % (prefix + core + suffix, value)
    else:
        expr = "FN$MASK('%s';'%s')" % (prefix + core + suffix, value)
    shown = mask_expected(core, decimals, Decimal(value), lang)
    mask = prefix + core + suffix
    return lang, expr, prefix + shown + suffix if shown is not None else "*" * len(mask)


def main():
    args = sys.argv[1:]
    probe = args[0]
    cases, seed = 6000, 20240601
    if "--cases" in args:
        cases = int(args[args.index("--cases") + 1])
    if "--seed" in args:
        seed = int(args[args.index("--seed") + 1])
    r = random.Random(seed)
    work = []  # (language, expression, expected line)
    for _ in range(cases):
        expr, want = arithmetic_case(r)
        if want is not SKIP:
            work.append(("EN", expr, want))
    for _ in range(cases):
        lang, expr, text = date_text_case(r)
        work.append((lang, expr, "T " + text.encode("cp1252").hex()))
    for _ in range(cases):
        lang, expr, text = mask_case(r)
        work.append((lang, expr, "T " + text.encode("cp1252").hex()))
    lines = "".join("4 %s %s\n" % (expr.encode("cp1252").hex(), lang) for lang, expr, _ in work)
    out = subprocess.run([probe], input=lines.encode(), capture_output=True, check=True)
    got = out.stdout.decode().splitlines()
    failures = 0
    for (lang, expr, want), line in zip(work, got):
        if line.split(" ")[0] == "E":
            line = " ".join(line.split(" ")[:2])
        if line != want:
            failures += 1
            if failures <= 20:
                print("%s %s\n  want %s\n  got  %s" % (lang, expr, want, line))
    if len(got) != len(work):
        print("the probe answered %d lines for %d" % (len(got), len(work)))
        failures += 1
    print("%d cases, %d failures (seed %d)" % (len(work), failures, seed))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
