#!/usr/bin/env python3
"""Writes a test folder for the curve-check benchmark: t.mv5 and curve files t.001 .. t.NNN,
each with two columns (time, value) ending in CR LF, time zero a tenth of the way in."""
import math
import os
import sys

def main():
    folder = sys.argv[1]
    files = int(sys.argv[2]) if len(sys.argv) > 2 else 100
    points = int(sys.argv[3]) if len(sys.argv) > 3 else 20000
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "t.mv5"), "wb") as f:
        f.write(b"# benchmark test file\r\n")
    step = 0.0001
    before = points // 10
    for c in range(1, files + 1):
        lines = []
        for i in range(points):
            t = (i - before) * step
            v = 100.0 * math.sin(i * 0.01 + c)
            lines.append("%.7f %.6f\r\n" % (t, v))
        with open(os.path.join(folder, "t.%03d" % c), "wb") as f:
            f.write("".join(lines).encode("ascii"))

if __name__ == "__main__":
    main()
