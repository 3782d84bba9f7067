#!/usr/bin/env bash
# dualsweep_grows.sh [BUILD_DIR [BEFORE]]: how dualsweep --bound -j 2 grows
# with the network, on the grid meshes the other benches make (make_mesh):
# 100 nodes (10 x 10), 300 (15 x 20) and 1,000 (25 x 40). Each run is timed
# with GNU time: wall and CPU seconds, peak memory.
#   A run is whole, or one slice of the pairs (--slice 1/N, every N-th pair
#   from the first) when the whole would take too long; a slice's times are
#   scaled by N to the whole run, its memory is the slice's own.
#   BEFORE, another dualsweep binary (one built from an earlier commit), is
#   timed the same way beside BUILD_DIR's, and each of its tables is
#   compared byte for byte (less the version line) with BUILD_DIR's table of
#   the same slice.
#   Slices per size: DUALSWEEP_GROWS_SLICES (default "1 1 1", all whole) for
#   BUILD_DIR's dualsweep, DUALSWEEP_GROWS_BEFORE_SLICES (default
#   "1 20 1000") for BEFORE.
# Not part of the test suite. The machine may be shared: its load is shown.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
after=$build/bin/dualsweep
before=${2:-}
[ -x "$after" ] || { echo "build dualsweep first ($build/bin)"; exit 1; }
[ -z "$before" ] || [ -x "$before" ] || { echo "$before: no program"; exit 1; }
[ -x /usr/bin/time ] || { echo "GNU time is needed (Debian package time)"; exit 1; }
read -r -a slices <<< "${DUALSWEEP_GROWS_SLICES:-1 1 1}"
read -r -a before_slices <<< "${DUALSWEEP_GROWS_BEFORE_SLICES:-1 20 1000}"
work=$(mktemp -d "${TMPDIR:-/tmp}/dualsweep_grows.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
source "$root/bench/mesh_helpers.sh"

# timed PROGRAM MESH N TABLE: runs PROGRAM --bound -j 2 on MESH, whole when N
# is 1, else slice 1/N; prints "pairs wall cpu MiB" of that run.
timed() {
  local slice=()
  [ "$3" = 1 ] || slice=(--slice "1/$3")
  /usr/bin/time -f "%e %U %S %M" -o time.txt "$1" --bound -j 2 "${slice[@]}" "$2"_nodes.txt "$2".dat "$4" > run.log ||
    { echo "$1 failed on $2" >&2; exit 1; }
  read -r wall user sys kb < time.txt
  echo "$(grep -cv '^#' "$4") $wall $(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }') $((kb / 1024))"
}

# row NAME N PAIRS WALL CPU MIB: one line of the table.
row() {
  awk -v name="$1" -v n="$2" -v p="$3" -v w="$4" -v c="$5" -v m="$6" 'BEGIN {
    part = n == 1 ? "whole" : sprintf("slice 1/%d, %d pairs", n, p)
    printf "   %-7s %-24s %9.1f s %9.1f s CPU %5d MiB   whole run: %9.0f s, %9.0f s CPU\n",
           name, part, w, c, m, w * n, c * n }'
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
size=0
for mesh in "100 10 10" "300 15 20" "1000 25 40"; do
  set -- $mesh
  make_mesh mesh$1 "$2" "$3"
  spans=$(awk 'NR == 3 { print $1 / 2 }' mesh$1.dat)
  echo "$1 nodes, $spans spans, $((spans * (spans - 1) / 2)) pairs, --bound -j 2 (load $(cut -d' ' -f1 /proc/loadavg)):"
  n=${slices[$size]}
  read -r pairs wall cpu mib <<< "$(timed "$after" mesh$1 "$n" after.dual)"
  row after "$n" "$pairs" "$wall" "$cpu" "$mib"
  awk '$1 == "below" { sub(/^\(/, "", $5); print "           " $4, "pairs below the bound,", $5, "channels short in all" }' run.log
  if [ -n "$before" ]; then
    bn=${before_slices[$size]}
    read -r pairs wall cpu mib <<< "$(timed "$before" mesh$1 "$bn" before.dual)"
    row before "$bn" "$pairs" "$wall" "$cpu" "$mib"
    if [ "$bn" != "$n" ]; then
      timed "$after" mesh$1 "$bn" after.dual > /dev/null
    fi
    if cmp -s <(grep -v '^# written by' before.dual) <(grep -v '^# written by' after.dual); then
      echo "           the two tables of those pairs are the same"
    else
      echo "           the two tables of those pairs DIFFER"
    fi
  fi
  size=$((size + 1))
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
