#!/usr/bin/env bash
# Sets up, builds, and runs in a scratch folder (run/), leaving the inputs in
# examples/ untouched: the path from a network file to a restorability study
# (netimport, capsweep with the toolkit's own solver relax, capview) on the
# Abilene network from the Internet Topology Zoo, then capsweep on the NSFNET
# example.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
# The programs only; the test script builds the tests.
BUILD_TARGETS="netimport capsweep relax halvane morwick routeweave linkweave unpairer capview" \
  bash "$root/scripts/build.sh" "$root/build" > "$root/build.log" 2>&1 || { cat "$root/build.log"; exit 1; }
export PATH="$root/build/bin:$PATH"
rm -rf "$root/run" && mkdir -p "$root/run" && cd "$root/run"

# A network file -> netimport -> a study folder -> capsweep -> capview.
echo "--- netimport --spare-ratio 1 Abilene.gml abilene (what it decided: run/abilene/import.txt)"
cp "$root/examples/Abilene.gml" .
netimport --spare-ratio 1 Abilene.gml abilene 2> abilene.notes
# (The planner capplan, giving the least spare that restores every cut in full, belongs here.)
(cd abilene && capsweep -s nodes.txt net.dat 3 > capsweep.log &&
  capview --csv study.csv nodes.txt net.dat net.out study.html > summary.txt)
echo "--- capview's summary, run/abilene/summary.txt (the page: run/abilene/study.html):"
head -8 abilene/summary.txt

cp "$root/examples/nsfnet_nodes.txt" "$root/examples/nsfnet.dat" .
capsweep -s nsfnet_nodes.txt nsfnet.dat 3 > capsweep.log
echo "--- results table, run/nsfnet.out (one row per span cut):"
cat nsfnet.out
echo "--- path reports, one per cut, in run/nsfnet.dat.ls/; run/nsfnet.dat.ls/WA_CA1cut.l:"
cat nsfnet.dat.ls/WA_CA1cut.l
echo "--- capsweep's own lines (statistics, progress): run/capsweep.log"
