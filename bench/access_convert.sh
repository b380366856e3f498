#!/bin/sh
# Builds the benchmarks (Release, own build folder) and times the Access code-table conversion on
# a genuine Access file (default: the public Jet sample of the shared fixtures; set ACCESS_FILE
# for another) against libmdb reading the same rows and nothing else, in the same run.
set -eu
. "$(dirname "$0")/build.sh"
file=${ACCESS_FILE:-$root/../shared/fixtures/jet/DateTestDatabase.mdb}

bench_build access access_convert_bench morvel-mdbconvert
ls -l "$file" | awk '{print "file: " $5 " bytes"}'

MORVEL_ACCESS_FILE=$file "$build/bench/access_convert_bench" --benchmark_format=json >"$build/access_convert.json"
python3 - "$build/access_convert.json" <<'PY'
import json, sys
runs = {b["name"].split("/")[0]: b for b in json.load(open(sys.argv[1]))["benchmarks"]}
base = runs["BM_BaselineReadAllRows"]["real_time"]
print("rows read:                          %d" % runs["BM_BaselineReadAllRows"].get("rows", 0))
print("baseline, libmdb reads the rows:    %8.2f ms" % base)
for name in ("BM_ConvertInProcess", "BM_FirstOpenThroughConverter", "BM_LaterOpenReusingTheConversion"):
    t = runs[name]["real_time"]
    print("%-35s %8.2f ms  ratio %6.2f" % (name[3:] + ":", t, t / base))
PY
