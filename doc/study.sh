#!/usr/bin/env bash
# study.sh BIN_DIR EXAMPLES_DIR [WORK_DIR]
#
# Runs the worked study of doc/study.md on the NSFNET example, in a scratch
# folder (WORK_DIR, kept afterwards, or a temporary folder that is removed),
# and checks that every program ends well and writes the lines doc/study.md
# quotes. When a program's output changes, this fails, and the study in
# doc/study.md must be brought up to date with it.
set -u
bin=$(cd "$1" && pwd)
examples=$(cd "$2" && pwd)
if [ $# -ge 3 ]; then
  mkdir -p "$3" && work=$(cd "$3" && pwd)
else
  work=$(mktemp -d "${TMPDIR:-/tmp}/study.XXXXXX")
  trap 'rm -rf "$work"' EXIT
fi
export PATH="$bin:$PATH"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# run LOG COMMAND...: runs one step of the study, its standard output into LOG.
run() {
  local log=$1; shift
  echo "\$ $*"
  "$@" > "$log" 2>&1
  local status=$?
  [ $status -eq 0 ] || { fail "'$*' ended with status $status:"; cat "$log"; }
}
# expect FILE LINE: FILE holds LINE, whole.
expect() { grep -qxF -- "$2" "$1" 2>/dev/null || fail "$1 does not hold the line '$2'"; }
# expect_row FILE START END: FILE holds a line that begins with START and ends
# with END (the solver's times in between vary from run to run).
expect_row() {
  awk -v s="$2" -v e="$3" 'index($0, s) == 1 && substr($0, length($0) - length(e) + 1) == e { found = 1 }
                           END { exit !found }' "$1" 2>/dev/null || fail "$1 has no row '$2 ... $3'"
}
# expect_mode MODE FILE
expect_mode() { [ "$(stat -c %a "$2" 2>/dev/null)" = "$1" ] || fail "$2 is not of mode $1"; }

cd "$work" || exit 1
cp "$examples/nsfnet.net" "$examples/nsfnet.dat" . || exit 1


# 1. Split the network description into lists.
run morwick.log morwick nsfnet.net
expect morwick.log "pathsize = 212"
expect nsfnetnodes.txt "1 WA -122.330002 47.610001"
expect nsfnetnodes.txt "14 MD -76.940002 38.990002"
# The description numbers its nodes as the example's node list does, which
# capsweep reads with the netdata file below.
[ "$(awk 'NR > 1 { print $1, $2 }' nsfnetnodes.txt)" = "$(awk 'NR > 1 { print $1, $2 }' "$examples/nsfnet_nodes.txt")" ] ||
  fail "nsfnet.net does not number its nodes as nsfnet_nodes.txt does"
expect nsfnetpaths.txt "CA1 WA 45"
expect nsfnetspares.txt "CA1 WA  15  "

# 2. A restoration experiment from the node and path lists.
run routeweave.log routeweave nsfnetnodes.txt nsfnetpaths.txt nsfnet.rst 1 0.5
expect routeweave.log "noOfPaths=212"
expect routeweave.log "There are 14 nodes, the largest nodeID is 14"
expect routeweave.log "nodeWithLargestWorkingChannels=TX, noOfWorkingChannels=50, noOfSpans=4"
expect nsfnet.rst "14 V_H2"
expect nsfnet.rst "WA 3 1.00 0 -122 47 38 19 38 95 1"
expect nsfnet.rst "    2 1 14 7"
expect nsfnet.rst "1 CA1 WA"
expect nsfnet.top "    CA1 1 14 7"
expect nsfnet.vtr.scr "vetrun nsfnet.rst /b=1-2 > 1-2cut.l"
expect nsfnet.kmb.scr "kimber nsfnet.rst /b=1-2 > 1-2cut.l"
expect nsfnet.scr "nsfnet.vtr.scr"
for s in nsfnet.scr nsfnet.vtr.scr nsfnet.kmb.scr nsfnet.osp.scr nsfnet.dunv.scr; do
  expect_mode 755 "$s"
done
expect_mode 644 nsfnet.rst

# 3. The master script runs the four simulators of BIN_DIR once per span;
#    it calls the other scripts by name, so the folder goes on PATH.
PATH=".:$PATH" run master.log ./nsfnet.scr
expect master.log "Starting network restoration scripts on nsfnet.rst"
expect master.log "kmb.restoration results on nsfnet.rst"
expect 1-2cut.l "vetrun: single-ended flooding restoration"
expect_row 1-2cut.l "written by vetrun (meshrestore) " ""
expect 1-2cut.l "cut span: 1-2 (WA 1 - CA1 2), 14 working, 7 spare, 0.000 km"
expect 1-2cut.l "channels restored:           10"
expect 13-14cut.l "vetrun: single-ended flooding restoration"
for r in vtr kmb osp dunv; do
  expect "nsfnet.$r.res" "$r.restoration results on nsfnet.rst"
  [ "$(sed 1,2d "nsfnet.$r.res" | grep -c .)" = 21 ] || fail "nsfnet.$r.res does not hold one row for each of the 21 spans"
done
expect nsfnet.vtr.res "1        2            14     10     10    112.000     28.000      4        519       44     10"
expect nsfnet.osp.res "1        2            14     10     10     53.000     23.000      4         18       44      4"
run compare.log capview --experiment nsfnetnodes.txt nsfnet.vtr.res nsfnet.kmb.res nsfnet.osp.res nsfnet.dunv.res
expect compare.log "  bound           144         67.92%  the most that can be restored"
expect compare.log "  vetrun          144         67.92%  nsfnet.vtr.res"
expect compare.log "  kimber          140         66.04%  nsfnet.kmb.res"

# 4. The restorability of every span cut, searched by bisection.
run capsweep.log capsweep nsfnetnodes.txt nsfnet.dat 3
expect capsweep.log "Finished!!! You will find the output in file -- nsfnet.out."
expect nsfnet.out "Edge  Node   Node  Restore  Feas  Restore   Time       Time     Cost  Restored"
expect capsweep.log "100% restoration is not possible -- 71.43% may be.relax: infeasible: 7 of 10 routed from node 1 to node 8 on 3 paths, cost 211"
expect capsweep.log "Final is_feas = 1."
expect_row nsfnet.out "   1    WA    CA1      14    Y       10 " "   185     71.43%"
expect_row nsfnet.out "   3    WA     IL      14    Y        7 " "   211     50.00%"
expect_row nsfnet.out "  15    PA     GA      12    Y        3 " "    57     25.00%"
expect_row nsfnet.out "  21    NJ     MD       8    Y        8 " "   102    100.00%"
[ "$(grep -c '^ *[0-9]' nsfnet.out)" = 21 ] || fail "nsfnet.out does not hold one row for each of the 21 spans"
[ "$(ls nsfnet.dat.ls | wc -l)" = 21 ] || fail "nsfnet.dat.ls does not hold one path report for each of the 21 spans"
expect nsfnet.dat.ls/WA_CA1cut.l "FOR SPAN CUT WA-CA1, RESTORATION PATHS FOUND:"
expect nsfnet.dat.ls/WA_CA1cut.l "BW=7 PATH=( WA CA2 CA1)"
expect nsfnet.dat.ls/WA_CA1cut.l "BW=2 PATH=( WA IL NE CO UT CA1)"
expect nsfnet.dat.ls/WA_CA1cut.l "TOTAL_BANDWIDTH_RESTORED=10"

# 5. The least spare that restores every cut, proved by capsweep and shown
#    by capview next to the shipped spare.
run capplan.log capplan nsfnetnodes.txt nsfnet.dat planned.dat
expect capplan.log "  working channels            212"
expect capplan.log "  spare channels              160"
expect capplan.log "  redundancy               75.47%"
expect capplan.log "  lower bound                 766  (optimal)"
expect capplan.log "proved: 21 of 21 span cuts restore their whole working capacity over the planned spare"
run planned.log capsweep -s nsfnetnodes.txt planned.dat 3
run shipped_view.log capview nsfnetnodes.txt nsfnet.dat nsfnet.out
run planned_view.log capview nsfnetnodes.txt planned.dat planned.out
expect shipped_view.log "  network restorability      70.75%  (150 of 212 working channels restored)"
expect planned_view.log "  network restorability     100.00%  (212 of 212 working channels restored)"

if [ $failures -ne 0 ]; then
  echo "$failures failure(s); the study ran in $work"
  exit 1
fi
echo "study ran as doc/study.md tells it"
