#!/usr/bin/env bash
# capplan_joint.sh BUILD_DIR [LIMIT]: the span-restorable plan of a study's
# own routing beside the joint plan of working and spare (capplan --joint),
# on the shipped examples, the three Zoo networks of tests/netimport/zoo/ and
# made-up networks of 50 and 100 nodes (bench/capplan_bench --write). Each is
# imported by netimport with uniform demand and no spare (the examples and
# the made-up networks by way of a GML file of their nodes and spans), so
# that paths.txt holds the study's routing. Time limit LIMIT s (60 by
# default) for each run. Run by hand (not a test).
set -u
build=$(cd "$1" && pwd)
limit=${2:-60}
src=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/capplan_joint.XXXXXX")
export PATH="$build/bin:$PATH"

source "$src/bench/mesh_helpers.sh"  # to_gml

networks=()
to_gml "$src/examples/nsfnet_nodes.txt" "$src/examples/nsfnet.dat" > "$work/NSFNET.gml" && networks+=("$work/NSFNET.gml")
to_gml "$src/examples/europe_nodes.txt" "$src/examples/europe.dat" > "$work/Europe.gml" && networks+=("$work/Europe.gml")
networks+=("$src"/tests/netimport/zoo/*.gml)
for n in 50 100; do
  "$build/bench/capplan_bench" --write "$n" 1 "$work/made$n" &&
    to_gml "$work/made${n}_nodes.txt" "$work/made$n.dat" > "$work/Made$n.gml" && networks+=("$work/Made$n.gml")
done

field() { awk -v k="$2" 'index($0, "  " k " ") == 1 { sub(/  \(.*\)$/, ""); print $NF }' "$1"; }
printf '%-11s %5s %5s %7s | %7s %10s %10s %10s %7s %8s | %7s %7s %10s %10s %10s %7s %8s\n' network nodes spans working \
  spare redundancy "cost w+s" "bound" gap time working spare redundancy "cost w+s" "bound" gap time
for gml in "${networks[@]}"; do
  name=$(basename "$gml" .gml)
  dir="$work/$name"
  netimport "$gml" "$dir" > "$work/$name.import" 2>&1 || { echo "$name: netimport failed"; continue; }
  cd "$dir" || exit 1
  capplan --time-limit "$limit" nodes.txt net.dat planned.dat > plan.txt 2>&1
  capplan --time-limit "$limit" --joint paths.txt --routes routes.txt nodes.txt net.dat joint.dat > joint.txt 2>&1
  w=$(field plan.txt 'working channels')
  wcost=$(awk '/^[0-9]+ [0-9]+ [0-9]+ / && NR > 3 && $2 < $3 { c += $4 * $6 } END { print c + 0 }' net.dat)
  printf '%-11s %5s %5s %7s | %7s %10s %10s %10s %7s %8s | %7s %7s %10s %10s %10s %7s %8s\n' "$name" "$(sed -n 2p net.dat)" \
    "$(($(sed -n 3p net.dat) / 2))" "$w" "$(field plan.txt 'spare channels')" "$(field plan.txt redundancy)" \
    "$(($(field plan.txt cost) + wcost))" "$(($(field plan.txt 'lower bound') + wcost))" "$(field plan.txt gap)" \
    "$(awk '/^  time/ { print $2 }' plan.txt)s" \
    "$(field joint.txt 'working channels')" "$(field joint.txt 'spare channels')" "$(field joint.txt redundancy)" \
    "$(field joint.txt cost)" "$(field joint.txt 'lower bound')" "$(field joint.txt gap)" "$(awk '/^  time/ { print $2 }' joint.txt)s"
  { grep -h '^capplan:' plan.txt joint.txt; grep -h '^bridge' joint.txt; } | sed 's/^/    /'
  cd "$src" || exit 1
done
echo "(files in $work)"
