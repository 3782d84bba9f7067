#!/usr/bin/env bash
# capplan_pcycle.sh BUILD_DIR [SECONDS]: the span-restorable plan and the
# p-cycle plan side by side (capplan_bench --pcycle), on the shipped examples,
# the three Zoo networks of tests/netimport/zoo/ imported with uniform demand
# and km costs (netimport's defaults, as capplan_zoo.sh), and made networks of
# 50 and 100 nodes. Run by hand (not a test).
set -u
build=$(cd "$1" && pwd)
seconds=${2:-60}
src=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/capplan_pcycle.XXXXXX")
files=("$src/examples/nsfnet_nodes.txt" "$src/examples/nsfnet.dat" "$src/examples/europe_nodes.txt" "$src/examples/europe.dat")
for gml in "$src"/tests/netimport/zoo/*.gml; do
  name=$(basename "$gml" .gml)
  "$build/bin/netimport" "$gml" "$work/$name" > "$work/$name.import" 2>&1 || { echo "$name: netimport failed"; continue; }
  cp "$work/$name/net.dat" "$work/$name.dat"
  files+=("$work/$name/nodes.txt" "$work/$name.dat")
done
"$build/bench/capplan_bench" --seconds "$seconds" --pcycle "${files[@]}" --made 50 --made 100
echo "(files in $work)"
