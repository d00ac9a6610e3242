#!/usr/bin/env bash
# Runs one Windows program in the private Wine world of a state folder (see
# wine-env.sh), starting that world first when it is not up. Used as CTest's
# emulator for the cross build: wine-run.sh STATE_DIR program.exe args...
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
state=${1:?state folder}
shift
"$here/wine-env.sh" start "$state" >/dev/null || exit 1
state=$(cd "$state" && pwd)

export WINEPREFIX="$state/prefix"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export DISPLAY=":$(cat "$state/display")"

# Wine's background processes inherit our output and would hold the caller's
# pipe open long after the program ended: let them write to a file instead.
out=$(mktemp)
wine "$@" >"$out" 2>&1 9>&-
rc=$?
cat "$out"
rm -f "$out"
exit $rc
