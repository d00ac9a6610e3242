#!/usr/bin/env bash
# Checks the formatting, then builds and tests everything: the native build
# (logic against stand-ins), the 32-bit Windows build (the real program and
# its tests under Wine), the release made twice and compared byte for byte,
# and the fuzzers. Exits non-zero on any failure.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}

"$root/scripts/install-packages.sh"

status=0
step() {
    echo "==> $*"
    "$@" || { echo "FAILED: $*" >&2; status=1; return 1; }
}

step "$root/scripts/check-format.sh" || true

if step cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release &&
    step cmake --build build/native -j"$jobs"; then
    step ctest --test-dir build/native --output-on-failure -j"$jobs" || true
fi

if step cmake -S . -B build/windows --toolchain cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release &&
    step cmake --build build/windows -j"$jobs"; then
    # The Wine tests share one virtual desktop: CTest serialises them itself.
    step ctest --test-dir build/windows --output-on-failure || true
fi

# The download: two release builds from copies of the checkout at other paths
# must give the same bytes.
step "$root/scripts/check-release.sh" || true

step "$root/scripts/fuzz.sh" || true

if [ $status -eq 0 ]; then echo "All tests passed."; else echo "Some steps failed." >&2; fi
exit $status
