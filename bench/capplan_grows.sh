#!/usr/bin/env bash
# capplan_grows.sh [BUILD_DIR]: how capplan's span-restorable plan grows with
# the network, over arc flows, over restoration routes grown by column
# generation and over cut rows grown by row generation (--model
# arc|path|cut), on the made meshes of capplan_bench
# (--write N 1), unit cost. Each run is timed with GNU time: wall and CPU
# seconds, peak memory; its cost, lower bound and gap are the summary's.
#   First the crossover: 50-, 75-, 100- and 150-node meshes under a limit of
#   CAPPLAN_GROWS_SMALL_LIMIT seconds (default 120), every model.
#   Then the growth: 100 and 300 nodes under 60 s, 1,000 nodes under
#   CAPPLAN_GROWS_LARGE_LIMIT seconds (default 600), every model (the arc
#   model, main's only one before, is not run on 1,000 nodes: its 7 million
#   flow columns are out of reach).
#   CAPPLAN_GROWS_SIZES (default "100 300 1000") picks the growth's sizes;
#   CAPPLAN_GROWS_MODELS (default "arc path cut") the models run;
#   CAPPLAN_GROWS_CROSSOVER=0 skips the crossover.
# Not part of the test suite. The machine may be shared: its load is shown.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
capplan=$build/bin/capplan
bench=$build/bench/capplan_bench
[ -x "$capplan" ] && [ -x "$bench" ] || { echo "build capplan and capplan_bench first ($build)"; exit 1; }
[ -x /usr/bin/time ] || { echo "GNU time is needed (Debian package time)"; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/capplan_grows.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

# run NODES MODEL LIMIT: one plan of the NODES-node mesh; prints its row.
run() {
  local status=0
  /usr/bin/time -f "%e %U %S %M" -o time.txt "$capplan" --cost unit --model "$2" --time-limit "$3" \
    mesh$1_nodes.txt mesh$1.dat planned.dat > plan.txt || status=$?
  [ "$status" = 0 ] || [ "$status" = 2 ] || { echo "capplan failed on mesh$1 ($2)" >&2; cat plan.txt >&2; exit 1; }
  read -r wall user sys kb <<< "$(tail -1 time.txt)"  # after a line on a status other than 0
  awk -v n="$1" -v model="$2" -v limit="$3" -v w="$wall" -v c="$(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }')" \
      -v m="$((kb / 1024))" -v load="$(cut -d' ' -f1 /proc/loadavg)" '
    $1 == "cost" { cost = $2 }
    $1 == "lower" { bound = $3; optimal = $4 == "(optimal)" }
    $1 == "gap" { gap = $2 }
    /^  \(the linear program over restoration routes stopped/ { lagrange = 1 }
    /^  \(the linear program over cut rows stopped/ { rows = 1 }
    /^  \(the linear program was not solved/ { nolp = 1 }
    END {
      how = optimal ? "optimal" : lagrange ? "Lagrangian bound" : rows ? "rows found" : nolp ? "no LP" : "LP bound"
      printf "| %5d | %-4s | %5d s | %8.1f s | %8.1f s | %6d MiB | %10d | %10d | %7s | %-16s | %4.2f |\n",
             n, model, limit, w, c, m, cost, bound, gap, how, load }' plan.txt
}

header() {
  echo "| nodes | LP   | limit | wall       | CPU        | peak       | cost       | bound      | gap     | bound is         | load |"
  echo "|-------|------|-------|------------|------------|------------|------------|------------|---------|------------------|------|"
}

models=${CAPPLAN_GROWS_MODELS:-arc path cut}
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"
if [ "${CAPPLAN_GROWS_CROSSOVER:-1}" != 0 ]; then
  echo "crossover (limit ${CAPPLAN_GROWS_SMALL_LIMIT:-120} s):"
  header
  for n in 50 75 100 150; do
    "$bench" --write "$n" 1 mesh$n > /dev/null
    for model in $models; do run "$n" "$model" "${CAPPLAN_GROWS_SMALL_LIMIT:-120}"; done
  done
  echo
fi
echo "how it grows:"
header
for n in ${CAPPLAN_GROWS_SIZES:-100 300 1000}; do
  "$bench" --write "$n" 1 mesh$n > /dev/null
  limit=60
  [ "$n" -lt 1000 ] || limit=${CAPPLAN_GROWS_LARGE_LIMIT:-600}
  for model in $models; do
    [ "$n" -ge 1000 ] && [ "$model" = arc ] && continue
    run "$n" "$model" "$limit"
  done
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
