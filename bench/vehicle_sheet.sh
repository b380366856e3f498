#!/bin/sh
# Builds the benchmarks (Release, own build folder) and times the vehicle sheet against a plain
# Qt baseline of as many line edits in the same run: opening the sheet with each page shown
# once, and Load Test of a full vehicle test (with its .hs5 and .ip5) with the pages refreshed.
# The aim is at most twice the baseline.
set -eu
. "$(dirname "$0")/build.sh"

bench_build sheet vehicle_sheet_bench sample_db

# A full test: the vehicle fixture with a test type of the sample tables, two cameras, two points.
data="$build/bench-vehicle"
mkdir -p "$data"
sed 's/|FRT|/|NCA|/' "$root/tests/data/vehicle/vtb_full.mv5" >"$data/full.mv5"
printf '# Source: High Speed Video Data\r\n# Date: <3/4/2021>\r\n----- HSVD -----\r\n1|T4321|0.001|FRONT|MAIN\r\n2|T4321| |SIDE|\r\n----- END -----\r\n' >"$data/full.hs5"
printf '# Source: Intrusion Data\r\n# Date: <3/4/2021>\r\n----- INTRUSION -----\r\n1|12|ABC|15|-2|0|10|3|4|T4321\r\n1|2|AP|0|0|0|1|1|1|T4321\r\n----- END -----\r\n' >"$data/full.ip5"

MORVEL_CODE_DB="$build/ncodes.mdb" MORVEL_VEH_TEST="$data/full.mv5" \
    "$build/bench/vehicle_sheet_bench" --benchmark_format=json >"$build/vehicle_sheet.json"
python3 - "$build/vehicle_sheet.json" <<'PY'
import json, sys
times = {b["name"].split("/")[0]: b["real_time"] for b in json.load(open(sys.argv[1]))["benchmarks"]}
for name, base in (("BM_OpenSheetAndShowEveryPage", "BM_BaselineTabsOfLineEdits"),
                   ("BM_LoadTestWithPagesRefreshed", "BM_BaselineFieldsIntoLineEdits")):
    t, b = times[name], times[base]
    verdict = "ok" if t <= 2 * b else "ABOVE 2x"
    print("%-30s %8.2f ms  baseline %8.2f ms  ratio %5.2f  (aim <= 2x: %s)" % (name, t, b, t / b, verdict))
PY
