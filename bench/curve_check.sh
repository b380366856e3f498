#!/bin/sh
# Builds the benchmarks (Release, own build folder), makes a test folder of 100 curve files of
# 20,000 two-column points and times the curve check against `wc -l` over the same files, warm,
# in the same run. Prints the ratio and fails when it is above the aim of 3.
set -eu
. "$(dirname "$0")/build.sh"
data=${CURVE_DIR:-${TMPDIR:-/tmp}/morvel-curve-bench}

bench_build curve curve_check_bench

if [ ! -f "$data/t.100" ]; then
    python3 "$here/curve_make_folder.py" "$data" 100 20000
fi
du -sh "$data" | sed 's/^/folder: /'
# Warm the cache.
cat "$data"/t.* >/dev/null

MORVEL_CURVE_DIR=$data "$build/bench/curve_check_bench" --benchmark_format=json >"$build/curve_check.json"
python3 - "$build/curve_check.json" <<'PY'
import json, sys
runs = {b["name"].split("/")[0]: b for b in json.load(open(sys.argv[1]))["benchmarks"]}
wc = runs["BM_WcLines"]["real_time"]
check = runs["BM_CheckCurveFiles"]["real_time"]
unit = runs["BM_WcLines"]["time_unit"]
print("wc -l:            %8.2f %s" % (wc, unit))
print("CheckCurveFiles:  %8.2f %s" % (check, unit))
ratio = check / wc
print("ratio check / wc: %8.2f (target <= 3)" % ratio)
sys.exit(0 if ratio <= 3 else 1)
PY
