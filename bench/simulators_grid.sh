#!/usr/bin/env bash
# simulators_grid.sh [BUILD_DIR [WORK_DIR]]: the whole four-method restoration
# experiment of grid300, a 15 x 20 grid of 300 nodes 50 miles apart (565
# spans, 10 to 20 working channels each and as many spare), built by
# linkweave from a node list and a span list and run by its master script:
# 2,260 simulator runs, process starts included. Prints the wall time. The
# folder (WORK_DIR, kept; else a temporary one) holds grid300.rst for
# simulators_bench. Not part of the test suite.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
[ -x "$build/bin/vetrun" ] || { echo "simulators_grid: build the simulators first ($build/bin)"; exit 1; }
if [ $# -ge 2 ]; then
  mkdir -p "$2" && work=$(cd "$2" && pwd)
else
  work=$(mktemp -d "${TMPDIR:-/tmp}/simulators_grid.XXXXXX")
  trap 'rm -rf "$work"' EXIT
fi
cd "$work"
rm -rf vetrun kimber ospel dunvar ./*.res
awk -v cols=15 -v rows=20 'BEGIN {
  print "grid300 nodes" > "nodes.txt"
  for (i = 1; i <= 5; i++) print "grid300 spans, title line " i > "spans.txt"
  for (r = 0; r < rows; r++)
    for (c = 0; c < cols; c++) {
      n = r * cols + c + 1
      printf "%d G%d_%d %d %d\n", n, r, c, c * 50, r * 50 > "nodes.txt"
      if (c + 1 < cols) { w = 10 + (n * 7) % 11; printf "G%d_%d G%d_%d 0 %d %d 50\n", r, c, r, c + 1, w, w > "spans.txt" }
      if (r + 1 < rows) { w = 10 + (n * 5) % 11; printf "G%d_%d G%d_%d 0 %d %d 50\n", r, c, r + 1, c, w, w > "spans.txt" }
    }
}'
PATH="$build/bin:$PATH" linkweave nodes.txt spans.txt grid300.rst 1 > linkweave.log
start=$(date +%s.%N)
PATH="$build/bin:.:$PATH" ./grid300.scr > master.log 2>&1
end=$(date +%s.%N)
runs=$(cat vetrun/*cut.l kimber/*cut.l ospel/*cut.l dunvar/*cut.l | grep -c '^summary$')
rows=$(cat grid300.*.res | grep -c '^G')
printf 'grid300: %d simulator runs, %d table rows, %.1f s for the whole experiment\n' "$runs" "$rows" "$(echo "$end - $start" | bc)"
