#!/usr/bin/env bash
# Starts or stops the private Wine world the Windows tests run in: a Wine
# prefix and an Xvfb display of our own, both kept under one state folder.
#   wine-env.sh start STATE_DIR   (idempotent)
#   wine-env.sh stop STATE_DIR
# BRINDLEWAY_DPI (default 96) sets the screen resolution of a new prefix; a
# world at another resolution needs a state folder of its own.
set -euo pipefail
dpi=${BRINDLEWAY_DPI:-96}
# The desktop grows with the resolution, so that the window fits whole.
desktop_width=$((1024 * dpi / 96))
desktop_height=$((768 * dpi / 96))

action=${1:?start or stop}
state=${2:?state folder}
mkdir -p "$state"
state=$(cd "$state" && pwd)

export WINEPREFIX="$state/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

display_is_up() { xdpyinfo -display ":$1" >/dev/null 2>&1; }

start_display() {
    if [ -f "$state/display" ] && [ -f "$state/xvfb.pid" ] &&
        kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null && display_is_up "$(cat "$state/display")"; then
        return
    fi
    # Another program on this machine may own a display: take the first free one.
    local n
    for n in $(seq 91 189); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ] && ! display_is_up "$n"; then
            Xvfb ":$n" -screen 0 $((desktop_width + 256))x$((desktop_height + 256))x24 -nolisten tcp -dpi "$dpi" >"$state/xvfb.log" 2>&1 9>&- &
            echo $! >"$state/xvfb.pid"
            local tries
            for tries in $(seq 1 100); do
                display_is_up "$n" && { echo "$n" >"$state/display"; return; }
                kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null || break
                sleep 0.1
            done
        fi
    done
    echo "wine-env: no free X display could be started" >&2
    exit 1
}

start_prefix() {
    export DISPLAY=":$(cat "$state/display")"
    if [ ! -f "$state/prefix/.brindleway-ready" ]; then
        wineboot -i >"$state/wineboot.log" 2>&1 9>&- || true
        timeout 120 wineserver -w 9>&- || true
        # A virtual desktop gives every window a frame without a window
        # manager, and closing windows then costs no waiting.
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 9>&-
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "${desktop_width}x${desktop_height}" /f >/dev/null 2>&1 9>&-
        # Screen resolution, 96 DPI unless asked otherwise: 15 twips make one pixel.
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 9>&-
        timeout 120 wineserver -w 9>&- || true
        touch "$state/prefix/.brindleway-ready"
    fi
    # Keep the server alive between tests instead of restarting it for each.
    # Its output must not hold the caller's pipe (CTest waits for the pipe to close).
    wineserver -p60 >/dev/null 2>&1 9>&- || true
}

case "$action" in
start)
    start_display
    start_prefix
    echo "wine-env: display :$(cat "$state/display"), prefix $WINEPREFIX"
    ;;
stop)
    if [ -d "$state/prefix" ]; then wineserver -k 2>/dev/null || true; fi
    if [ -f "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
        rm -f "$state/xvfb.pid" "$state/display"
    fi
    ;;
*)
    echo "usage: $0 start|stop STATE_DIR" >&2
    exit 2
    ;;
esac
