#!/usr/bin/env bash
# capplan_pathscale.sh BUILD_DIR [LIMIT] [NODES...]: capplan --method path on
# the made-up networks (bench/capplan_bench --write N 1) of NODES nodes (50
# and 100 by default), each imported by netimport with uniform demand, km
# costs and no spare, for span cuts, with and without stub release, each
# with the time limit LIMIT s (60 by default). One row per plan: spare,
# redundancy, cost, lower bound, gap, routes priced in, time, peak resident
# memory (GNU time's, when /usr/bin/time is there) and capplan's status. Run
# by hand (not a test).
set -u
build=$(cd "$1" && pwd)
limit=${2:-60}
shift; [ $# -gt 0 ] && shift
sizes=("$@")
[ ${#sizes[@]} -eq 0 ] && sizes=(50 100)
src=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/capplan_pathscale.XXXXXX")
export PATH="$build/bin:$PATH"

. "$src/bench/study_helpers.sh"

field() { awk -v k="$2" 'index($0, "  " k " ") == 1 { sub(/  \(.*\)$/, ""); print $NF }' "$1"; }
row='%-8s %5s %5s %-10s %7s %10s %10s %10s %7s %7s %9s %8s %s\n'
printf "$row" network nodes spans plan spare redundancy cost "lower bnd" gap routes time memory status
for n in "${sizes[@]}"; do
  name=Made$n
  "$build/bench/capplan_bench" --write "$n" 1 "$work/made$n" || continue
  to_gml "$work/made${n}_nodes.txt" "$work/made$n.dat" > "$work/$name.gml"
  dir="$work/$name"
  netimport "$work/$name.gml" "$dir" > "$work/$name.import" 2>&1 || { echo "$name: netimport failed"; continue; }
  cd "$dir" || exit 1
  for plan in path+stub path; do
    args=(--method path --paths paths.txt)
    [ "$plan" = path+stub ] && args+=(--stub-release)
    rm -f "$plan.mem"
    timed=()
    [ -x /usr/bin/time ] && timed=(/usr/bin/time -f %M -o "$plan.mem")
    "${timed[@]}" capplan --time-limit "$limit" "${args[@]}" nodes.txt net.dat "$plan.dat" > "$plan.txt" 2> "$plan.err"
    code=$?
    memory=-
    [ -s "$plan.mem" ] && memory="$(($(tail -1 "$plan.mem") / 1024)) MiB"
    printf "$row" "$name" "$(sed -n 2p net.dat)" "$(($(sed -n 3p net.dat) / 2))" "$plan" \
      "$(field "$plan.txt" 'spare channels')" "$(field "$plan.txt" redundancy)" "$(field "$plan.txt" cost)" \
      "$(field "$plan.txt" 'lower bound')" "$(field "$plan.txt" gap)" "$(awk '/^  routes priced in/ { print $4 }' "$plan.txt")" \
      "$(awk '/^  time/ { print $2 }' "$plan.txt")s" "$memory" "$code"
    [ $code -eq 1 ] && sed 's/^/    /' "$plan.err"
  done
  cd "$src" || exit 1
done
echo "(files in $work)"
