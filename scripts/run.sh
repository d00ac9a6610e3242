#!/usr/bin/env bash
# Builds Brindleway.exe and starts it under Wine on your display, in a Wine
# prefix of its own (build/run/prefix). Without a display it starts a
# virtual one (Xvfb) and says so. A demo game folder is made and used unless
# a GTA2 folder is already stored in that prefix.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/install-packages.sh"

cmake -S . -B build/windows --toolchain cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/windows -j"$(nproc 2>/dev/null || echo 2)" --target Brindleway fake_game
exe="$root/build/windows/windows/Brindleway.exe"

run="$root/build/run"
mkdir -p "$run"
export WINEPREFIX="$run/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

xvfb_pid=
stop_xvfb() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true; }
trap stop_xvfb EXIT
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    for n in $(seq 120 199); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -dpi 96 >"$run/xvfb.log" 2>&1 &
            xvfb_pid=$!
            export DISPLAY=":$n"
            for _ in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
            echo "run: no display found; started a virtual one (Xvfb) on $DISPLAY."
            echo "run: watch it with e.g. 'x11vnc -display $DISPLAY', or screenshot: 'DISPLAY=$DISPLAY import -window root shot.png'."
            break
        fi
    done
fi

if [ ! -f "$WINEPREFIX/.brindleway-ready" ]; then
    echo "run: preparing the Wine prefix (first run only)..."
    wineboot -i >"$run/wineboot.log" 2>&1 || true
    wineserver -w
    touch "$WINEPREFIX/.brindleway-ready"
fi

if [ -n "$xvfb_pid" ]; then
    # No window manager on a virtual display: Wine's own desktop gives the
    # window its frame and title bar.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
else
    wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true
fi

if ! wine reg query 'HKCU\Software\Lanternhall' /v GTA2Folder >/dev/null 2>&1; then
    if [ -x "$root/scripts/make-demo-game.sh" ]; then
        demo="$run/demo-game"
        "$root/scripts/make-demo-game.sh" "$demo" "$root/build/windows/tools/fake-game/gta2.exe"
        folder="Z:$(cd "$demo" && pwd | tr / '\\')\\"
        wine reg add 'HKCU\Software\Lanternhall' /v GTA2Folder /d "$folder" /f >/dev/null 2>&1
        echo "run: using the demo game folder $folder"
    else
        echo "run: no game folder stored: Brindleway will ask for one."
    fi
fi

echo "run: starting Brindleway.exe"
wine "$exe"
