#!/bin/sh
# Builds the benchmarks (Release, own build folder) and times Load Test of a component test of
# 999 records in every record section into a sheet that already holds it (after loads, and as the
# second load), against the same load into a fresh sheet in the same run. The aim is about the
# same time (at most 1.5x).
set -eu
. "$(dirname "$0")/build.sh"

bench_build comp comp_load_bench sample_db

MORVEL_CODE_DB="$build/ncodes.mdb" "$build/bench/comp_load_bench" --benchmark_format=json >"$build/comp_load.json"
python3 - "$build/comp_load.json" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
for b in runs:
    if b.get("error_occurred"):
        sys.exit("%s: %s" % (b["name"], b.get("error_message", "failed")))
times = {b["name"].split("/")[0]: b["real_time"] for b in runs}
b = times["BM_BaselineLoadIntoFreshSheet"]
for name in ("BM_LoadIntoSheetHoldingTheTest", "BM_SecondLoadIntoSheet"):
    t = times[name]
    verdict = "ok" if t <= 1.5 * b else "ABOVE 1.5x"
    print("%-32s %8.2f ms  baseline %8.2f ms  ratio %5.2f  (aim <= 1.5x: %s)" % (name, t, b, t / b, verdict))
PY
