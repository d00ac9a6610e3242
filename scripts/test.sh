#!/usr/bin/env bash
# Checks the formatting and runs the static analysers (clang-tidy, cppcheck),
# then builds and tests everything: the native build (logic against
# stand-ins), the 32-bit Windows build (the real program and its tests under
# Wine), the release made twice and compared byte for byte, and the fuzzers.
# Exits non-zero on any failure.
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
step "$root/scripts/check-analysis.sh" || true

if step cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release &&
    step cmake --build build/native -j"$jobs"; then
    step ctest --test-dir build/native --output-on-failure -j"$jobs" || true
fi

# Some kernels run no 32-bit programs, and there 32-bit Wine cannot start:
# the 32-bit program is still built and checked for all that needs no Wine,
# and the Windows suite runs from a 64-bit build of the same sources, which
# behaves as the 32-bit program does. BRINDLEWAY_TEST_WIN64=1 takes that
# road on any machine.
. "$root/scripts/wine-env.sh"
wine_tests=ON
if [ "${BRINDLEWAY_TEST_WIN64:-0}" = 1 ]; then
    wine_tests=OFF
    echo "NOTE: BRINDLEWAY_TEST_WIN64=1: the Windows suite runs from a 64-bit build under 64-bit Wine;"
    echo "NOTE: the 32-bit program itself is built and checked without Wine."
elif ! wine_env_runs_32bit; then
    wine_tests=OFF
    echo "NOTE: this machine runs no 32-bit programs, so 32-bit Wine cannot start here. The Windows"
    echo "NOTE: suite runs from a 64-bit build of the same sources under 64-bit Wine instead; the"
    echo "NOTE: 32-bit program itself is built and checked without Wine."
fi

if step cmake -S . -B build/windows --toolchain cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
    -DBRINDLEWAY_WINE_TESTS=$wine_tests && step cmake --build build/windows -j"$jobs"; then
    # The Wine tests share one virtual desktop: CTest serialises them itself.
    step ctest --test-dir build/windows --output-on-failure || true
fi

if [ $wine_tests = OFF ] &&
    step cmake -S . -B build/win64 --toolchain cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release &&
    step cmake --build build/win64 -j"$jobs"; then
    # Every case: the 64-bit build reads and writes the registry's 32-bit
    # view, as the game does, and walks the process snapshot with its own
    # record size.
    step ctest --test-dir build/win64 --output-on-failure || true
fi

# The download: two release builds from copies of the checkout at other paths
# must give the same bytes.
step "$root/scripts/check-release.sh" || true

step "$root/scripts/fuzz.sh" || true

if [ $status -eq 0 ]; then echo "All tests passed."; else echo "Some steps failed." >&2; fi
exit $status
