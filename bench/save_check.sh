#!/bin/sh
# Builds the benchmarks (Release, own build folder) with the sample code-table database and
# times Save Test's check of a vehicle test of 999 channels, 50 occupants and 999 intrusion
# points on the real sheet against setting as many texts into plain line edits, in the same run.
# Prints the ratio; the aim is at most 3.
set -eu
. "$(dirname "$0")/build.sh"

bench_build save save_check_bench sample_db

QT_QPA_PLATFORM=offscreen MORVEL_CODE_DB="$build/ncodes.mdb" "$build/bench/save_check_bench" \
    --benchmark_format=json >"$build/save_check.json"
python3 - "$build/save_check.json" <<'PY'
import json, sys
runs = {b["name"].split("/")[0]: b for b in json.load(open(sys.argv[1]))["benchmarks"]}
if "error_message" in runs["BM_SaveTestCheck"]:
    sys.exit("BM_SaveTestCheck: " + runs["BM_SaveTestCheck"]["error_message"])
check = runs["BM_SaveTestCheck"]["real_time"]
base = runs["BM_BaselineLineEditTexts"]["real_time"]
print("Save Test's check:         %8.2f ms" % check)
print("texts into line edits:     %8.2f ms" % base)
print("ratio check / baseline:    %8.2f (target <= 3)" % (check / base))
PY
