# Sourced by the CLI benchmarks as
#   source cli_bench_setup.sh [BUILD_DIR] GENERATOR OUTPUT
# with the host build folder (empty for build/host), the generator's
# program name under bench/ and what it writes: builds both programs there,
# sets $cli, and enters a fresh work folder (removed on exit) where the
# generator has written OUTPUT.
source "$(dirname "${BASH_SOURCE[0]}")/bench_build.sh" host "$1" "$2" skirvane-cli
cli=$build/src/cli/skirvane-cli
work=$(mktemp -d "${TMPDIR:-/tmp}/skirvane-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
"$build/bench/$2" "$3"
