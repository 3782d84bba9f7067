#!/usr/bin/env bash
# dualsweep_bench.sh [BUILD_DIR]: how long dualsweep takes, and what it finds
# on capplan's plans of the three Zoo networks.
#   1. grid300 (a 15 x 20 grid, 300 nodes, 565 spans, about 160,000 pairs),
#      -j 2, without the bound.
#   2. a 200-node mesh (a 10 x 20 grid, 370 spans, 68,265 pairs) with
#      --bound, -j 2, the whole run: wall and CPU time, peak memory (GNU
#      time).
#   3. the three Zoo networks of tests/netimport/zoo/, imported with uniform
#      demand (netimport), planned by capplan: R1, R2, the pairs below the
#      bound and by how much.
# Not part of the test suite. The machine may be shared: its load is shown.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
bin=$build/bin
for p in dualsweep capplan netimport; do
  [ -x "$bin/$p" ] || { echo "build $p first ($bin)"; exit 1; }
done
[ -x /usr/bin/time ] || { echo "GNU time is needed (Debian package time)"; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/dualsweep_bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
source "$root/bench/mesh_helpers.sh"

summary_figure() { awk -v k="$1" '$1 == k { print $2 }' "$2"; }

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
make_mesh grid300 15 20
t=$(seconds "$bin/dualsweep" -j 2 grid300_nodes.txt grid300.dat grid300.dual)
echo "1. grid300: $(awk '$1 == "pairs" { print $2 }' run.log) pairs, -j 2, no bound: $t s" \
     "(R1 $(summary_figure R1 run.log), R2 $(summary_figure R2 run.log))"

make_mesh mesh200 10 20
/usr/bin/time -f "%e %U %S %M" -o time.txt "$bin/dualsweep" --bound -j 2 mesh200_nodes.txt mesh200.dat mesh200.dual > run.log
read -r wall user sys kb < time.txt
echo "2. 200 nodes, 370 spans, --bound -j 2: $wall s, $(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }') s CPU," \
     "$((kb / 1024)) MiB; R1 $(summary_figure R1 run.log), R2 $(summary_figure R2 run.log);" \
     "$(awk '$1 == "below" { sub(/^\(/, "", $5); print $4, "pairs below the bound,", $5 }' run.log) channels short in all"

echo "3. capplan's plans of the Zoo networks (uniform demand, km):"
printf '   %-11s %5s %5s %7s %8s %8s %12s %10s %8s\n' network nodes spans pairs R1 R2 "below bound" "short by" time
for gml in "$root"/tests/netimport/zoo/*.gml; do
  name=$(basename "$gml" .gml)
  "$bin/netimport" "$gml" "$name" > /dev/null 2>&1 || { echo "$name: netimport failed"; continue; }
  (cd "$name" && "$bin/capplan" nodes.txt net.dat planned.dat > plan.txt 2>&1) || true
  [ -f "$name/planned.dat" ] || { echo "$name: capplan wrote no plan"; continue; }
  t=$(cd "$name" && seconds "$bin/dualsweep" --bound -j 2 nodes.txt planned.dat planned.dual && cp run.log ../$name.sum)
  printf '   %-11s %5s %5s %7s %8s %8s %12s %10s %7ss\n' "$name" "$(sed -n 2p $name/net.dat)" \
    "$(($(sed -n 3p $name/net.dat) / 2))" "$(summary_figure pairs $name.sum)" "$(summary_figure R1 $name.sum)" \
    "$(summary_figure R2 $name.sum)" "$(awk '$1 == "below" { print $4 }' $name.sum)" \
    "$(awk '$1 == "below" { sub(/^\(/, "", $5); print $5 }' $name.sum)" "$t"
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
