#!/usr/bin/env bash
# Sets up, builds, and runs capsweep with the toolkit's own solver relax on
# the NSFNET example network in a scratch folder (run/), leaving the inputs
# in examples/ untouched.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
# The programs only; the test script builds the tests.
BUILD_TARGETS="capsweep relax halvane morwick routeweave linkweave unpairer capview" \
  bash "$root/scripts/build.sh" "$root/build" > "$root/build.log" 2>&1 || { cat "$root/build.log"; exit 1; }
export PATH="$root/build/bin:$PATH"
rm -rf "$root/run" && mkdir -p "$root/run" && cd "$root/run"
cp "$root/examples/nsfnet_nodes.txt" "$root/examples/nsfnet.dat" .
capsweep -s nsfnet_nodes.txt nsfnet.dat 3 > capsweep.log
echo "--- results table, run/nsfnet.out (one row per span cut):"
cat nsfnet.out
echo "--- path reports, one per cut, in run/nsfnet.dat.ls/; run/nsfnet.dat.ls/WA_CA1cut.l:"
cat nsfnet.dat.ls/WA_CA1cut.l
echo "--- capsweep's own lines (statistics, progress): run/capsweep.log"
