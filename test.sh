#!/usr/bin/env bash
# Builds every tree and runs every test: the portable code on Linux, again
# under AddressSanitizer and UndefinedBehaviorSanitizer, the Windows build
# under Wine, and the fuzz targets for a bounded time. Ends with one line
# "N passed, M failed"; exits 0 only when nothing failed.
set -uo pipefail
cd "$(dirname "$0")"
source tools/common.sh
# Every run in the same locale, whatever the caller's is.
export LC_ALL=C.UTF-8

ensure_packages "${SKIRVANE_PACKAGES[@]}" "${SKIRVANE_DESKTOP_PACKAGES[@]}" || { echo "Could not install the packages"; exit 1; }

jobs=$(nproc)
reports=$PWD/build/reports
rm -rf "$reports"
passed=0
failed=0

# configure_and_build NAME CMAKE-ARGS...
configure_and_build() {
  local name=$1
  shift
  echo "== Building $name"
  cmake -S . -B "build/$name" "$@" >"build/$name.configure.log" 2>&1 &&
    cmake --build "build/$name" -j"$jobs" >"build/$name.build.log" 2>&1 && return 0
  echo "   build failed; see build/$name.configure.log and build/$name.build.log"
  tail -n 30 "build/$name.build.log" 2>/dev/null
  return 1
}

# Adds the test cases that the GoogleTest reports of one tree counted. A test
# program that failed without a report (a crash, say) counts as one failure.
count_reports() {
  local name=$1 ctest_status=$2 tests=0 failures=0 file t f
  for file in "$reports/$name"/*.xml; do
    [ -f "$file" ] || continue
    t=$(grep -o -m1 '<testsuites tests="[0-9]*"' "$file" | grep -o '[0-9]*')
    f=$(grep -o -m1 '<testsuites tests="[0-9]*" failures="[0-9]*"' "$file" | grep -o '[0-9]*"$' | tr -d '"')
    tests=$((tests + ${t:-0}))
    failures=$((failures + ${f:-0}))
  done
  if [ "$ctest_status" -ne 0 ] && [ "$failures" -eq 0 ]; then failures=1; tests=$((tests + 1)); fi
  echo "   $name: $((tests - failures)) passed, $failures failed"
  passed=$((passed + tests - failures))
  failed=$((failed + failures))
}

# run_ctest NAME [WRAPPER...]; REPORT_DRIVE is put before the report folder
# (Z: for programs under Wine, which would take /... as a folder of their
# current drive); TEST_JOBS is how many test programs run at once. A test
# program still running after test_timeout seconds is stopped and fails, so
# that one hang cannot hold up the whole run.
test_timeout=300
run_ctest() {
  local name=$1
  shift
  mkdir -p "$reports/$name"
  echo "== Testing $name"
  (cd "build/$name" && GTEST_OUTPUT="xml:${REPORT_DRIVE:-}$reports/$name/" "$@" ctest --output-on-failure --timeout "$test_timeout" -j"${TEST_JOBS:-$jobs}" \
     >"../$name.test.log" 2>&1)
  local status=$?
  [ $status -ne 0 ] && grep -E -A3 'FAILED|Failed|\*\*\*' "build/$name.test.log" | head -n 60
  count_reports "$name" $status
}

build_failed() {
  failed=$((failed + 1))
}

mkdir -p build
if configure_and_build host -DCMAKE_BUILD_TYPE=Release; then run_ctest host; else build_failed; fi

if configure_and_build asan -DCMAKE_BUILD_TYPE=Debug -DSKIRVANE_SANITIZE=ON; then
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 run_ctest asan
else
  build_failed
fi

if configure_and_build windows -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake; then
  # One at a time: the window tests share one display, and some move its
  # pointer. The Wine prefix is prepared on that display.
  REPORT_DRIVE=Z: TEST_JOBS=1 run_ctest windows xvfb-run -a "$PWD/tools/in_wine.sh" "$PWD/build/wine-prefix"
else
  build_failed
fi

if configure_and_build fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKIRVANE_FUZZ=ON \
     -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++; then
  echo "== Fuzzing"
  if fuzz/run.sh build/fuzz "$reports/fuzz"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
else
  build_failed
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
