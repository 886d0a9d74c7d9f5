#!/usr/bin/env python3
"""Reads data and index files written by the engine with nothing but this file's own
reading of the two formats, and checks them against what the probe says they must hold.

Data file: headerless records of R bytes; a record whose first byte is 27 is deleted.
Index file: little-endian 32-bit F, N, the F free slots in the order they were freed, then
for each key the N live slots in key order.

Usage: format_check.py PROBE"""
import json
import os
import struct
import subprocess
import sys
import tempfile


def check(probe, seed):
    with tempfile.TemporaryDirectory() as folder:
        out = subprocess.run([probe, folder, str(seed)], check=True, capture_output=True).stdout
        want = json.loads(out)
        r = want["record_len"]
        data = open(os.path.join(folder, "probe.FD"), "rb").read()
        index = open(os.path.join(folder, "probe.DIR"), "rb").read()
    keys = want["keys"]
    assert len(data) % r == 0, "data file is not whole records"
    slots = len(data) // r
    records = [data[i * r:(i + 1) * r] for i in range(slots)]
    f, n = struct.unpack_from("<ii", index, 0)
    assert len(index) == 8 + 4 * (f + n * len(keys)), "index size does not match F, N, K"
    assert n + f == slots, "N + F is not the number of slots"
    free = list(struct.unpack_from("<%di" % f, index, 8))
    assert free == want["free"], "free list differs from the slots freed, in order"
    assert all(records[s][0] == 27 for s in free), "a free slot is not marked deleted"
    live = sorted(set(range(slots)) - set(free))
    assert all(records[s][0] != 27 for s in live), "a live slot is marked deleted"
    at = 8 + 4 * f
    for k, parts in enumerate(keys):
        order = list(struct.unpack_from("<%di" % n, index, at))
        at += 4 * n
        assert sorted(order) == live, "key %d is not a permutation of the live slots" % (k + 1)
        keyed = [b"".join(records[s][o:o + ln] for o, ln in parts) for s in order]
        assert keyed == sorted(keyed), "key %d is not in key order" % (k + 1)
        images = [records[s].hex() for s in order]
        assert images == want["orders"][k], "key %d: records or their order differ" % (k + 1)
    return slots, f


def main():
    for seed in (1, 2, 3):
        slots, free = check(sys.argv[1], seed)
        assert slots > 100 and free > 10, "the probe made too small a file to tell anything"
    print("ok")


if __name__ == "__main__":
    main()
