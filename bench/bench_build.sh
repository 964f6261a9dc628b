# Sourced by the benchmark scripts as
#   source bench/bench_build.sh TREE BUILD_DIR TARGET...
# with TREE host or windows and BUILD_DIR that tree's folder (empty for
# build/TREE): installs what the benchmarks need (the packages ./test.sh
# installs, and hyperfine), builds the targets there (a fresh machine
# configures the tree first), and sets $root and $build.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/common.sh"
ensure_packages "${SKIRVANE_PACKAGES[@]}" "${SKIRVANE_BENCH_PACKAGES[@]}" || { echo "Could not install the packages" >&2; exit 1; }
build=${2:-$root/build/$1}
mkdir -p "$build"
build=$(cd "$build" && pwd)
bench_options=(-DCMAKE_BUILD_TYPE=Release)
[ "$1" = windows ] && bench_options+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake")
echo "Building ${*:3} in $build (log in $build/bench-build.log)" >&2
if ! { cmake -S "$root" -B "$build" "${bench_options[@]}" &&
       cmake --build "$build" -j"$(nproc)" --target "${@:3}"; } >"$build/bench-build.log" 2>&1; then
  tail -n 20 "$build/bench-build.log"
  echo "The build failed; see $build/bench-build.log" >&2
  exit 1
fi
