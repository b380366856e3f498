#!/usr/bin/env python3
"""Damaged copies of a genuine Access file, each opened as start-up opens ncodes.mdb.

    tools/access_damage.py GENUINE.mdb BUILD_DIR [SECONDS] [SEED]

Makes copies with single bytes changed across the file's pages and copies cut at every page,
opens each with BUILD_DIR/morvel-codedb-open (the program's connection: the Access file is
converted by morvel-mdbconvert in a limited child process) and sorts the outcomes. Allowed: the
file opens and every table reads, or the one message "... is damaged and cannot be read.". Any
other outcome (a crash, a run that does not end in time, another message) is a fault: the copy
is kept in the work folder and the script exits 1. Runs for SECONDS (default 600).
"""
import collections
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

PAGE = 4096
# The program's own limits end a conversion within 60 s; allow for start and reading.
OUTER_TIMEOUT = 120


def copies(data, rng):
    """Cuts at every page (at its start and inside it) first, then single changed bytes at random
    places of random pages."""
    for start in range(PAGE, len(data), PAGE):
        for end in (start, start + rng.randrange(1, PAGE)):
            yield "cut-%d" % end, data[:end]
    pages = len(data) // PAGE
    while True:
        page = rng.randrange(pages)
        offset = page * PAGE + rng.randrange(PAGE)
        value = rng.randrange(256)
        if value == data[offset]:
            continue
        damaged = bytearray(data)
        damaged[offset] = value
        yield "byte-%d-%02x" % (offset, value), bytes(damaged)


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    genuine, build = sys.argv[1], sys.argv[2]
    seconds = float(sys.argv[3]) if len(sys.argv) > 3 else 600
    seed = int(sys.argv[4]) if len(sys.argv) > 4 else int(time.time())
    opener = os.path.join(build, "morvel-codedb-open")
    data = open(genuine, "rb").read()
    rng = random.Random(seed)
    work = tempfile.mkdtemp(prefix="access-damage-")
    env = dict(os.environ, XDG_CACHE_HOME=os.path.join(work, "cache"))
    outcomes = collections.Counter()
    faults = []
    slowest = (0.0, "")
    started = time.monotonic()
    path = os.path.join(work, "ncodes.mdb")
    for name, content in copies(data, rng):
        if time.monotonic() - started > seconds:
            break
        with open(path, "wb") as f:
            f.write(content)
        t0 = time.monotonic()
        try:
            run = subprocess.run([opener, path], env=env, capture_output=True, timeout=OUTER_TIMEOUT)
            out = run.stdout.decode("latin-1").strip()
            if run.returncode == 0 and out.startswith("opened "):
                outcome = "opened"
            elif run.returncode == 1 and out == "The code-table database '%s' is damaged and cannot be read." % path:
                outcome = "damaged message"
            else:
                outcome = "FAULT rc=%d %s" % (run.returncode, out[:200])
        except subprocess.TimeoutExpired:
            outcome = "FAULT stuck"
        elapsed = time.monotonic() - t0
        slowest = max(slowest, (elapsed, name))
        outcomes[outcome.split(" rc=")[0]] += 1
        if outcome.startswith("FAULT"):
            kept = os.path.join(work, name + ".mdb")
            shutil.copyfile(path, kept)
            faults.append((name, outcome, kept))
        shutil.rmtree(env["XDG_CACHE_HOME"], ignore_errors=True)
    total = sum(outcomes.values())
    print("seed %d, %d copies in %.0f s; slowest %.1f s (%s)" % (seed, total, time.monotonic() - started, *slowest))
    for outcome, n in sorted(outcomes.items()):
        print("  %-16s %d" % (outcome, n))
    for name, outcome, kept in faults[:20]:
        print("  %s: %s (kept as %s)" % (name, outcome, kept))
    if not faults:
        shutil.rmtree(work, ignore_errors=True)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
