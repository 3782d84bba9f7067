#!/usr/bin/env bash
# netimport_bench.sh [BUILD_DIR]: times netimport on a generated Zoo-like
# network of 754 nodes (the size of the Zoo's largest) and about 900 links,
# written as the Zoo writes GML: random located nodes over a continent, each
# joined to its nearest earlier node (so the graph is connected) and some to
# a second near one. Uniform demand, so every one of the 283,881 pairs is
# routed and written to paths.txt. Not part of the test suite.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
netimport=$build/bin/netimport
[ -x "$netimport" ] || { echo "netimport_bench: build netimport first ($netimport)"; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/netimport_bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

awk -v n=754 -v extra=146 'BEGIN {
  srand(754)
  print "graph [\n  directed 0\n  multigraph 1\n  Network \"Generated\"\n  label \"Generated\""
  for (i = 0; i < n; i++) {
    lat[i] = 25 + 24 * rand(); lon[i] = -125 + 58 * rand()
    printf "  node [\n    id %d\n    label \"City %d, &quot;%c&quot; S\303\243o\"\n    Country \"Somewhere\"\n", i, i % 500, 65 + i % 26
    printf "    Longitude %.5f\n    Internal 1\n    Latitude %.5f\n  ]\n", lon[i], lat[i]
  }
  for (i = 1; i < n; i++) {
    best = -1; second = -1
    for (j = 0; j < i; j++) {
      d = (lat[i] - lat[j]) ^ 2 + (lon[i] - lon[j]) ^ 2
      if (best < 0 || d < bd) { second = best; sd = bd; best = j; bd = d } else if (second < 0 || d < sd) { second = j; sd = d }
    }
    printf "  edge [\n    source %d\n    target %d\n    LinkType \"Fiber\"\n  ]\n", best, i
    if (second >= 0 && rand() < extra / (n - 2)) printf "  edge [\n    source %d\n    target %d\n  ]\n", i, second
  }
  print "]"
}' > zoo754.gml
links=$(grep -c 'edge \[' zoo754.gml)
echo "zoo754.gml: 754 nodes, $links links, $(wc -c < zoo754.gml) bytes"
for run in 1 2 3; do
  rm -rf study
  TIMEFORMAT="run $run: %R s elapsed, %U s user, %S s system"
  { time "$netimport" zoo754.gml study > /dev/null 2> run.err; } 2>&1
done
sed -n 2,9p study/import.txt
ls -l study | awk 'NR > 1 { print "  " $5 " bytes  " $9 }'
