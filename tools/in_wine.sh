#!/usr/bin/env bash
# Usage: tools/in_wine.sh PREFIX COMMAND...
#
# Prepares the Wine prefix on the display this runs on, runs the command
# with it and stops the prefix's server afterwards. The prefix must be
# prepared on that display: a prefix whose desktop was started without it
# may refuse to make windows there.
set -uo pipefail
source "$(dirname "$0")/common.sh"
wine_setup "$1" || exit 1
shift
"$@"
status=$?
wine_teardown
exit $status
