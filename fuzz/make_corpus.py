#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets under fuzz/corpus/ (run from the
repository's root). The program seeds are a key count, key codes and an
observation file cut from the bundled sample, with a few damaged variants."""
import os

ROOT = os.path.dirname(os.path.abspath(__file__))
SAMPLE = open(os.path.join(ROOT, "..", "data", "TORVELIN.VSs"), "rb").read()
REC = 96

def put(kind, name, data):
    d = os.path.join(ROOT, "corpus", kind)
    os.makedirs(d, exist_ok=True)
    with open(os.path.join(d, name), "wb") as f:
        f.write(data)

numbers = ["  15", " 150", "15  ", "    ", " -12", " 1.5", " 1e2", "1.5.", "9e99", "-9e9", "1e-9", "\t+12",
           "1e400", "1e-400", ".5", "5.", "+", "e5", " 1 2", "0x10", "inf", "nan", "1e+5", " +-1"]
for i, n in enumerate(numbers):
    put("number", "n%02d" % i, n.encode())

ENTER, LEFT, RIGHT, DOWN = b"\r", b"K", b"M", b"P"

def every_cell():
    """From cell 6: cells 1 to 5, 7 to 11, then 6 (STOP)."""
    k = LEFT * 5 + ENTER
    for _ in range(4):
        k += RIGHT + ENTER
    k += RIGHT * 2 + ENTER
    for _ in range(4):
        k += RIGHT + ENTER
    return k + LEFT * 5 + ENTER

def program(keys, file):
    assert len(keys) < 256
    return bytes([len(keys)]) + keys + file

def screen(entry):
    return ENTER + DOWN * (entry - 1) + ENTER + every_cell()

mid = 3000 * REC
files = {
    "30": SAMPLE[mid:mid + 30 * REC],
    "100": SAMPLE[mid:mid + 100 * REC],
    "1": SAMPLE[:REC],
    "partial": SAMPLE[:24 * REC + 50],
    "empty": b"",
}
for entry in range(1, 6):
    for name, data in files.items():
        put("program", "screen%d-%s" % (entry, name), program(screen(entry), data))
# A whole round through all screens and out by the stop entry.
round_keys = ENTER
for entry in range(1, 6):
    round_keys += ENTER + every_cell() + DOWN
round_keys += ENTER
put("program", "round-100", program(round_keys, files["100"]))
# Special keys with their 0, and German.
put("program", "special-keys", program(b"\x00K\x00K\r\r\x00M\x00P\r\x00H\r", files["30"]))
# Exponents, tabs and signs in the fields of a record.
bad = bytearray(SAMPLE[mid:mid + 30 * REC])
for r in range(30):
    for pos, text in ((17, b"9e99"), (22, b"-9e9"), (27, b"1e-9"), (42, b"\t+12"), (62, b" -5 "), (77, b"1e40")):
        bad[r * REC + pos - 1:r * REC + pos - 1 + 4] = text
put("program", "exponents", program(screen(2) + DOWN + ENTER + every_cell(), bytes(bad)))
