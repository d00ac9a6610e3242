#!/usr/bin/env bash
# Runs one Windows program in the Wine world of a state folder (see
# wine-env.sh). CTest's emulator for the cross build:
#   wine-run.sh STATE_DIR program.exe args...
# Inside a world that is up (CTest's start-up test brought it up) the world
# stays up. Otherwise it is brought up for this program alone and taken down
# after it, as when CTest lists a program's cases before its first test.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
state=${1:?state folder}
shift
. "$here/wine-env.sh"

borrowed=true
wine_env_is_up "$state" || borrowed=false
wine_env_start "$state" >/dev/null || exit 1

# Wine's background processes inherit our output and would hold the caller's
# pipe open long after the program ended: they write to a file instead, which
# is shown once the program is done. The lock descriptor is closed for them
# as in wine-env.sh.
out=$(mktemp)
wine_env_wine "$@" >"$out" 2>&1 9>&-
rc=$?
cat "$out"
rm -f "$out"

if ! $borrowed; then wine_env_stop "$state"; fi
exit $rc
