#!/usr/bin/env bash
# capplan_schemes.sh BUILD_DIR [LIMIT]: the table researchers quote of the
# restoration schemes side by side: for the shipped NSFNET and Europe
# examples, the Zoo's Abilene, Geant2012 and Bellcanada (tests/netimport/zoo/)
# and the made-up 50-node network (bench/capplan_bench --write 50 1), each
# imported by netimport with uniform demand, km costs and no spare (the
# examples and the made-up network by way of a GML file of their nodes and
# spans), capplan's plans for span cuts and for node failures: span-restorable
# (span cuts only), path-restorable with and without stub release, shared
# backup, dedicated 1+1 and p-cycle (span cuts only), each with the time
# limit LIMIT s (60 by default). One row per plan: spare, redundancy, cost,
# lower bound, gap, time, capplan's status (2: bridges, demands without a
# surviving route or paths without a backup named; 1: a failure, said in
# the lines after the row) and what the plan leaves out, as capplan names it:
# the bridges of a span or p-cycle plan, the scenario's demands with no
# surviving route of a path plan, the paths no backup protects of a backup
# plan (whose spare protects the other paths only). Run by hand (not a test).
set -u
build=$(cd "$1" && pwd)
limit=${2:-60}
src=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/capplan_schemes.XXXXXX")
export PATH="$build/bin:$PATH"

. "$src/bench/study_helpers.sh"

networks=()
to_gml "$src/examples/nsfnet_nodes.txt" "$src/examples/nsfnet.dat" > "$work/NSFNET.gml" && networks+=("$work/NSFNET.gml")
to_gml "$src/examples/europe_nodes.txt" "$src/examples/europe.dat" > "$work/Europe.gml" && networks+=("$work/Europe.gml")
networks+=("$src"/tests/netimport/zoo/Abilene.gml "$src"/tests/netimport/zoo/Geant2012.gml "$src"/tests/netimport/zoo/Bellcanada.gml)
"$build/bench/capplan_bench" --write 50 1 "$work/made50" &&
  to_gml "$work/made50_nodes.txt" "$work/made50.dat" > "$work/Made50.gml" && networks+=("$work/Made50.gml")

# What a plan names that it leaves out: "3 bridges", "5 unrestorable", "4 unprotected", or "-".
left_out() {
  awk '$1 == "bridge:" { b++ } $1 == "unrestorable:" { r++ } $1 == "unprotected:" { p++ }
       END { if (b) print b " bridges"; else if (r) print r " unrestorable"; else if (p) print p " unprotected"; else print "-" }' "$1"
}
field() { awk -v k="$2" 'index($0, "  " k " ") == 1 { sub(/  \(.*\)$/, ""); print $NF }' "$1"; }
row='%-10s %5s %5s %-6s %-10s %7s %10s %10s %10s %7s %9s %6s %s\n'
printf "$row" network nodes spans fail plan spare redundancy cost "lower bnd" gap time status "left out"
for gml in "${networks[@]}"; do
  name=$(basename "$gml" .gml)
  dir="$work/$name"
  netimport "$gml" "$dir" > "$work/$name.import" 2>&1 || { echo "$name: netimport failed"; continue; }
  cd "$dir" || exit 1
  for fail in spans nodes; do
    plans=(path+stub path sbpp dedicated)
    [ "$fail" = spans ] && plans=(span path+stub path sbpp dedicated pcycle)
    for plan in "${plans[@]}"; do
      case $plan in
        span) args=() ;;
        pcycle) args=(--method pcycle) ;;
        path+stub) args=(--method path --stub-release --paths paths.txt --fail "$fail") ;;
        *) args=(--method "$plan" --paths paths.txt --fail "$fail") ;;
      esac
      out="$fail-$plan"
      capplan --time-limit "$limit" "${args[@]}" nodes.txt net.dat "$out.dat" > "$out.txt" 2> "$out.err"
      code=$?
      printf "$row" "$name" "$(sed -n 2p net.dat)" "$(($(sed -n 3p net.dat) / 2))" "$fail" "$plan" \
        "$(field "$out.txt" 'spare channels')" "$(field "$out.txt" redundancy)" "$(field "$out.txt" cost)" \
        "$(field "$out.txt" 'lower bound')" "$(field "$out.txt" gap)" "$(awk '/^  time/ { print $2 }' "$out.txt")s" "$code" \
        "$(left_out "$out.txt")"
      [ $code -eq 1 ] && sed 's/^/    /' "$out.err"
    done
  done
  cd "$src" || exit 1
done
echo "(files in $work)"
