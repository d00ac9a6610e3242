#!/usr/bin/env bash
# Builds Brindleway.exe and starts it under Wine on your display, in a Wine
# world of its own (build/run, set up by wine-env.sh as the tests' is).
# Without a display it starts a virtual one (Xvfb) and says so. A demo game
# folder is made and used unless a GTA2 folder is already stored in that
# world's prefix.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/install-packages.sh"

. "$root/scripts/wine-env.sh"
tree=build/windows
toolchain=cmake/mingw-i686.cmake
if ! wine_env_runs_32bit; then
    # 32-bit Wine cannot start where the kernel runs no 32-bit programs.
    echo "run: this machine runs no 32-bit programs; showing a 64-bit build of the same program instead."
    tree=build/win64
    toolchain=cmake/mingw-x86_64.cmake
fi
cmake -S . -B "$tree" --toolchain "$toolchain" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$tree" -j"$(nproc 2>/dev/null || echo 2)" --target Brindleway fake_game
exe="$root/$tree/windows/Brindleway.exe"

run="$root/build/run"
if [ ! -f "$run/prefix/.brindleway-ready" ]; then
    echo "run: preparing the Wine prefix (first run only)..."
fi
# Your own display when it answers; else a private one, which is stopped
# again when the program ends.
export WINE_ENV_DISPLAY=user
if [ -n "${DISPLAY:-}" ] && wine_env_display_is_up "$DISPLAY"; then
    wine_env_start "$run"
else
    trap 'wine_env_stop "$run"' EXIT
    wine_env_start "$run"
    echo "run: no display found; started a virtual one (Xvfb) on $DISPLAY."
    echo "run: watch it with e.g. 'x11vnc -display $DISPLAY', or screenshot: 'DISPLAY=$DISPLAY import -window root shot.png'."
fi

if ! wine_env_wine reg query 'HKCU\Software\Lanternhall' /v GTA2Folder >/dev/null 2>&1; then
    demo="$run/demo-game"
    "$root/scripts/make-demo-game.sh" "$demo" "$root/$tree/tools/fake-game/gta2.exe"
    folder="Z:$(cd "$demo" && pwd | tr / '\\')\\"
    wine_env_wine reg add 'HKCU\Software\Lanternhall' /v GTA2Folder /d "$folder" /f >/dev/null 2>&1
    echo "run: using the demo game folder $folder"
fi

echo "run: starting Brindleway.exe"
wine_env_wine "$exe"
