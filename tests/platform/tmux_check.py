#!/usr/bin/env python3
"""Drives platform_probe in a real terminal under tmux.

  tmux_check.py parity PROBE SCRIPT   the script's keys typed into the terminal give the same
                                      screens (and cursor) as the headless run at every wait
                                      step and at the end; then a smaller terminal shows the
                                      part of the desktop around the focused control
  tmux_check.py keys PROBE SCRIPT     terminal keys give the key messages of the table below

Exit 77 (skipped) only when tmux cannot run at all.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77

# tmux key names for the script's key names.
TMUX_KEYS = {"Enter": "Enter", "Tab": "Tab", "Shift+Tab": "BTab", "Esc": "Escape",
             "Back": "BSpace", "Del": "DC", "Ins": "IC", "PgUp": "PPage", "PgDn": "NPage",
             "Space": "Space"}

# Terminal key (tmux name, or literal text after "lit:") -> the messages the window gets.
KEY_TABLE = [
    ("Tab", ["KD Tab", "CH 9", "KU Tab"]),
    ("BTab", ["KD Shift", "KD Tab", "CH 9", "KU Tab", "KU Shift"]),
    ("Enter", ["KD Enter", "CH 13", "KU Enter"]),
    ("Escape", ["KD Esc", "CH 27", "KU Esc"]),
    ("BSpace", ["KD Back", "CH 8", "KU Back"]),
    ("C-End", ["KD Ctrl", "KD End", "KU End", "KU Ctrl"]),
    ("C-Home", ["KD Ctrl", "KD Home", "KU Home", "KU Ctrl"]),
    ("C-]", ["KD Ctrl", "KD ]", "CH 29", "KU ]", "KU Ctrl"]),
    ("C-a", ["KD Ctrl", "KD A", "CH 1", "KU A", "KU Ctrl"]),
    ("F1", ["KD F1", "KU F1"]),
    ("F5", ["KD F5", "KU F5"]),
    ("F10", ["SKD F10", "SKU F10"]),
    ("F12", ["KD F12", "KU F12"]),
    ("S-F3", ["KD Shift", "KD F3", "KU F3", "KU Shift"]),
    ("C-F8", ["KD Ctrl", "KD F8", "KU F8", "KU Ctrl"]),
    ("Up", ["KD Up", "KU Up"]),
    ("Down", ["KD Down", "KU Down"]),
    ("Left", ["KD Left", "KU Left"]),
    ("Right", ["KD Right", "KU Right"]),
    ("S-Up", ["KD Shift", "KD Up", "KU Up", "KU Shift"]),
    ("C-Right", ["KD Ctrl", "KD Right", "KU Right", "KU Ctrl"]),
    ("PPage", ["KD PgUp", "KU PgUp"]),
    ("NPage", ["KD PgDn", "KU PgDn"]),
    ("Home", ["KD Home", "KU Home"]),
    ("End", ["KD End", "KU End"]),
    ("IC", ["KD Ins", "KU Ins"]),
    ("DC", ["KD Del", "KU Del"]),
    ("lit:a", ["KD A", "CH 97", "KU A"]),
    ("lit:A", ["KD Shift", "KD A", "CH 65", "KU A", "KU Shift"]),
    ("lit:7", ["KD 7", "CH 55", "KU 7"]),
    ("lit:ñ", ["KD Packet", "CH 241", "KU Packet"]),
    ("lit:€", ["KD Packet", "CH 128", "KU Packet"]),
    ("M-f", ["SKD Alt", "SKD F", "SCH 102", "SKU F", "SKU Alt"]),
]


class Tmux:
    def __init__(self):
        self.sock = "orvtest%d" % os.getpid()

    def run(self, *args, check=True):
        r = subprocess.run(["tmux", "-L", self.sock, "-f", "/dev/null"] + list(args),
                           capture_output=True, text=True, timeout=30)
        if check and r.returncode != 0:
            raise RuntimeError("tmux %s: %s" % (" ".join(args), r.stderr.strip()))
        return r

    def start(self, command, cols=80, rows=24):
        self.run("new-session", "-d", "-x", str(cols), "-y", str(rows), "-s", "t", command)
        self.run("set-option", "-t", "t", "remain-on-exit", "on", check=False)

    def capture(self):
        return self.run("capture-pane", "-p", "-t", "t").stdout

    def cursor(self):
        out = self.run("display-message", "-p", "-t", "t",
                       "#{cursor_x},#{cursor_y},#{cursor_flag},#{pane_dead}").stdout.strip()
        x, y, shown, dead = out.split(",")
        return int(x), int(y), shown == "1", dead == "1"

    def keys(self, *keys, literal=False):
        self.run("send-keys", "-t", "t", *(["-l"] if literal else []), *keys)

    def stop(self):
        self.run("kill-server", check=False)


def wait_for(predicate, what, timeout=20.0):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if predicate():
            return
        time.sleep(0.02)
    raise RuntimeError("timed out waiting for " + what)


def settle(tmux):
    """The screen once two captures 60 ms apart agree."""
    last = tmux.capture()
    deadline = time.time() + 10
    while time.time() < deadline:
        time.sleep(0.06)
        now = tmux.capture()
        if now == last:
            return now
        last = now
    return last


def lines_of(path):
    try:
        with open(path, encoding="utf-8") as f:
            return f.read().splitlines()
    except FileNotFoundError:
        return []


def normalise(screen, rows=24):
    lines = [l.rstrip() for l in screen.split("\n")[:rows]]
    lines += [""] * (rows - len(lines))
    return lines


def parse_headless(text):
    frames = []
    for chunk in text.split("--- frame\n"):
        lines = chunk.split("\n")
        cursor = tuple(int(v) for v in lines[24].split()[1].split(","))
        focus = tuple(int(v) for v in lines[25].split()[1].split(",")) if len(lines) > 25 and lines[25] else None
        frames.append((normalise("\n".join(lines[:24])), cursor, focus))
    return frames


def follow(grid, view, lo, length):
    """The view's origin on one axis (the same rule as the terminal backend)."""
    if grid <= view:
        return 0
    length = min(length, view)
    origin = 0
    if lo < origin:
        origin = lo
    if lo + length > origin + view:
        origin = lo + length - view
    return max(0, min(origin, grid - view))


def compare(label, want, got):
    if want == got:
        return True
    print("screens differ at %s" % label)
    for i, (a, b) in enumerate(zip(want, got)):
        mark = " " if a == b else "*"
        print("%s%2d headless |%s|" % (mark, i, a))
        if a != b:
            print("%s%2d terminal |%s|" % (mark, i, b))
    return False


def script_steps(path):
    steps = []
    with open(path, encoding="utf-8") as f:
        for raw in f:
            line = raw.rstrip("\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            verb, _, rest = line.partition(" ")
            steps.append((verb, rest))
    return steps


def tmux_key(name):
    if name in TMUX_KEYS:
        return TMUX_KEYS[name]
    parts = name.split("+")
    prefix = "".join({"Ctrl": "C-", "Alt": "M-", "Shift": "S-"}[p] for p in parts[:-1])
    key = parts[-1]
    return prefix + (key.lower() if len(key) == 1 and prefix else TMUX_KEYS.get(key, key))


def presses(verb, rest):
    """How many non-modifier key releases a step makes (the probe logs each)."""
    return len(rest) if verb == "type" else 1


def run_parity(tmux, probe, script, log):
    expected = parse_headless(subprocess.run([probe, "headless", script], check=True,
                                             capture_output=True, text=True).stdout)
    tmux.start("env TERM=tmux-256color LANG=C.UTF-8 LC_ALL=C.UTF-8 %s terminal %s" % (probe, log))
    wait_for(lambda: "Orvale Business Runtime" in tmux.capture(), "the probe to start")
    ok = True
    sent = 0
    checkpoint = 0
    modifiers = ("up Shift", "up Ctrl", "up Alt")

    def arrived():
        return sum(1 for l in lines_of(log) if l.startswith("up ") and l not in modifiers) >= sent

    def check(label, frame):
        nonlocal ok
        wait_for(arrived, "the keys to arrive")
        screen = normalise(settle(tmux))
        ok = compare(label, frame[0], screen) and ok
        cx, cy, shown, dead = tmux.cursor()
        if dead:
            raise RuntimeError("the probe ended:\n" + tmux.capture())
        if frame[1][0] >= 0 and (not shown or (cx, cy) != frame[1]):
            print("cursor at %s: headless %s, terminal %s" % (label, frame[1], (cx, cy, shown)))
            ok = False

    for verb, rest in script_steps(script):
        if verb == "wait":
            check("checkpoint %d" % (checkpoint + 1), expected[checkpoint])
            checkpoint += 1
            continue
        if verb == "type":
            tmux.keys(rest, literal=True)
        else:
            tmux.keys(tmux_key(rest))
        sent += presses(verb, rest)
        # One key at a time: a lone Esc must not merge with the next key into Alt+key.
        wait_for(arrived, "key %s %s" % (verb, rest))
    check("the end", expected[-1])

    # A smaller terminal shows the part of the 80x24 desktop around the focused control.
    screen, _, focus = expected[-1]
    tmux.run("resize-window", "-t", "t", "-x", "50", "-y", "12")
    wait_for(lambda: len(tmux.capture().split("\n")) <= 13, "the resize")
    ox = follow(80, 50, focus[0], focus[2])
    oy = follow(24, 12, focus[1], focus[3])
    want = [l[ox:ox + 50].rstrip() for l in screen[oy:oy + 12]]
    ok = compare("the 50x12 view", want, normalise(settle(tmux), 12)) and ok
    return ok


def run_keys(tmux, probe, log):
    tmux.start("env TERM=tmux-256color LANG=C.UTF-8 LC_ALL=C.UTF-8 %s keys %s" % (probe, log))
    wait_for(lambda: "Keys" in tmux.capture(), "the probe to start")
    ok = True
    seen = 0
    for key, want in KEY_TABLE:
        if key.startswith("lit:"):
            tmux.keys(key[4:], literal=True)
        else:
            tmux.keys(key)
        try:
            wait_for(lambda: len(lines_of(log)) >= seen + len(want), "the messages of " + key, 10)
        except RuntimeError:
            pass
        time.sleep(0.05)  # nothing more may follow
        got = lines_of(log)[seen:]
        seen += len(got)
        if got != want:
            print("key %-8s want %s\n             got  %s" % (key, want, got))
            ok = False
    return ok


def main():
    mode, probe, script = sys.argv[1:4]
    if not shutil.which("tmux"):
        print("SKIP: tmux is not installed")
        return SKIP
    tmux = Tmux()
    with tempfile.TemporaryDirectory() as tmp:
        log = os.path.join(tmp, "events.log")
        try:
            try:
                tmux.run("start-server")
            except (RuntimeError, OSError) as e:
                print("SKIP: tmux cannot run here: %s" % e)
                return SKIP
            ok = run_parity(tmux, probe, script, log) if mode == "parity" else run_keys(tmux, probe, log)
        finally:
            tmux.stop()
    print("ok" if ok else "FAILED")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
