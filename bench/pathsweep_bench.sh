#!/usr/bin/env bash
# pathsweep_bench.sh BUILD_DIR [table|goal|all]: pathsweep measured. Run by
# hand (never by the test suite); prints the tables of doc/pathsweep.md.
#
# table: the shipped NSFNET and Europe examples and the three Zoo networks
#   of tests/netimport/zoo/, each imported by netimport with uniform demand
#   (one path per node pair, shortest by length; the shipped node lists and
#   spans as netimport's CSV files) and planned by capplan (span cuts, 60 s);
#   on each plan, capsweep's span restorability (with relax, through
#   capview) beside pathsweep's path restorability of span, node and group
#   scenarios, without and with stub release, the share of the paths hit by
#   node failures that end there, and pathsweep's time with --bound.
#   Groups, for networks that come without them: at every node, the two
#   spans that leave it in the closest directions (by the node list's
#   coordinates) when they are less than 30 degrees apart, as two spans
#   sharing a duct out of the office; and both spans of every node with two.
# goal: a made 200-node network (bench/made_network, mean degree 2.5, as
#   the Zoo's Cogentco), imported with uniform demand and planned as above:
#   every span and node scenario with -j 2, without and with --bound, and
#   with -j 1; wall time, CPU time and memory.
set -u
build=$(cd "${1:-build}" && pwd)
what=${2:-all}
src=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/pathsweep_bench.XXXXXX")
export PATH="$build/bin:$PATH"
. "$src/bench/study_helpers.sh"
echo "(files in $work; load average $(cut -d' ' -f1-3 /proc/loadavg))"

# groups NODEFILE NETDATA: the groups file described above, on standard output.
groups() {
  awk 'NR == FNR { if (FNR > 1) { name[$1] = $2; x[$1] = $3; y[$1] = $4 } next }
       FNR > 3 && (FNR - 4) % 2 == 0 { a = $2; b = $3; k++; end1[k] = a; end2[k] = b; at[a] = at[a] " " k; at[b] = at[b] " " k }
       function dir(v, k,   w) { w = end1[k] == v ? end2[k] : end1[k]; return atan2(y[w] - y[v], (x[w] - x[v]) * cos(y[v] * 3.14159265 / 180)) }
       END {
         print "shared-risk groups: close spans out of a node, both spans of a node with two"
         for (v in at) {
           n = split(at[v], s, " ")
           if (n == 2) { key = s[1] < s[2] ? s[1] "," s[2] : s[2] "," s[1]; pair[key] = "office-" name[v] }
           best = 360
           for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) {
             d = (dir(v, s[i]) - dir(v, s[j])) * 180 / 3.14159265; if (d < 0) d = -d; if (d > 180) d = 360 - d
             if (d < best) { best = d; bi = s[i]; bj = s[j] }
           }
           if (n > 2 && best < 30) { key = bi < bj ? bi "," bj : bj "," bi; if (!(key in pair)) pair[key] = "duct-" name[v] }
         }
         for (key in pair) { split(key, s, ","); print pair[key], name[end1[s[1]]] "-" name[end2[s[1]]], name[end1[s[2]]] "-" name[end2[s[2]]] }
       }' "$1" "$2" | { IFS= read -r title; echo "$title"; sort; }
}

# study NAME INPUT: netimport with uniform demand into $work/NAME, capplan's plan.
study() {
  local name=$1 input=$2
  netimport --cost km "$input" "$work/$name" > "$work/$name.import" 2>&1 || { echo "$name: netimport failed"; return 1; }
  (cd "$work/$name" && capplan --time-limit 60 nodes.txt net.dat planned.dat > plan.txt 2>&1)
  [ -f "$work/$name/planned.dat" ] || { echo "$name: capplan wrote no plan"; return 1; }
}

# r KIND FILE: the R figure of a kind in a pathsweep summary.
r() { awk -v k="$1" '$1 == "R" && $2 == k { print $3 }' "$2"; }

if [ "$what" = table ] || [ "$what" = all ]; then
  printf '%-11s %5s %5s %6s %8s %8s %8s %8s %8s %8s %8s %7s %8s %8s\n' network nodes spans paths "capsweep" \
    "R span" "+stub" "R node" "+stub" "R group" "+stub" groups "ending" "--bound"
  inputs=()
  for net in nsfnet europe; do
    csv_of "$src/examples/${net}_nodes.txt" "$src/examples/$net.dat" "$work/$net-csv"
    inputs+=("$net=$work/$net-csv/nodes.csv,$work/$net-csv/links.csv")
  done
  for gml in "$src"/tests/netimport/zoo/*.gml; do inputs+=("$(basename "$gml" .gml)=$gml"); done
  for entry in "${inputs[@]}"; do
    name=${entry%%=*}
    study "$name" "${entry#*=}" || continue
    cd "$work/$name" || exit 1
    groups nodes.txt planned.dat > groups.txt
    capsweep -s nodes.txt planned.dat 3 > capsweep.log 2>&1 && capview nodes.txt planned.dat planned.out > capview.txt
    span_r=$(awk '/network restorability/ { print $3 }' capview.txt)
    common=(--fail spans,nodes,groups --groups groups.txt -j 2 nodes.txt planned.dat paths.txt)
    pathsweep "${common[@]}" plain.ps > plain.txt 2> plain.err
    pathsweep --stub-release "${common[@]}" stub.ps > stub.txt 2> stub.err
    start=$(date +%s%N)
    pathsweep --bound "${common[@]}" bound.ps > bound.txt 2> bound.err
    took=$(awk -v a="$start" -v b="$(date +%s%N)" 'BEGIN { printf "%.2f s", (b - a) / 1e9 }')
    ending=$(awk '$1 == "node" && $2 == "scenarios" { on = 1 } on && $1 == "ending" { print $3; exit }' plain.txt | tr -d '(')
    printf '%-11s %5s %5s %6s %8s %8s %8s %8s %8s %8s %8s %7s %8s %8s\n' "$name" "$(sed -n 2p planned.dat)" \
      "$(($(sed -n 3p planned.dat) / 2))" "$(grep -c 45 paths.txt)" "$span_r" "$(r span plain.txt)" "$(r span stub.txt)" \
      "$(r node plain.txt)" "$(r node stub.txt)" "$(r group plain.txt)" "$(r group stub.txt)" "$(($(wc -l < groups.txt) - 1))" \
      "$ending" "$took"
    awk '$1 == "below" { n += $4; s += $5 } END { if (n > 0) printf "    %d scenarios below the bound\n", n }' bound.txt
    cd "$work" || exit 1
  done
fi

if [ "$what" = goal ] || [ "$what" = all ]; then
  mkdir -p "$work/made200"
  "$build"/bench/pathsweep_made 200 1 2.5 "$work/made200" || exit 1
  study made200-study "$work/made200/nodes.csv,$work/made200/links.csv" || exit 1
  cd "$work/made200-study" || exit 1
  echo "made 200-node network: $(sed -n 3p planned.dat | awk '{ print $1 / 2 }') spans, $(($(wc -l < paths.txt) - 1)) paths; capplan: $(grep -c '^bridge' plan.txt) bridges"
  for run in "-j 2" "-j 2 --bound" "-j 1"; do
    /usr/bin/time -f "%e %U %M" -o time.txt pathsweep $run --fail spans,nodes nodes.txt planned.dat paths.txt made.ps > made.txt
    read -r wall cpu kb < time.txt
    printf '  %-14s %7.1f s wall %7.1f s CPU %6d MiB  R span %s  R node %s  %s\n' "$run" "$wall" "$cpu" $((kb / 1024)) \
      "$(r span made.txt)" "$(r node made.txt)" "$(awk '$1 == "below" { n += $4 } END { if (NR) printf "below the bound: %d", n }' made.txt)"
  done
  echo "  load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
fi
