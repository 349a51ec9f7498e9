# Shared by the scripts that show a Windows program of the x86-64 tree under Wine: building it, the
# tree's Wine prefix, waiting for a window and taking its picture; Wine's environment and the private
# Xvfb display come from wine-env.sh. Source it; it defines functions and the variables root and build.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${QUARROW_BUILD_DIR:-$root/build}/win64
source "$root/scripts/lib/wine-env.sh"

# build_win64_target <target>...: configures the x86-64 tree (quick when nothing changed; a new target
# needs it) and builds the targets.
build_win64_target() {
    "$root/scripts/bootstrap"
    if [ -f "$build/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$build" >/dev/null
    else
        cmake -S "$root" -B "$build" --toolchain "$root/cmake/mingw-x86_64.cmake" >/dev/null
    fi
    cmake --build "$build" -j"$(nproc)" --target "$@" >/dev/null
}

# use_wine: the tree's prefix (prepared on first use) in the project's Wine environment.
use_wine() {
    wine_environment "$build/wineprefix"
    "$build/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true
}

# show_on_private_display: a private Xvfb display for the rest of the script, stopped (with Wine) when
# the script exits.
show_on_private_display() {
    start_private_display || exit 1
    trap stop_private_display EXIT
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
