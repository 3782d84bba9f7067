#!/usr/bin/env bash
# backups_bench.sh BUILD_DIR [SECONDS] [NODES...]: the backup designs (shared
# backup path protection and 1+1) measured on made networks. Run by hand
# (never by the test suite).
#
# Each made mesh (bench/made_network.h, seed 1, mean degree 3.2; 50 and 100
# nodes unless given) is imported by netimport with uniform demand (one path
# per node pair, shortest by length, km costs), then planned by
# backups_bench for span cuts and node failures, shared and 1+1, each run
# with a limit of SECONDS (600 by default) and proved by check_backups.
set -u
build=$(cd "${1:-build}" && pwd)
seconds=${2:-600}
shift $(( $# < 2 ? $# : 2 ))
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(50 100)
work=$(mktemp -d "${TMPDIR:-/tmp}/backups_bench.XXXXXX")
echo "(files in $work; load average $(cut -d' ' -f1-3 /proc/loadavg); limit $seconds s)"
printf '%-9s %-6s %5s %5s %6s %8s %8s %9s %10s %10s %7s %9s %9s %9s\n' method fail nodes spans paths working spare \
  redundancy cost bound gap plan proof memory
for n in "${sizes[@]}"; do
  mkdir -p "$work/csv$n"
  "$build/bench/pathsweep_made" "$n" 1 3.2 "$work/csv$n" || exit 1
  "$build/bin/netimport" --cost km "$work/csv$n/nodes.csv,$work/csv$n/links.csv" "$work/made$n" > "$work/made$n.import" 2>&1 ||
    { echo "made $n: netimport failed"; cat "$work/made$n.import"; exit 1; }
  for fail in spans nodes; do
    for method in "" --dedicated; do
      "$build/bench/backups_bench" --seconds "$seconds" --fail "$fail" $method \
        "$work/made$n/nodes.txt" "$work/made$n/net.dat" "$work/made$n/paths.txt"
    done
  done
done
