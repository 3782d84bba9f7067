#!/usr/bin/env bash
# jobs_test.sh BIN_DIR EXAMPLES_DIR: capsweep -j 1 and -j 2 write what a run
# without -j writes with relax on PATH (times aside): the results table, the
# path reports and standard output, for every strategy, with and without -s
# and -d, on both shipped examples and on a generated network whose costs,
# spares, demands and node numbers outgrow the three columns of RELAX.INP.
# The runs with -j find no relax on PATH and must leave no exchange file.
#
# jobs_test.sh BIN_DIR EXAMPLES_DIR quarter runs a quarter of the
# combinations (for the slow sanitized build): every network with every
# strategy once and with every flag set once, each with -j 1 and -j 2.
set -u
bin=$(cd "$1" && pwd)
examples=$(cd "$2" && pwd)
share=${3:-every}
case $share in every|quarter) ;; *) echo "unknown share '$share': every or quarter"; exit 2 ;; esac
work=$(mktemp -d "${TMPDIR:-/tmp}/capsweep_jobs.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0 runs=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The wide network: 1,040 nodes of which 40 (1..8 and 1001..1032) carry
# spans; costs are kilometres (300 to 2,900), spares and capacities up to 480.
(cd "$work" && awk 'BEGIN {
  n = 1040; print "wide_nodes.txt" > "wide_nodes.txt"
  for (k = 1; k <= n; k++) printf "%d W%d 0.000000 0.000000\n", k, k > "wide_nodes.txt"
  for (i = 0; i < 40; i++) used[i] = i < 8 ? i + 1 : 993 + i
  r = 0; seed = 7
  for (i = 0; i < 40; i++) for (s = 1; s <= 1; s++) {
    j = (i + s * 3 + (i % 5)) % 40; if (j == i) continue
    seed = (seed * 1103515245 + 12345) % 2147483648; cost = 300 + seed % 2600
    seed = (seed * 1103515245 + 12345) % 2147483648; spare = 40 + seed % 440
    seed = (seed * 1103515245 + 12345) % 2147483648; cap = 60 + seed % 420
    line[++r] = used[i] " " used[j] " " cost " " spare " " cap
    line[++r] = used[j] " " used[i] " " cost " " spare " " cap
  }
  print 1 > "wide.dat"; print n > "wide.dat"; print r > "wide.dat"
  for (k = 1; k <= r; k++) print k, line[k] > "wide.dat"
}' /dev/null)

# Times masked: the elapsed and CPU values on standard output, the two time
# columns of every row and the running totals of the trial rows.
mask_out() { sed -E 's/(elapsed_time|cpu_time) = [0-9.]+\./\1 = T./' "$1"; }
mask_table() { sed -E 's/[0-9]+\.[0-9]{6}  +[0-9]+\.[0-9]{6}/T T/g' "$1"; }

run() {  # run DIR NAME STRATEGY OPTIONS...: one capsweep run in a fresh DIR
  local dir=$1 name=$2 strategy=$3 path=$4; shift 4
  mkdir -p "$dir"
  if [ -f "$examples/$name.dat" ]; then
    cp "$examples/${name}_nodes.txt" "$examples/$name.dat" "$dir/"
  else
    cp "$work/${name}_nodes.txt" "$work/$name.dat" "$dir/"
  fi
  (cd "$dir" && PATH=$path "$bin/capsweep" "$@" "${name}_nodes.txt" "$name.dat" "$strategy" > stdout 2> stderr
   echo $? > status)
  mask_out "$dir/stdout" > "$dir/stdout.masked"
  mask_table "$dir/$name.out" > "$dir/table.masked"
}

network=0
for name in nsfnet europe wide; do
  network=$((network + 1))
  for strategy in 1 2 3 4; do
    flag_set=0
    for flags in "" -s -d -sd; do
      flag_set=$((flag_set + 1))
      # The quarter keeps wide.4, which the check after the loop reads.
      [ "$share" = quarter ] && [ $(((network + strategy + flag_set) % 4)) != 0 ] && continue
      case=$name.$strategy$flags
      run "$work/$case/plain" "$name" "$strategy" "$bin:$PATH" $flags
      case $flags in
        *s*) ;;
        *) grep -q '^relax: \|may be\.relax: ' "$work/$case/plain/stdout" || fail "$case: relax printed nothing" ;;
      esac
      for jobs in 1 2; do
        got=$work/$case/j$jobs
        run "$got" "$name" "$strategy" /usr/bin:/bin -j "$jobs" $flags
        runs=$((runs + 1))
        want=$work/$case/plain
        cmp -s "$want/status" "$got/status" || fail "$case -j $jobs: exit status $(cat "$got/status")"
        cmp -s "$want/stdout.masked" "$got/stdout.masked" ||
          { fail "$case -j $jobs: standard output differs"; diff "$want/stdout.masked" "$got/stdout.masked" | head -5; }
        cmp -s "$want/table.masked" "$got/table.masked" ||
          { fail "$case -j $jobs: results table differs"; diff "$want/table.masked" "$got/table.masked" | head -5; }
        diff -r "$want/$name.dat.ls" "$got/$name.dat.ls" > /dev/null ||
          fail "$case -j $jobs: path reports differ"
        for f in RELAX.INP TEMP.OUT PATH.OUT PATH.L; do
          [ -e "$got/$f" ] && fail "$case -j $jobs: $f left behind"
        done
      done
      [ "$(ls "$work/$case/plain/$name.dat.ls" | wc -l)" -gt 0 ] || fail "$case: no path report at all"
    done
  done
done
# The wide network does need the blanks of RELAX.INP: costs of four digits
# next to spares of three, and node numbers above 999.
grep -q '^[0-9]* 10[0-9][0-9] ' "$work/wide.4/plain/RELAX.INP" || fail "wide: no RELAX.INP line with a wide node number"

echo "$((runs - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
