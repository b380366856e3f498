# Sourced by the benchmark scripts: `bench_build FOLDER TARGET...` configures a Release build of
# the benchmarks in $BUILD_DIR (else build-bench-FOLDER beside the sources), builds the targets and
# sets $here, $root and $build for the script.
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")

bench_build() {
    build=${BUILD_DIR:-$root/build-bench-$1}
    shift
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVEL_BENCH=ON -DMORVEL_TESTS=OFF >/dev/null
    cmake --build "$build" --target "$@" >/dev/null
}
