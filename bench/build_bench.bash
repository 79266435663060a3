# Sourced by the benchmark scripts: the benchmarks are built only when asked
# for, so a script turns them on in its build folder and builds its target.
#   build_bench <build folder> <target>
build_bench() {
    cmake -S "$(dirname "${BASH_SOURCE[0]}")/.." -B "$1" -DVORLAXIS_BENCH=ON >/dev/null
    cmake --build "$1" -j2 --target "$2" >/dev/null
}
