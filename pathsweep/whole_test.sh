#!/usr/bin/env bash
# whole_test.sh BIN_DIR TEST_BIN_DIR SOURCE_DIR: pathsweep as a whole program.
# - Abilene from the Topology Zoo (netimport, capplan's span plan): span,
#   node and group scenarios with and without stub release, a limit on
#   spans, the bound and availability; every routes file checked by
#   pathsweep_audit, a checker written apart from the program;
# - -j 1, -j 2 and -j 0 write the same table, summary, CSV and routes;
#   --progress writes progress lines to standard error only;
# - a group of one span gives that span's row; with --stub-release no bound
#   falls;
# - span restoration as a special case: the shipped NSFNET and Europe
#   examples with every working channel a path of one span: each span's
#   restored figure equals what capsweep (with relax) restores for it.
set -u
bin=$(cd "$1" && pwd)
tests=$(cd "$2" && pwd)
src=$(cd "$3" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/pathsweep_whole.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$bin"/netimport "$src"/examples/Abilene.gml ab > /dev/null 2>&1 || fail "netimport of Abilene failed"
cd ab || exit 1
"$bin"/capplan nodes.txt net.dat planned.dat > plan.txt || fail "capplan of Abilene failed"
# Groups: three ducts by hand, and one group per span named g<k>.
{
  echo "shared-risk groups of Abilene"
  echo "west Seattle-Sunnyvale Seattle-Denver"
  echo "south Houston-Atlanta Los_Angeles-Houston Kansas_City-Houston"
  echo "east New_York-Washington_DC Chicago-New_York"
  awk 'NR == FNR { if (FNR > 1) name[$1] = $2; next }
       FNR > 3 && (FNR - 4) % 2 == 0 { print "g" (FNR - 2) / 2, name[$2] "-" name[$3] }' nodes.txt planned.dat
} > groups.txt

run() {  # run NAME OPTIONS...: pathsweep on the plan into NAME.ps, its routes checked
  local name=$1; shift
  "$bin"/pathsweep --fail spans,nodes,groups --groups groups.txt --csv $name.csv --routes $name.routes "$@" \
    nodes.txt planned.dat paths.txt $name.ps > $name.summary 2> $name.err || { fail "$name: pathsweep failed: $(cat $name.err)"; return; }
  "$tests"/pathsweep_audit nodes.txt planned.dat paths.txt $name.ps $name.routes > $name.audit ||
    fail "$name: the audit refused the routes: $(cat $name.audit)"
}
run plain
run stub --stub-release
run short --max-spans 3
run bound --bound --cut-rate 2 --node-rate 0.5
run stub_bound --bound --stub-release
run short_bound --bound --max-spans 3 --stub-release
grep -q '^  R node ' plain.summary || fail "no R line for nodes"
grep -q '^  R group ' plain.summary || fail "no R line for groups"
# 14 spans, 11 nodes, 17 groups.
[ "$(grep -vc '^#' plain.ps)" = 42 ] || fail "expected 42 rows"

# Threads: the same files.
for opts in "" "--bound --stub-release --cut-rate 2 --node-rate 0.5"; do
  run one -j 1 $opts
  for j in 2 0; do
    run many -j $j $opts
    for f in ps summary csv routes; do cmp -s one.$f many.$f || fail "-j $j: the $f differs ($opts)"; done
  done
done
run progress --progress -j 2
grep -qv '^pathsweep: [0-9]* of [0-9]* scenarios ([0-9]*%), [0-9]* s$' progress.err && fail "--progress wrote other lines"
cmp -s plain.ps progress.ps || fail "--progress changed the table"

# A group of one span: the span's row.
awk '$1 == "span" { row["g" $2] = $3 " " $4 " " $5 " " $6 } $1 == "group" && ($2 in row) { if (row[$2] != $3 " " $4 " " $5 " " $6) bad = bad " " $2; n++ }
     END { if (n != 14 || bad != "") { print "groups of one span differ:" bad " (" n " compared)"; exit 1 } }' stub_bound.ps ||
  fail "a group of one span differs from its span"
# Stub release never lowers a bound.
paste <(grep -v '^#' bound.ps) <(grep -v '^#' stub_bound.ps) |
  awk -F'\t' '{ split($1, a, " +"); split($2, b, " +"); if (b[6] + 0 < a[6] - 1e-9) { print a[1], a[2]; bad = 1 } } END { exit bad }' ||
  fail "stub release lowered a bound"
# Restored never exceeds the bound, and a limit on spans never raises it.
awk '$1 !~ /^#/ && $5 > $6 + 0 { print; bad = 1 } END { exit bad }' bound.ps || fail "restored above the bound"
paste <(grep -v '^#' stub_bound.ps) <(grep -v '^#' short_bound.ps) |
  awk -F'\t' '{ split($1, a, " +"); split($2, b, " +"); if (b[6] + 0 > a[6] + 1e-9) { print a[1], a[2]; bad = 1 } } END { exit bad }' ||
  fail "a limit on spans raised a bound"
cd "$work" || exit 1

# Span restoration: one path per working channel, one span long.
for net in nsfnet europe; do
  mkdir $net && cd $net || exit 1
  cp "$src"/examples/${net}_nodes.txt "$src"/examples/$net.dat .
  awk 'NR == FNR { if (FNR > 1) name[$1] = $2; next }
       FNR == 1 { print "one path per working channel, one span long" }
       FNR > 3 && (FNR - 4) % 2 == 0 { for (c = 0; c < $6; c++) print name[$2], name[$3], 45 }' ${net}_nodes.txt $net.dat > paths.txt
  "$bin"/pathsweep --routes $net.routes ${net}_nodes.txt $net.dat paths.txt $net.ps > /dev/null || fail "$net: pathsweep failed"
  "$tests"/pathsweep_audit ${net}_nodes.txt $net.dat paths.txt $net.ps $net.routes > audit.log ||
    fail "$net: the audit refused the routes: $(cat audit.log)"
  "$bin"/capsweep -s -j 1 ${net}_nodes.txt $net.dat 3 > /dev/null || fail "$net: capsweep failed"
  capsweep=$(awk '/^ *[0-9]+ / && NF >= 10 && $4 > 0 { print $1, $6 }' $net.out)
  mine=$(awk '$1 == "span" && $3 > 0 { print $2, $5 }' $net.ps)
  [ -n "$mine" ] && [ "$mine" = "$capsweep" ] || fail "$net: span restoration differs from capsweep's"
  cd "$work" || exit 1
done

[ "$failures" = 0 ] && echo "pathsweep: all whole-program checks passed"
exit $(( failures > 0 ))
