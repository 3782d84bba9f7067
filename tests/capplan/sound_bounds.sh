#!/bin/sh
# sound_bounds.sh FILE...: every capplan summary in the files claims no more
# than it proved: its lower bound is not above its cost, "(optimal" marks
# exactly a bound that meets the cost, and the gap is the cost's distance
# from the bound in percent of it ("-" for a bound of 0 under a cost above 0).
status=0
for file in "$@"; do
  awk -v file="$file" '
    function fail(what) { print file ": " what; bad = 1 }
    $1 == "cost" { cost = $2; have = 1 }
    $1 == "lower" && $2 == "bound" {
      bound = $3; optimal = index($0, "(optimal") > 0
      if (bound + 0 > cost + 0) fail("lower bound " bound " above the cost " cost)
      if (optimal != (bound + 0 == cost + 0)) fail("\"optimal\" on a bound of " bound " and a cost of " cost)
    }
    $1 == "gap" {
      if (bound + 0 == 0) want = (cost + 0 == 0) ? "0.00%" : "-"
      else want = sprintf("%.2f%%", 100 * (cost - bound) / bound)
      if ($2 != want) fail("gap " $2 ", not " want)
      summaries++
    }
    END { if (!have || summaries == 0) fail("no summary"); exit bad }' "$file" || status=1
done
exit $status
