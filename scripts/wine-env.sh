#!/usr/bin/env bash
# The Wine world Brindleway runs in, for the tests and the run command alike:
# a Wine prefix and a display, both kept under one state folder.
#   wine-env.sh start STATE_DIR   (does nothing more when the world is up)
#   wine-env.sh stop STATE_DIR
#   wine-env.sh status STATE_DIR  (exit status 0 when the world is up)
# Sourced (`. wine-env.sh`), it only defines wine_env_start, wine_env_stop
# and wine_env_is_up; after wine_env_start STATE_DIR the caller's shell has
# WINEPREFIX, DISPLAY and the other Wine settings exported.
#
# Settings, read by wine_env_start:
#   WINE_ENV_LOGPIXELS=N   screen resolution in dots per inch. The world
#                          keeps the last one given; 96 at first.
#   WINE_ENV_DISPLAY=user  show the windows on the caller's $DISPLAY when it
#                          answers, framed by the user's window manager.
# Otherwise the world has an Xvfb display of its own, without a window
# manager, and Wine's virtual desktop gives the windows their frame.
#
# Background programs started here (Xvfb, wineserver, wineboot) get `9>&-`:
# a caller holding a lock on descriptor 9 (flock) would otherwise see the
# lock held for as long as they live.

# The desktop grows with the resolution, so that the window fits whole:
# 1024x768 at 96 DPI, plus a margin for the X screen around it.
wine_env_desktop_size() {
    local dpi=$1 margin=$2
    echo "$((1024 * dpi / 96 + margin))x$((768 * dpi / 96 + margin))"
}

wine_env_display_is_up() { xdpyinfo -display "$1" >/dev/null 2>&1; }

# An ended process whose parent has not yet collected it still answers kill -0.
wine_env_process_lives() {
    local status
    status=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
    [[ $status != Z* ]]
}

# Whether this machine runs 32-bit x86 programs at all: some kernels are
# built or started without them, and then 32-bit Wine cannot start.
wine_env_runs_32bit() {
    [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Runs a Windows program with the Wine loader this machine can run: the
# usual one, or the 64-bit one alone where 32-bit programs cannot run (only
# 64-bit Windows programs start there).
wine_env_wine() {
    if wine_env_runs_32bit; then
        wine "$@"
    else
        WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64 "$@"
    fi
}

# Exports the settings every Wine command of the world needs.
wine_env_export() {
    export WINEPREFIX="$1/prefix"
    export WINEDEBUG=${WINEDEBUG:--all}
    export WINEDLLOVERRIDES="mscoree,mshtml="
    # Only a new prefix takes it: Wine refuses to run in a prefix made for
    # another architecture than the one named.
    if [ ! -d "$1/prefix" ]; then export WINEARCH=win64; fi
    if [ -f "$1/display" ]; then
        DISPLAY=$(cat "$1/display")
        export DISPLAY
    fi
}

wine_env_is_up() {
    local state=$1
    [ -f "$state/display" ] && [ -f "$state/prefix/.brindleway-ready" ] || return 1
    if [ -f "$state/xvfb.pid" ]; then
        kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null || return 1
    fi
    wine_env_display_is_up "$(cat "$state/display")"
}

# Another program on this machine may own a display: take the first free one.
wine_env_start_xvfb() {
    local state=$1 dpi=$2 n tries
    for n in $(seq 91 189); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ] && ! wine_env_display_is_up ":$n"; then
            Xvfb ":$n" -screen 0 "$(wine_env_desktop_size "$dpi" 256)x24" -nolisten tcp -dpi "$dpi" >"$state/xvfb.log" 2>&1 9>&- &
            echo $! >"$state/xvfb.pid"
            for tries in $(seq 1 100); do
                if wine_env_display_is_up ":$n"; then
                    echo ":$n" >"$state/display"
                    return 0
                fi
                kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null || break
                sleep 0.1
            done
        fi
    done
    rm -f "$state/xvfb.pid"
    echo "wine-env: no free X display could be started" >&2
    return 1
}

# Writes the desktop and resolution settings into the prefix, creating it
# first if need be. Wine reads them when a session starts, and a session
# lasts as long as its server: the server is waited for after every change,
# so that the program's own session, the first to show a window, starts
# with them in place.
wine_env_configure_prefix() {
    local state=$1 desktop=$2 dpi=$3
    if [ ! -f "$WINEPREFIX/.brindleway-ready" ]; then
        rm -f "$state/settings"
        wine_env_wine wineboot -i >"$state/wineboot.log" 2>&1 9>&- || true
        timeout 120 wineserver -w 9>&- || true
    fi
    local wanted="desktop=$desktop logpixels=$dpi"
    if [ "$(cat "$state/settings" 2>/dev/null)" != "$wanted" ]; then
        if [ "$desktop" = on ]; then
            # A virtual desktop gives every window a frame without a window
            # manager, and closing windows then costs no waiting.
            wine_env_wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 9>&-
            wine_env_wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$(wine_env_desktop_size "$dpi" 0)" /f >/dev/null 2>&1 9>&-
        else
            wine_env_wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 9>&- || true
        fi
        # At 96 DPI 15 twips make one pixel.
        wine_env_wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 9>&-
        timeout 120 wineserver -w 9>&- || true
        echo "$wanted" >"$state/settings"
    fi
    touch "$WINEPREFIX/.brindleway-ready"
}

wine_env_start() {
    local state=$1
    mkdir -p "$state" || return 1
    state=$(cd "$state" && pwd)
    local dpi=${WINE_ENV_LOGPIXELS:-$(cat "$state/logpixels" 2>/dev/null || echo 96)}
    local desktop=on
    if [ "${WINE_ENV_DISPLAY:-}" = user ] && [ -n "${DISPLAY:-}" ] && wine_env_display_is_up "$DISPLAY"; then
        desktop=off
        # The user's display is not ours to stop.
        if [ -f "$state/xvfb.pid" ]; then wine_env_stop "$state"; fi
        echo "$DISPLAY" >"$state/display"
    elif ! { [ -f "$state/xvfb.pid" ] && wine_env_is_up "$state"; }; then
        wine_env_start_xvfb "$state" "$dpi" || return 1
    fi
    echo "$dpi" >"$state/logpixels"
    wine_env_export "$state"
    wine_env_configure_prefix "$state" "$desktop" "$dpi"
    # Keep the server alive between programs instead of restarting it for
    # each. Its output must not hold the caller's pipe (CTest waits for the
    # pipe to close).
    wineserver -p60 >/dev/null 2>&1 9>&- || true
}

wine_env_stop() {
    local state=$1
    [ -d "$state" ] || return 0
    state=$(cd "$state" && pwd)
    if [ -d "$state/prefix" ]; then WINEPREFIX="$state/prefix" wineserver -k 2>/dev/null || true; fi
    rm -f "$state/display"
    [ -f "$state/xvfb.pid" ] || return 0
    local pid tries
    pid=$(cat "$state/xvfb.pid")
    rm -f "$state/xvfb.pid"
    kill "$pid" 2>/dev/null || return 0
    # A display left running would hold its number for good: say so.
    for tries in $(seq 1 50); do
        wine_env_process_lives "$pid" || return 0
        sleep 0.1
    done
    echo "wine-env: the X display (process $pid) did not stop" >&2
    return 1
}

# Run as a command rather than sourced.
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    action=${1:-}
    state=${2:?usage: wine-env.sh start|stop|status STATE_DIR}
    case "$action" in
    start)
        wine_env_start "$state"
        echo "wine-env: display $DISPLAY, prefix $WINEPREFIX"
        ;;
    stop) wine_env_stop "$state" ;;
    status) wine_env_is_up "$state" ;;
    *)
        echo "usage: $0 start|stop|status STATE_DIR" >&2
        exit 2
        ;;
    esac
fi
