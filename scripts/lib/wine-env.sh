#!/usr/bin/env bash
# How this project runs Windows programs under Wine, written down once: the environment (a prefix of
# the caller's, quiet Wine without the Mono and Gecko offers, the code page 936 locale), a prefix
# prepared with the fonts Wine ships, and a private Xvfb display. The build trees' wine-run.sh,
# scripts/test, scripts/lib/wine-session.sh and the benchmarks source it for its functions; run as a
# command it runs another in that environment on a display of its own, which ends with it:
#
#   scripts/lib/wine-env.sh PREFIX COMMAND [ARGUMENT...]

# wine_environment <prefix>: exports the environment every Wine run of the project has.
wine_environment() {
    export WINEPREFIX=$1
    export WINEDEBUG=${WINEDEBUG:--all}
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
}

# prepare_wine_prefix: makes a new prefix once. Wine looks for the fonts it ships (Tahoma, Marlett,
# MS Sans Serif) only in C:\windows\Fonts here.
prepare_wine_prefix() {
    if [ ! -f "$WINEPREFIX/.quarrow-fonts" ]; then
        wineboot -i >/dev/null 2>&1
        cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
        touch "$WINEPREFIX/.quarrow-fonts"
    fi
}

# start_private_display: starts Xvfb on a free display that it picks itself, so that concurrent runs
# never share a screen (nor a pointer: some tests move the real cursor), and exports DISPLAY.
start_private_display() {
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
    private_xvfb_pid=$!
    for _ in $(seq 100); do
        if [ -s "$fdfile" ]; then
            export DISPLAY=":$(tr -dc '0-9' <"$fdfile")"
            rm -f "$fdfile"
            return 0
        fi
        sleep 0.1
    done
    rm -f "$fdfile"
    echo "$(basename "$0"): Xvfb did not start" >&2
    return 1
}

# stop_private_display: ends Wine's server for the prefix (its programs must not outlive the display)
# and the display.
stop_private_display() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "${private_xvfb_pid:-}" ]; then
        kill "$private_xvfb_pid" 2>/dev/null || true
        wait "$private_xvfb_pid" 2>/dev/null || true
        private_xvfb_pid=
    fi
    unset DISPLAY
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    if [ $# -lt 2 ]; then
        echo "usage: $0 PREFIX COMMAND [ARGUMENT...]" >&2
        exit 2
    fi
    wine_environment "$1"
    shift
    # Tells the command that it runs inside, and in which prefix.
    export QUARROW_WINE_ENV=$WINEPREFIX
    start_private_display || exit 1
    trap stop_private_display EXIT
    "$@"
    exit $?
fi
