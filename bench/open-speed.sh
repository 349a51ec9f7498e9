#!/usr/bin/env bash
# Opening a 100,000-entry archive in Quarrow against `quarrow-cli list` of the same archive, in the
# same run and under the same Wine:
#   quarrow-cli list   the Windows quarrow-cli.exe listing the archive to /dev/null (a whole process)
#   Quarrow, process   open_speed.exe: starts, shows the main window, opens the archive through the
#                      Open button with the real progress window, paints the list and ends
#   Quarrow, Open      the same Open timed inside the program, from the click to the painted list
#   Quarrow, start     open_speed.exe starting, showing the main window and ending, with no Open
#   Quarrow, Find      Find with "*" after the Open (every row matched and selected), to the painted list
# Prints the median of several runs of each and the ratios to quarrow-cli list.
#
#   bench/open-speed.sh [--entries N] [--runs R]
#
# The run uses a Wine prefix of its own whose windows are not handed to a window manager: under Xvfb
# there is none, and Wine would wait two seconds for it each time a window is hidden.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib/wine-session.sh"

entries=100000
runs=5
while [ $# -gt 0 ]; do
    case $1 in
        --entries) entries=$2; shift 2 ;;
        --runs) runs=$2; shift 2 ;;
        *) echo "usage: $0 [--entries N] [--runs R]" >&2; exit 2 ;;
    esac
done

build_win64_target open_speed
build_win64_target quarrow-cli
cli="$build/cli/quarrow-cli.exe"
program="$build/bench/open_speed.exe"

wine_environment "$build/bench-wineprefix"
show_on_private_display
if [ ! -f "$WINEPREFIX/.quarrow-bench" ]; then
    echo "bench: preparing a Wine prefix (once)"
    prepare_wine_prefix
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.quarrow-bench"
fi
wineserver -p # one server for every run, as a desktop session has

work=$(mktemp -d "${TMPDIR:-/tmp}/quarrow-open-speed.XXXXXX")
trap 'rm -rf "$work"; stop_private_display' EXIT
python3 "$root/bench/generate.py" wide-pak "$work/wide.pak" --entries "$entries" >/dev/null
# Windows programs take the archive by its Windows name (Z:\...): a name beginning with "/" reads as an option.
archive=$(winepath -w "$work/wide.pak" 2>/dev/null)

now_ns() { date +%s%N; }
seconds_since() { awk -v ns=$(($(now_ns) - $1)) 'BEGIN { printf "%.4f", ns / 1e9 }'; }
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One untimed start of each, so that neither pays for loading Wine's libraries the first time.
wine "$cli" list "$archive" >/dev/null
wine "$program" "$archive" >/dev/null

cli_times=()
process_times=()
open_times=()
start_times=()
find_times=()
for _ in $(seq "$runs"); do
    start=$(now_ns)
    lines=$(wine "$cli" list "$archive" | wc -l)
    cli_times+=("$(seconds_since "$start")")
    [ "$lines" -eq "$entries" ] || { echo "bench: quarrow-cli listed $lines entries, not $entries" >&2; exit 1; }

    start=$(now_ns)
    out=$(wine "$program" "$archive" --find '*') || { echo "bench: open_speed failed" >&2; exit 1; }
    process_times+=("$(seconds_since "$start")")
    echo "$out" | grep -q " $entries entries" || { echo "bench: Quarrow did not list $entries entries: $out" >&2; exit 1; }
    open_times+=("$(echo "$out" | awk '/^open/ { printf "%.4f", $2 / 1000 }')")
    echo "$out" | grep -q "^find .* $entries rows" || { echo "bench: Find did not select $entries rows: $out" >&2; exit 1; }
    find_times+=("$(echo "$out" | awk '/^find/ { printf "%.4f", $2 / 1000 }')")

    start=$(now_ns)
    wine "$program" "$archive" --runs 0 >/dev/null || { echo "bench: open_speed failed to start" >&2; exit 1; }
    start_times+=("$(seconds_since "$start")")
done

cli_median=$(printf '%s\n' "${cli_times[@]}" | median)
process_median=$(printf '%s\n' "${process_times[@]}" | median)
open_median=$(printf '%s\n' "${open_times[@]}" | median)
start_median=$(printf '%s\n' "${start_times[@]}" | median)
find_median=$(printf '%s\n' "${find_times[@]}" | median)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo
echo "Opening an archive of $entries entries, median of $runs runs (Wine $(wine --version 2>/dev/null | sed 's/wine-//'))"
printf '%-36s %9.3f s\n' "quarrow-cli list (process)" "$cli_median"
printf '%-36s %9.3f s   %s x quarrow-cli list\n' "Quarrow open (process)" "$process_median" "$(ratio "$process_median" "$cli_median")"
printf '%-36s %9.3f s   %s x quarrow-cli list\n' "Quarrow open (click to painted list)" "$open_median" "$(ratio "$open_median" "$cli_median")"
printf '%-36s %9.3f s   (the program starting and ending, no Open)\n' "Quarrow start (process)" "$start_median"
printf '%-36s %9.3f s   %s x the Open\n' "Quarrow Find \"*\" (to painted list)" "$find_median" "$(ratio "$find_median" "$open_median")"
