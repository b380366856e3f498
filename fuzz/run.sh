#!/usr/bin/env bash
# Fuzzes every reader (or the ones named) for a while each, with clang's libFuzzer under
# AddressSanitizer and UndefinedBehaviorSanitizer. Not part of CI: ctest replays the corpus.
#   fuzz/run.sh [SECONDS_PER_TARGET] [TARGET ...]      e.g. fuzz/run.sh 600 hs5 mv5
# New inputs that add coverage go into fuzz/corpus/<target>/ (minimise before committing:
# fuzz/run.sh --merge); crashes are left as crash-* files in build-fuzz/.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$here/scripts/deps"
morvel_install_deps clang

build="$here/build-fuzz"
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMORVEL_FUZZ=ON -DMORVEL_SANITIZE=ON -DMORVEL_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null

merge=0
if [ "${1:-}" = "--merge" ]; then merge=1; shift; fi
seconds="${1:-60}"
[ $# -gt 0 ] && shift
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for f in "$build"/fuzz/fuzz_*; do targets+=("$(basename "$f" | sed 's/^fuzz_//')"); done
fi
export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
cd "$build"
for t in "${targets[@]}"; do
    corpus="$here/fuzz/corpus/$t"
    mkdir -p "$corpus"
    if [ $merge -eq 1 ]; then
        mkdir -p "merged-$t"
        "./fuzz/fuzz_$t" -merge=1 "merged-$t" "$corpus" >/dev/null 2>&1
        rm -rf "$corpus" && mv "merged-$t" "$corpus"
        echo "$t: corpus minimised to $(ls "$corpus" | wc -l) inputs"
        continue
    fi
    echo "== $t: ${seconds}s"
    mkdir -p "work-$t"
    "./fuzz/fuzz_$t" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "work-$t" "$corpus" 2>&1 | grep -E 'stat::|ERROR|SUMMARY|crash-' || true
done
