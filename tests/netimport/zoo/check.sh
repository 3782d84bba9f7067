#!/bin/sh
# check.sh ZOO_FILE NODES SPANS: imports a Zoo network into study/ with
# uniform demand, checks the counts against those made by hand, checks that
# paths.txt and net.dat carry the same channels on every span, and that
# routeweave, linkweave, capsweep and capview take the study.
set -eu
file=$1 nodes=$2 spans=$3
fail() { echo "FAIL: $*"; exit 1; }
netimport --spare-ratio 1 --cost hops "$file" study > import.out
cd study
pairs=$((nodes * (nodes - 1) / 2))
grep -q "^nodes: .* $nodes kept" import.txt || fail "not $nodes nodes: $(grep ^nodes import.txt)"
grep -q "^links: .* $spans spans" import.txt || fail "not $spans spans: $(grep ^links import.txt)"
grep -q "^demand: uniform, $pairs pairs, $pairs channels" import.txt || fail "not $pairs pairs"
[ "$(($(wc -l < nodes.txt) - 1))" = "$nodes" ] || fail "nodes.txt does not hold $nodes nodes"
[ "$(sed -n 2p net.dat)" = "$nodes" ] && [ "$(sed -n 3p net.dat)" = "$((2 * spans))" ] || fail "net.dat counts"
[ "$(($(wc -l < paths.txt) - 1))" = "$pairs" ] || fail "paths.txt does not hold one line per pair"
[ "$(($(wc -l < spans.txt) - 5))" = "$spans" ] || fail "spans.txt does not hold $spans spans"

# Channels per span, counted from the paths and read from net.dat.
awk 'NR == FNR { if (FNR > 1) name[FNR - 1] = $2; next }
     FILENAME == "paths.txt" { if (FNR == 1) next
       for (i = 1; i < NF - 1; i++) { a = $i; b = $(i + 1); if (a > b) { t = a; a = b; b = t }; w[a " " b]++ }
       next }
     FNR > 3 { a = name[$2]; b = name[$3]; if (a > b) { t = a; a = b; b = t }
       if (w[a " " b] + 0 != $6) { print "span " a "-" b ": " w[a " " b] + 0 " paths, capacity " $6; bad = 1 }
       if ($5 != $6) { print "span " a "-" b ": spare " $5 " is not ratio 1 of " $6; bad = 1 } }
     END { exit bad }' nodes.txt paths.txt net.dat || fail "paths.txt and net.dat disagree"

routeweave nodes.txt paths.txt weave.rst 1 0.5 > routeweave.log || fail "routeweave refused paths.txt"
grep -q "^noOfPaths=$pairs$" routeweave.log || fail "routeweave read $(grep noOfPaths routeweave.log)"
grep -q "^There are $nodes nodes" routeweave.log || fail "routeweave nodes"
linkweave nodes.txt spans.txt link.rst 1 > linkweave.log || fail "linkweave refused spans.txt"
grep -q "^There are $nodes nodes, $spans spans.$" linkweave.log || fail "linkweave read $(grep 'There are' linkweave.log)"

capsweep nodes.txt net.dat 3 > capsweep.log || fail "capsweep"
[ "$(($(wc -l < net.out) - 3))" = "$spans" ] || fail "net.out does not hold a row per span"
capview nodes.txt net.dat net.out study.html > summary.txt || fail "capview"
grep -q "spans cut  *$spans$" summary.txt || fail "capview: $(grep 'spans cut' summary.txt)"
