#!/usr/bin/env bash
# The "many studies" pattern end to end, with the real capsweep and relax:
#   run.sh BIN_DIR SOURCE_DIR
# Runs scripts/many_studies.sh over several networks in their own folders,
# two at a time, and checks the gathered table against each study's own
# CSV; then adds a broken study and checks that it is named and the others
# are still gathered.
set -u
bin_dir=$(cd "$1" && pwd)
root=$(cd "$2" && pwd)
export PATH="$bin_dir:$PATH"
work=$(mktemp -d "${TMPDIR:-/tmp}/capview-many.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
fail() { echo "FAIL: $*"; exit 1; }

add_study() {  # add_study NAME NODE_LIST NETDATA
  mkdir -p "studies/$1" && cp "$2" "studies/$1/nodes.txt" && cp "$3" "studies/$1/net.dat"
}
add_study five "$root/tests/capview/plain/in/nodes.txt" "$root/tests/capview/plain/in/net.dat"
add_study one_way "$root/tests/capview/one_way/in/nodes.txt" "$root/tests/capview/one_way/in/net.dat"
# Every shipped example network: NAME_nodes.txt beside NAME.dat.
for nodes in "$root"/examples/*nodes.txt; do
  name=$(basename "$nodes" nodes.txt)
  name=${name%[._-]}
  [ -f "$root/examples/$name.dat" ] && add_study "$name" "$nodes" "$root/examples/$name.dat"
done
[ -d studies/nsfnet ] || fail "the shipped example nsfnet was not found"

bash "$root/scripts/many_studies.sh" -j 2 -g 3 all.csv studies/* > run.log 2>&1 || { cat run.log; fail "many_studies.sh failed"; }
[ "$(head -n 1 all.csv)" = "study,span,from,to,working,restored,percent,feasible" ] || fail "header of the table"
expected_rows=0
for dir in studies/*; do
  name=$(basename "$dir")
  for f in net.out summary.txt study.csv study.html; do [ -s "$dir/$f" ] || fail "$dir/$f was not written"; done
  grep -q "network restorability" "$dir/summary.txt" || fail "$dir/summary.txt holds no summary"
  head -n 1 "$dir/study.csv" | grep -q '^# written by capview (meshrestore) ' || fail "$dir/study.csv names no version"
  rows=$(grep -c '^[0-9]' "$dir/study.csv")
  [ "$rows" -gt 0 ] || fail "$dir/study.csv holds no span"
  expected_rows=$((expected_rows + rows))
  diff <(grep '^[0-9]' "$dir/study.csv" | sed "s/^/$name,/") <(grep "^$name," all.csv) > /dev/null ||
    fail "the rows of $name in the table differ from $dir/study.csv"
done
[ "$(($(wc -l < all.csv) - 1))" -eq "$expected_rows" ] || fail "the table holds $(wc -l < all.csv) lines, expected $expected_rows rows"

# Gathering alone, as after an array job, gives the same table.
bash "$root/scripts/many_studies.sh" -G again.csv studies/* || fail "gathering alone failed"
cmp -s all.csv again.csv || fail "gathering alone gives another table"

# A study whose netdata file is broken: named, the others still gathered.
add_study broken "$root/tests/capview/plain/in/nodes.txt" "$root/tests/capview/plain/in/net.dat"
echo "1 5 x" > studies/broken/net.dat
if bash "$root/scripts/many_studies.sh" -j 2 all.csv studies/* > run.log 2>&1; then fail "a broken study went unreported"; fi
grep -q "study studies/broken failed" run.log || { cat run.log; fail "the broken study is not named"; }
[ "$(($(wc -l < all.csv) - 1))" -eq "$expected_rows" ] || fail "the good studies are not all gathered"
if bash "$root/scripts/many_studies.sh" -G again.csv studies/* 2> gather.log; then fail "gathering missed the broken study"; fi
grep -q "no study.csv in studies/broken" gather.log || fail "gathering does not name the broken study"
echo "many studies ok: $(ls studies | wc -l) studies, $expected_rows spans gathered"
