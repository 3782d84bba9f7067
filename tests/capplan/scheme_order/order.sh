#!/bin/sh
# order.sh LIMIT GML...: on each network, imported by netimport with uniform
# demand and km costs, every scheme planned for span cuts and for node
# failures, and the order the models imply checked by certificate: A costs
# no more than B when A's lower bound is not above B's cost, whatever the
# time limit left of either search. Shared backup paths and 1+1 plan the
# paths a backup can protect; the path-restorable plans are made for those
# same paths (the path list without the unprotected lines), so that a
# backup plan is one of theirs. For span cuts, a span-restorable plan is a
# path-restorable plan with stub release of the whole path list.
limit=$1
shift
cost() { awk '$1 == "cost" { print $2 }' "$1"; }
bound() { awk '$1 == "lower" && $2 == "bound" { print $3 }' "$1"; }
status=0
# at_most A B WHAT: A's lower bound is not above B's cost.
at_most() {
  if [ "$(bound "$1")" -gt "$(cost "$2")" ]; then
    echo "$net: $3: lower bound $(bound "$1") of $1 above the cost $(cost "$2") of $2"
    status=1
  fi
}
plan() {  # plan LOG CAPPLAN-ARGUMENTS...: capplan, planned and proved (status 0 or 2)
  log=$1
  shift
  capplan --time-limit "$limit" "$@" > "$log" 2>&1
  code=$?
  if [ $code -ne 0 ] && [ $code -ne 2 ]; then echo "$net: capplan $* ended with status $code"; cat "$log"; status=1; fi
  sh "$CASE/../sound_bounds.sh" "$log" || status=1
}
for gml in "$@"; do
  net=$(basename "$gml" .gml)
  netimport --cost km "$gml" "$net" > "$net.import" 2>&1 || { echo "$net: netimport failed"; status=1; continue; }
  cd "$net" || exit 1
  for fail in spans nodes; do
    set -- --fail "$fail" nodes.txt net.dat
    plan "sbpp_$fail.log" --method sbpp --paths paths.txt --backups "sbpp_$fail.paths" "$@" "sbpp_$fail.dat"
    plan "dedicated_$fail.log" --method dedicated --paths paths.txt "$@" "dedicated_$fail.dat"
    # The lines of the paths no backup protects, left out.
    drop=" $(awk -F'[: ]' '$1 == "unprotected" { print $4 }' "sbpp_$fail.log" | tr '\n' ' ') "
    awk -v drop="$drop" 'index(drop, " " FNR " ") == 0' paths.txt > "protected_$fail.txt"
    plan "path_$fail.log" --method path --paths "protected_$fail.txt" "$@" "path_$fail.dat"
    plan "stub_$fail.log" --method path --stub-release --paths "protected_$fail.txt" "$@" "stub_$fail.dat"
    at_most "stub_$fail.log" "path_$fail.log" "path with stub release <= path ($fail)"
    at_most "path_$fail.log" "sbpp_$fail.log" "path <= sbpp ($fail)"
    at_most "sbpp_$fail.log" "dedicated_$fail.log" "sbpp <= dedicated ($fail)"
  done
  plan stub_all.log --method path --stub-release --paths paths.txt nodes.txt net.dat stub_all.dat
  plan span.log nodes.txt net.dat span.dat
  at_most stub_all.log span.log "path with stub release <= span restoration (spans)"
  cd .. || exit 1
done
exit $status
