# Sourced by the CLI benchmarks with the host build folder as $1: checks
# the programs and hyperfine, sets $generator and $cli, and enters a fresh
# work folder (removed on exit) holding big.4ds, the 64 MiB model that
# make-big-model writes.
if [ $# -ne 1 ]; then
  echo "Usage: $0 BUILD_DIR" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
generator=$build/bench/make-big-model
cli=$build/src/cli/skirvane-cli
for program in "$generator" "$cli"; do
  [ -x "$program" ] || { echo "Missing $program; build the host tree first" >&2; exit 1; }
done
command -v hyperfine >/dev/null || { echo "hyperfine is missing (Debian package hyperfine)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/skirvane-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
"$generator" big.4ds
