#!/usr/bin/env bash
# capplan_zoo.sh BUILD_DIR [COST]: imports the three Zoo networks of
# tests/netimport/zoo/ with uniform demand and no spare (netimport --cost COST,
# km by default), plans each with capplan, sweeps the plan with capsweep (with
# relax) and shows it with capview; prints one row per network. Run by hand
# (not a test): bash bench/capplan_zoo.sh build [hops]. A bridge's cut cannot
# be restored: capplan names it and ends with status 2, and capview then shows
# less than 100.00% for the network.
set -u
build=$(cd "$1" && pwd)
cost=${2:-km}
src=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/capplan_zoo.XXXXXX")
export PATH="$build/bin:$PATH"
status=0
printf '%-11s %5s %5s %7s %6s %10s %10s %10s %7s %8s %14s %s\n' network nodes spans working spare redundancy cost "lower bnd" gap time status restorability
for gml in "$src"/tests/netimport/zoo/*.gml; do
  name=$(basename "$gml" .gml)
  dir="$work/$name"
  netimport --cost "$cost" "$gml" "$dir" > "$work/$name.import" 2>&1 || { echo "$name: netimport failed"; status=1; continue; }
  cd "$dir" || exit 1
  capplan --report report.txt nodes.txt net.dat planned.dat > plan.txt 2>&1
  code=$?
  view=-
  if [ $code -le 2 ] && [ -f planned.dat ]; then
    if capsweep -s nodes.txt planned.dat 3 > capsweep.log 2>&1 && capview nodes.txt planned.dat planned.out > summary.txt; then
      view="$(awk '/network restorability/ { print $3 } /^  fully restorable/ { f = $3 } /^  spans cut/ { n = $3 } END { print "(" f " of " n " cuts in full)" }' summary.txt | paste -sd ' ')"
    else
      view="capsweep/capview failed (see $dir)"; status=1
    fi
  else
    status=1
  fi
  bridges=$(grep -c '^bridge' plan.txt)
  [ "$bridges" -gt 0 ] && code="$code ($bridges bridges)"
  field() { awk -v k="$1" 'index($0, "  " k " ") == 1 { print $NF == "(optimal)" ? $(NF - 1) : $NF }' plan.txt; }
  printf '%-11s %5s %5s %7s %6s %10s %10s %10s %7s %8s %14s %s\n' "$name" "$(sed -n 2p net.dat)" "$(($(sed -n 3p net.dat) / 2))" \
    "$(field 'working channels')" "$(field 'spare channels')" "$(field redundancy)" "$(field cost)" \
    "$(field 'lower bound')" "$(field gap)" "$(awk '/^  time/ { print $2 }' plan.txt)s" "$code" "$view"
  grep '^bridge' plan.txt | sed 's/^/    /'
  cd "$src" || exit 1
done
echo "(files in $work)"
exit $status
