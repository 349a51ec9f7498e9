# Shared by the scripts that show a Windows program of the x86-64 tree under Wine: building it,
# Wine's environment, a private Xvfb display, waiting for a window and taking its picture.
# Source it; it defines functions and the variables root and build.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${QUARROW_BUILD_DIR:-$root/build}/win64

# build_win64_target <target>: configures the x86-64 tree (quick when nothing changed; a new target
# needs it) and builds one target.
build_win64_target() {
    "$root/scripts/bootstrap"
    if [ -f "$build/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$build" >/dev/null
    else
        cmake -S "$root" -B "$build" --toolchain "$root/cmake/mingw-x86_64.cmake" >/dev/null
    fi
    cmake --build "$build" -j"$(nproc)" --target "$1" >/dev/null
}

# use_wine: the tree's prefix (prepared on first use), code page 936 and quiet Wine.
use_wine() {
    export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
    "$build/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true
}

# start_private_display: starts Xvfb on a free display, exports DISPLAY, and stops Wine and Xvfb
# again when the script exits.
start_private_display() {
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
    private_xvfb_pid=$!
    trap stop_private_display EXIT
    for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.1; done
    if [ ! -s "$fdfile" ]; then
        echo "$(basename "$0"): Xvfb did not start" >&2
        rm -f "$fdfile"
        return 1
    fi
    export DISPLAY=":$(tr -dc '0-9' <"$fdfile")"
    rm -f "$fdfile"
}

stop_private_display() {
    wineserver -k >/dev/null 2>&1 || true
    kill "$private_xvfb_pid" 2>/dev/null || true
    wait "$private_xvfb_pid" 2>/dev/null || true
}

# wait_for_window <name regex> [seconds]: prints the first matching window's id; fails after the time.
wait_for_window() {
    local pattern=$1 limit=${2:-60} window
    for _ in $(seq $((limit * 2))); do
        window=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1 || true)
        if [ -n "$window" ]; then
            echo "$window"
            return 0
        fi
        sleep 0.5
    done
    return 1
}

# screenshot_window <window id> <file.png>: the window's frame as it stands on the screen.
screenshot_window() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xwd -root -silent | convert xwd:- -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
}
