#!/usr/bin/env bash
# capsweep_jobs_bench.sh [BUILD_DIR]: how much -j gains, on synthetic meshes.
#   1. grid300 (a 15 x 20 grid, 300 nodes, 565 spans) with strategy 3: a run
#      with the toolkit's relax on PATH against -j 2, in one run.
#   2. -j 1 against the sum of the solve times it reports for its own trials
#      (debug rows and the first trial of every cut).
#   3. -j 2 with strategy 3 on grids of 300, 1,000, 2,000 and 5,000 nodes
#      (about two spans per node): time and peak memory (GNU time).
# Not part of the test suite. The machine may be shared: its load is shown.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
bin=$build/bin
[ -x "$bin/capsweep" ] && [ -x "$bin/relax" ] || { echo "build capsweep and relax first ($bin)"; exit 1; }
[ -x /usr/bin/time ] || { echo "GNU time is needed (Debian package time)"; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/capsweep_jobs_bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

source "$root/bench/mesh_helpers.sh"

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
make_mesh grid300 15 20
spans=$(awk 'NR == 3 { print $1 / 2 }' grid300.dat)
plain=$(seconds env PATH="$bin:$PATH" "$bin/capsweep" -s grid300_nodes.txt grid300.dat 3)

rm -rf grid300.dat.ls RELAX.INP TEMP.OUT PATH.OUT PATH.L
jobs2=$(seconds "$bin/capsweep" -s -j 2 grid300_nodes.txt grid300.dat 3)
echo "1. grid300 (300 nodes, $spans spans), strategy 3, -s:"
awk -v a="$plain" -v b="$jobs2" 'BEGIN {
  printf "   without -j (relax on PATH): %8.3f s\n   -j 2:                       %8.3f s   (%.0f times faster)\n", a, b, a / b }'

# 2. -j 1, debug rows on: every trial's solve time is written. Wall and CPU
# (user + system) of the whole run, the least of 3 runs, against the sums of
# the elapsed and CPU columns of its trials.
best_wall= best_cpu=
for round in 1 2 3; do
  rm -rf grid300.dat.ls
  /usr/bin/time -f "%e %U %S" -o time.txt "$bin/capsweep" -d -j 1 grid300_nodes.txt grid300.dat 3 > run.log
  read -r wall user sys < time.txt
  cpu=$(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }')
  best_wall=$(awk -v a="$best_wall" -v b="$wall" 'BEGIN { print (a == "" || b < a) ? b : a }')
  best_cpu=$(awk -v a="$best_cpu" -v b="$cpu" 'BEGIN { print (a == "" || b < a) ? b : a }')
done
first=$(awk '/^elapsed_time = / { s += $3; n++ } /^cpu_time = / { c += $3 } END { printf "%.6f %.6f %d", s, c, n }' run.log)
rest=$(awk '/%  +[0-9]/ { s += $7; c += $8; n++ } END { printf "%.6f %.6f %d", s, c, n }' grid300.out)
echo "2. grid300, strategy 3, -d -j 1 (least of 3 runs):"
awk -v w="$best_wall" -v cpu="$best_cpu" -v f="$first" -v r="$rest" 'BEGIN {
  split(f, a, " "); split(r, b, " "); s = a[1] + b[1]; c = a[2] + b[2]; n = a[3] + b[3]
  printf "   %d trials; solves %.3f s elapsed, %.3f s CPU (%.1f us CPU each)\n", n, s, c, c / n * 1e6
  printf "   whole run %.3f s elapsed (%.2f times the solves), %.3f s CPU (%.2f times)\n", w, w / s, cpu, cpu / c }'

# 3. How -j 2 grows with the network.
echo "3. -s -j 2, strategy 3:"
for size in "300 15 20" "1000 25 40" "2000 40 50" "5000 50 100"; do
  set -- $size
  make_mesh mesh$1 "$2" "$3"
  /usr/bin/time -f "%e %M" -o time.txt "$bin/capsweep" -s -j 2 mesh$1_nodes.txt mesh$1.dat 3 > run.log
  read -r wall kb < time.txt
  cuts=$(grep -c '^cut span #' run.log)
  awk -v n="$1" -v c="$cuts" -v w="$wall" -v kb="$kb" 'BEGIN {
    printf "   %5d nodes, %5d spans: %8.2f s, peak memory %6.1f MiB\n", n, c, w, kb / 1024 }'
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
