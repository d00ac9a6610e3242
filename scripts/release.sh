#!/usr/bin/env bash
# Makes the download from this checkout: builds the Release program and writes
# build/release/Brindleway-<version>-win32.zip, a copy of Brindleway.exe and
# SHA256SUMS for both. Prints the archive's path as its last line.
#
# The same commit gives the same bytes wherever the checkout lies and whoever
# builds it: the archive's dates come from the last commit (or from
# SOURCE_DATE_EPOCH when set, for a checkout without its history).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}

"$root/scripts/install-packages.sh" >&2

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null) || {
        echo "release: not a git checkout; set SOURCE_DATE_EPOCH to the commit's time" >&2
        exit 1
    }
fi
export SOURCE_DATE_EPOCH

tree="$root/build/release-windows"
out="$root/build/release"
rm -rf "$out"
cmake -S . -B "$tree" --toolchain cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_TESTING=OFF -DBRINDLEWAY_RELEASE_DIR="$out" >&2
cmake --build "$tree" -j"$jobs" --target release_archive >&2

archives=("$out"/*-win32.zip)
[ ${#archives[@]} -eq 1 ] && [ -f "${archives[0]}" ] || { echo "release: no archive in $out" >&2; exit 1; }
echo "${archives[0]}"
