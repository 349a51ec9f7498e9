#!/usr/bin/env bash
# Measures quarrow-cli against a peer in the same run, on the same data:
#   pack      quarrow-cli pack   vs  tar -cf
#   extract   quarrow-cli extract vs tar -xf
#   list      quarrow-cli list of a 100,000-entry archive vs tar -tf of a 100,000-entry tar
#   update    quarrow-cli update -o, replacing one entry of a 300 MB archive of 2,000 entries, vs cp of it
#   inplace   the same update of the archive in place vs cp over an existing file
#   extract10 quarrow-cli extract of 10 named entries of the 100,000-entry archive vs quarrow-cli list
#   diff      quarrow-cli diff of the 300 MB archive and a copy whose last entry differs (same size), vs
#             cmp of the two, which then reads them whole too
# Prints the median wall time of each over several runs, the ratio quarrow/peer (at most 1.0 means
# at least as fast as the peer), the ratio aimed at, and the peak memory of one more run of each, from
# /usr/bin/time -v.
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
# The runs happen in the data's folder: a path given relative to here must still lead to the program.
case $cli in /*) ;; *) cli=$PWD/$cli ;; esac
[ -x "$cli" ] || { echo "bench: no quarrow-cli at $cli (build it first)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "bench: /usr/bin/time is missing (Debian package: time)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/quarrow-bench.XXXXXX")
cleanup() { [ "$keep" = 1 ] && echo "bench: data kept in $work" || rm -rf "$work"; }
trap cleanup EXIT

# The tree, two archives of it and two extracted copies: about five times the tree's size; the 300 MB
# archive, its update and its copy, and the two copies that are written over in place.
free_kb=$(df -Pk "$work" | awk 'NR == 2 { print $4 }')
need_kb=$((files * 25 * 5 + 1600 * 1024))
if [ "$free_kb" -lt "$need_kb" ]; then
    echo "bench: $((free_kb / 1024)) MB free in $work, about $((need_kb / 1024)) MB needed" >&2
    exit 1
fi

python3 "$root/bench/generate.py" tree "$work/tree" --files "$files" --seed "$seed"
python3 "$root/bench/generate.py" wide-pak "$work/wide.pak"
python3 "$root/bench/generate.py" wide-tar "$work/wide.tar"
python3 "$root/bench/generate.py" big-pak "$work/big.pak" --entries 2000 --megabytes 300
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

# measure <name> <aim> <peer> <quarrow setup> <peer setup> <quarrow command> -- <peer command>
declare -a report
measure() {
    local name=$1 aim=$2 peer=$3 setup=$4 their_setup=$5; shift 5
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
    report+=("$(printf '%-9s %10.4f s  %-14s %10.4f s %7s %6s %9s MB %9s MB' "$name" "$mine_median" "$peer" \
        "$their_median" "$ratio" "$aim" "$(peak_mb "$setup" "${mine[@]}")" "$(peak_mb "$their_setup" "${theirs[@]}")")")
}

cd "$work"
# Each timed run starts with the disk written through, so that no run pays for its predecessor's writes.
measure pack - "tar -cf" "rm -f tree.pak; sync" "rm -f tree.tar; sync" \
    "$cli" pack tree.pak tree -- tar -cf tree.tar tree
measure extract - "tar -xf" "rm -rf out-q; mkdir out-q; sync" "rm -rf out-t; mkdir out-t; sync" \
    "$cli" extract tree.pak out-q -- tar -xf tree.tar -C out-t
measure list 0.4 "tar -tf" ":" ":" \
    "$cli" list wide.pak -- tar -tf wide.tar
measure update 1.0 "cp" "rm -f updated.pak; sync" "rm -f copied.pak; sync" \
    "$cli" update big.pak -o updated.pak big.pak.mod -- cp big.pak copied.pak
# In place the archive is replaced by a new file flushed to the disk first; cp writes over the old one.
measure inplace 1.3 "cp over a file" "cp big.pak inplace.pak; sync" "cp big.pak over.pak; sync" \
    "$cli" update inplace.pak big.pak.mod -- cp big.pak over.pak
named=()
for i in 7 10007 20007 30007 40007 50007 60007 70007 80007 99999; do
    named+=("$(printf 'W%03d/E%06d.DAT' $((i % 500)) "$i")")
done
measure extract10 1.5 "quarrow list" "rm -rf named; sync" ":" \
    "$cli" extract wide.pak named "${named[@]}" -- "$cli" list wide.pak
# The last entry, same size, other bytes: both commands must read the archives to their ends.
IFS=$'\t' read -r last_size _ last_name < <("$cli" list big.pak | tail -n 1)
last_file=last/${last_name//\\//}
mkdir -p "$(dirname "$last_file")" && head -c "$last_size" /dev/zero | tr '\0' 'z' >"$last_file"
"$cli" update big.pak -o last.pak last >/dev/null
# Both exit 1 for "they differ"; each is wrapped alike, so that the shell costs both the same.
measure diff 1.2 "cmp" ":" ":" \
    sh -c '"$0" diff big.pak last.pak >/dev/null; [ $? -eq 1 ]' "$cli" -- sh -c 'cmp big.pak last.pak >/dev/null; [ $? -eq 1 ]'

# The extracted trees must be the tree itself.
diff -r tree out-q >/dev/null || { echo "bench: quarrow-cli extracted a different tree" >&2; exit 1; }
diff -r tree out-t/tree >/dev/null || { echo "bench: tar extracted a different tree" >&2; exit 1; }
# The update replaced the middle entry, and the named extract wrote the 10 entries.
[ "$("$cli" list updated.pak | sed -n 1001p | cut -f1)" = "$(stat -c %s big.pak.mod/D00/F01000.BIN)" ] \
    || { echo "bench: the update did not replace the middle entry" >&2; exit 1; }
[ "$(find named -type f | wc -l)" = 10 ] || { echo "bench: the named extract did not write 10 files" >&2; exit 1; }
[ "$("$cli" diff big.pak last.pak)" = "M $last_name" ] || { echo "bench: diff did not find the one change" >&2; exit 1; }

echo
echo "quarrow-cli against its peers: $files files ($(du -sm tree | cut -f1) MB), median of $runs runs;"
echo "list and extract10 of 100,000 entries; update of 2,000 entries, 300 MB (its peak memory is aimed under 64 MB)"
printf '%-9s %12s  %-14s %12s %7s %6s %12s %12s\n' "" "quarrow" "peer" "" "ratio" "aim" "quarrow peak" "peer peak"
printf '%s\n' "${report[@]}"
