#!/usr/bin/env bash
# Measures quarrow-cli against tar in the same run, on the same data:
#   pack     quarrow-cli pack   vs  tar -cf
#   extract  quarrow-cli extract vs tar -xf
#   list     quarrow-cli list of a 100,000-entry archive vs tar -tf of a 100,000-entry tar
# Prints the median wall time of each over several runs, the ratio quarrow/tar (at most 1.0 means
# at least as fast as tar) and the peak memory of one more run of each, from /usr/bin/time -v.
#
#   bench/run.sh [--cli PATH] [--files N] [--runs R] [--seed S] [--keep]
# The data lives in a temporary folder under ${TMPDIR:-/tmp}, removed at the end unless --keep.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cli=$root/build/native/cli/quarrow-cli
files=20000
runs=5
seed=3
keep=0
while [ $# -gt 0 ]; do
    case $1 in
        --cli) cli=$2; shift 2 ;;
        --files) files=$2; shift 2 ;;
        --runs) runs=$2; shift 2 ;;
        --seed) seed=$2; shift 2 ;;
        --keep) keep=1; shift ;;
        *) echo "usage: $0 [--cli PATH] [--files N] [--runs R] [--seed S] [--keep]" >&2; exit 2 ;;
    esac
done
[ -x "$cli" ] || { echo "bench: no quarrow-cli at $cli (build it first)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "bench: /usr/bin/time is missing (Debian package: time)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/quarrow-bench.XXXXXX")
cleanup() { [ "$keep" = 1 ] && echo "bench: data kept in $work" || rm -rf "$work"; }
trap cleanup EXIT

# The tree, two archives of it and two extracted copies: about five times the tree's size.
free_kb=$(df -Pk "$work" | awk 'NR == 2 { print $4 }')
need_kb=$((files * 25 * 5))
if [ "$free_kb" -lt "$need_kb" ]; then
    echo "bench: $((free_kb / 1024)) MB free in $work, about $((need_kb / 1024)) MB needed" >&2
    exit 1
fi

python3 "$root/bench/generate.py" tree "$work/tree" --files "$files" --seed "$seed"
python3 "$root/bench/generate.py" wide-pak "$work/wide.pak"
python3 "$root/bench/generate.py" wide-tar "$work/wide.tar"
sync

now_ns() { date +%s%N; }

# time_once <setup command> <command...>: runs the setup untimed, then the command; its wall time in
# seconds goes to $elapsed. A failing command ends the benchmark: its figures would mean nothing.
time_once() {
    local setup=$1; shift
    eval "$setup"
    local start end
    start=$(now_ns)
    "$@" >/dev/null || { echo "bench: $* failed" >&2; exit 1; }
    end=$(now_ns)
    elapsed=$(awk -v ns=$((end - start)) 'BEGIN { printf "%.4f", ns / 1e9 }')
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

peak_mb() {  # peak_mb <setup> <command...>
    local setup=$1; shift
    eval "$setup"
    /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F: '/Maximum resident set size/ { printf "%.1f", $2 / 1024 }'
}

# measure <name> <quarrow setup> <tar setup> <quarrow command> -- <tar command>
declare -a report
measure() {
    local name=$1 setup=$2 their_setup=$3; shift 3
    local -a mine=() theirs=()
    while [ "$1" != "--" ]; do mine+=("$1"); shift; done
    shift
    theirs=("$@")
    local -a mine_times=() their_times=()
    for _ in $(seq "$runs"); do
        time_once "$setup" "${mine[@]}"
        mine_times+=("$elapsed")
        time_once "$their_setup" "${theirs[@]}"
        their_times+=("$elapsed")
    done
    local mine_median their_median ratio
    mine_median=$(printf '%s\n' "${mine_times[@]}" | median)
    their_median=$(printf '%s\n' "${their_times[@]}" | median)
    ratio=$(awk -v a="$mine_median" -v b="$their_median" 'BEGIN { printf "%.3f", a / b }')
    report+=("$(printf '%-8s %10.4f s %10.4f s %7s %9s MB %9s MB' "$name" "$mine_median" "$their_median" "$ratio" \
        "$(peak_mb "$setup" "${mine[@]}")" "$(peak_mb "$their_setup" "${theirs[@]}")")")
}

cd "$work"
# Each timed run starts with the disk written through, so that no run pays for its predecessor's writes.
measure pack "rm -f tree.pak; sync" "rm -f tree.tar; sync" \
    "$cli" pack tree.pak tree -- tar -cf tree.tar tree
measure extract "rm -rf out-q; mkdir out-q; sync" "rm -rf out-t; mkdir out-t; sync" \
    "$cli" extract tree.pak out-q -- tar -xf tree.tar -C out-t
measure list ":" ":" \
    "$cli" list wide.pak -- tar -tf wide.tar

# The extracted trees must be the tree itself.
diff -r tree out-q >/dev/null || { echo "bench: quarrow-cli extracted a different tree" >&2; exit 1; }
diff -r tree out-t/tree >/dev/null || { echo "bench: tar extracted a different tree" >&2; exit 1; }

echo
echo "quarrow-cli against tar: $files files ($(du -sm tree | cut -f1) MB), median of $runs runs; list of 100,000 entries"
printf '%-8s %12s %12s %7s %12s %12s\n' "" "quarrow" "tar" "ratio" "quarrow peak" "tar peak"
printf '%s\n' "${report[@]}"
