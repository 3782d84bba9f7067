#!/usr/bin/env bash
# capplan_limit.sh BUILD_DIR [SECONDS...]: how well capplan keeps its time
# limit on a 300-node mesh (capplan_bench --write 300 1: 524 spans, unit
# cost). For each limit (5 and 30 by default) one run: its wall and CPU
# seconds, the plan's cost, lower bound and gap, whether the plan was
# proved, and whether the run ended within twice its limit (the limit, and
# as much again for a loaded machine to finish the proof). Run by hand (not
# a test); exits 1 when a run failed or overran.
set -u
build=$(cd "$1" && pwd)
shift
limits=("$@")
[ ${#limits[@]} -gt 0 ] || limits=(5 30)
work=$(mktemp -d "${TMPDIR:-/tmp}/capplan_limit.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$build/bench/capplan_bench" --write 300 1 "$work/mesh300" || exit 1
status=0
printf '%6s %8s %8s %10s %10s %8s %7s %s\n' limit wall cpu cost "lower bnd" gap proved within
for limit in "${limits[@]}"; do
  /usr/bin/time -f '%e %U %S' -o "$work/time" "$build/bin/capplan" --cost unit --time-limit "$limit" \
    "$work/mesh300_nodes.txt" "$work/mesh300.dat" "$work/plan.dat" > "$work/plan.log" 2> "$work/plan.err"
  code=$?
  read -r wall user sys < "$work/time"
  cpu=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.2f", u + s }')
  cost=$(awk '/^  cost / { print $2 }' "$work/plan.log")
  lower=$(awk '/^  lower bound / { print $3 }' "$work/plan.log")
  gap=$(awk '/^  gap / { print $2 }' "$work/plan.log")
  proved=no
  grep -q '^proved: ' "$work/plan.log" && proved=yes
  within=$(awk -v w="$wall" -v l="$limit" 'BEGIN { print (w <= 2 * l) ? "yes" : "NO" }')
  printf '%6s %8s %8s %10s %10s %8s %7s %s\n' "$limit" "$wall" "$cpu" "${cost:--}" "${lower:--}" "${gap:--}" "$proved" "$within"
  if [ $code -ne 0 ] || [ "$proved" != yes ] || [ "$within" != yes ]; then status=1; fi
done
exit $status
