# Sourced by the CLI benchmarks as
#   source cli_bench_setup.sh BUILD_DIR GENERATOR OUTPUT
# with the host build folder, the generator's program name under bench/ and
# what it writes: checks the programs and hyperfine, sets $cli, and enters a
# fresh work folder (removed on exit) where the generator has written OUTPUT.
if [ -z "$1" ]; then
  echo "Usage: $0 BUILD_DIR" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
generator=$build/bench/$2
cli=$build/src/cli/skirvane-cli
for program in "$generator" "$cli"; do
  [ -x "$program" ] || { echo "Missing $program; build the host tree first" >&2; exit 1; }
done
command -v hyperfine >/dev/null || { echo "hyperfine is missing (Debian package hyperfine)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/skirvane-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
"$generator" "$3"
