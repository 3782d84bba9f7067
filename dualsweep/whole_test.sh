#!/usr/bin/env bash
# whole_test.sh BIN_DIR EXAMPLES_DIR: dualsweep as a whole program on the
# shipped examples:
# - what each span's cut alone restores equals capsweep -j's Poss Restore,
#   for every strategy, and so does r_i of every pair whose other span
#   carries neither spare nor working channels;
# - -j 1, -j 2 and -j 0 write the same table, summary and CSV;
# - the tables of --slice K/N, gathered, equal the whole run's byte for
#   byte, with the same summary and CSV;
# - capplan's plan of NSFNET restores every single cut (R1 = 100%), and its
#   table holds the plan's spans, with R2 the average of its rows' R_ij and
#   no pair restoring more than its bound;
# - a netdata file that is not bidirectional is refused and nothing is
#   written.
set -u
bin=$(cd "$1" && pwd)
examples=$(cd "$2" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/dualsweep_whole.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
cp "$examples"/nsfnet_nodes.txt "$examples"/nsfnet.dat "$examples"/europe_nodes.txt "$examples"/europe.dat .

# The Poss Restore column of capsweep's results table, one line per span.
capsweep_restored() { awk '/^ *[0-9]+ / && NF >= 10 { print $1, $6 }' "$1"; }
# The restored figure of each span line of a dualsweep table.
dual_restored() { awk '$1 == "#" && $2 == "span" { print $3, $9 }' "$1"; }

for net in nsfnet europe; do
  "$bin"/dualsweep ${net}_nodes.txt $net.dat $net.dual > $net.summary || fail "$net: dualsweep failed"
  for strategy in 1 2 3 4; do
    "$bin"/capsweep -s -j 1 ${net}_nodes.txt $net.dat $strategy > /dev/null || fail "$net: capsweep $strategy failed"
    [ "$(capsweep_restored $net.out)" = "$(dual_restored $net.dual)" ] ||
      fail "$net: single cuts differ from capsweep strategy $strategy"
  done
done

# NSFNET with a 22nd span, 1-14, that carries nothing: both cut, r_i of
# every pair (i, 22) is what capsweep restores for i alone.
awk 'NR == 3 { print $0 + 2; next } { print } END { print "43 1 14 5 0 0"; print "44 14 1 5 0 0" }' nsfnet.dat > idle.dat
"$bin"/dualsweep nsfnet_nodes.txt idle.dat idle.dual > /dev/null || fail "idle: dualsweep failed"
"$bin"/capsweep -s -j 1 nsfnet_nodes.txt nsfnet.dat 3 > /dev/null
pairs=$(awk '$1 !~ /^#/ && $2 == 22 { print $1, $5 }' idle.dual)
[ "$(echo "$pairs" | wc -l)" = 21 ] || fail "idle: expected 21 pairs with span 22"
[ "$pairs" = "$(capsweep_restored nsfnet.out)" ] || fail "idle: r_i with an idle second span differs from capsweep"

# Any number of threads, the same files; slices gathered, the same again.
for opts in "" "--bound --cut-rate 2.0"; do
  "$bin"/dualsweep $opts --csv whole.csv -j 1 nsfnet_nodes.txt nsfnet.dat whole.dual > whole.summary || fail "-j 1 failed"
  for j in 2 0; do
    "$bin"/dualsweep $opts --csv j.csv -j $j nsfnet_nodes.txt nsfnet.dat j.dual > j.summary || fail "-j $j failed"
    cmp -s whole.dual j.dual && cmp -s whole.summary j.summary && cmp -s whole.csv j.csv || fail "-j $j differs ($opts)"
  done
  # Progress lines go to standard error alone: the files and the summary stay.
  "$bin"/dualsweep $opts --progress --csv j.csv -j 2 nsfnet_nodes.txt nsfnet.dat j.dual > j.summary 2> progress.log ||
    fail "--progress failed"
  cmp -s whole.dual j.dual && cmp -s whole.summary j.summary && cmp -s whole.csv j.csv || fail "--progress differs ($opts)"
  grep -qv '^dualsweep: [0-9]* of [0-9]* pairs ([0-9]*%), [0-9]* s$' progress.log && fail "--progress wrote other lines"
  for n in 1 3 7; do
    slices=()
    for k in $(seq 1 $n); do
      "$bin"/dualsweep $opts -j 2 --slice $k/$n nsfnet_nodes.txt nsfnet.dat slice$k.dual > slice$k.log ||
        fail "slice $k/$n failed"
      slices+=(slice$k.dual)
    done
    "$bin"/dualsweep --gather --csv gathered.csv gathered.dual $(printf '%s\n' "${slices[@]}" | sort -r) > gathered.summary ||
      fail "gather of $n failed"
    cmp -s whole.dual gathered.dual || fail "gathered table of $n slices differs ($opts)"
    cmp -s whole.summary gathered.summary || fail "gathered summary of $n slices differs ($opts)"
    cmp -s whole.csv gathered.csv || fail "gathered CSV of $n slices differs ($opts)"
  done
  # A slice missing, or given twice: refused, nothing written.
  rm -f none.dual
  "$bin"/dualsweep --gather none.dual slice1.dual slice2.dual slice3.dual slice4.dual slice5.dual slice6.dual \
    2> missing.err && fail "a gather without slice 7/7 was accepted"
  grep -q 'slice 7/7 is missing' missing.err || fail "missing slice: $(cat missing.err)"
  "$bin"/dualsweep --gather none.dual slice1.dual slice1.dual 2> twice.err && fail "a slice given twice was accepted"
  [ -e none.dual ] && fail "a refused gather wrote its table"
done

# capplan's plan of NSFNET: every single cut restored in full. Its optimum
# need not be unique, so R2 is checked against the table of the plan
# written, not against a figure.
"$bin"/capplan nsfnet_nodes.txt nsfnet.dat planned.dat > /dev/null || fail "capplan failed"
"$bin"/dualsweep --bound nsfnet_nodes.txt planned.dat planned.dual > planned.summary || fail "dualsweep of the plan failed"
grep -qx '  R1           100.00%' planned.summary || fail "plan: R1 is not 100%: $(grep R1 planned.summary)"
# The span lines hold the plan's working (records 2k-1), every row its pair.
[ "$(awk '$1 == "#" && $2 == "span" { print $3, $7 }' planned.dual)" = \
  "$(awk 'NR > 3 && NR % 2 == 0 { print (NR - 2) / 2, $6 }' planned.dat)" ] || fail "plan: span lines differ from planned.dat"
[ "$(grep -vc '^#' planned.dual)" = 210 ] || fail "plan: expected 210 pairs"
r2=$(awk '$1 !~ /^#/ { s += 100 * ($5 + $6) / ($3 + $4); n++ } END { printf "%.2f%%", s / n }' planned.dual)
grep -qx "  R2 *$r2" planned.summary || fail "plan: R2 is not the average of the rows' R_ij ($r2): $(grep R2 planned.summary)"
awk '$1 !~ /^#/ && $5 + $6 > $NF + 1e-9 { exit 1 }' planned.dual || fail "plan: a pair restores more than its bound"

# Not bidirectional: refused with the line, status 1, nothing written.
printf '0\n3\n2\n1 1 2 5 2 7\n2 2 1 5 2 7\n' > one_way.dat
"$bin"/dualsweep nsfnet_nodes.txt one_way.dat one_way.dual > one_way.out 2> one_way.err
[ $? = 1 ] || fail "one_way: status"
[ "$(cat one_way.err)" = "dualsweep: one_way.dat:1: not a bidirectional netdata file: dualsweep cuts spans, records in pairs" ] ||
  fail "one_way: $(cat one_way.err)"
[ -e one_way.dual ] && fail "one_way: the table was written"
[ -s one_way.out ] && fail "one_way: something was printed"

[ $failures = 0 ] && echo "all dualsweep whole-program checks passed"
exit $((failures > 0))
