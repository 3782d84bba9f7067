#!/usr/bin/env bash
# experiments.sh BIN_DIR SOURCE_DIR: the restoration experiments of
# routeweave, linkweave and halvane, each run by its own script with the
# simulators of BIN_DIR on PATH, give four result tables with one row per span
# and a cut report per span.
set -u
bin=$(cd "$1" && pwd)
src=$(cd "$2" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/experiments.XXXXXX")
trap 'rm -rf "$work"' EXIT
export PATH="$bin:$PATH"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# table FILE TAG NETRESTORE ROWS: the finished table holds its two header
# lines and one row per span.
table() {
  [ -f "$1" ] || { fail "$1 is missing"; return; }
  [ "$(sed -n 1p "$1")" = "$2.restoration results on $3" ] || fail "$1: wrong title line"
  [ "$(sed 1,2d "$1" | grep -c .)" = "$4" ] || fail "$1 holds $(sed 1,2d "$1" | grep -c .) rows, not $4"
}
# reports DIR COUNT: DIR holds COUNT cut reports, each with its summary.
reports() {
  [ "$(ls "$1" | grep -c 'cut\.l$')" = "$2" ] || fail "$1 holds $(ls "$1" | grep -c 'cut\.l$') cut reports, not $2"
  for f in "$1"/*cut.l; do grep -q '^channels restored:' "$f" || { fail "$f has no summary"; break; }; done
}

# routeweave, from the node and path lists of the NSFNET description (21 spans).
mkdir "$work/routeweave" && cd "$work/routeweave" || exit 1
cp "$src/examples/nsfnet.net" .
morwick nsfnet.net > /dev/null
routeweave nsfnetnodes.txt nsfnetpaths.txt nsfnet.rst 1 0.5 > /dev/null
PATH=".:$PATH" ./nsfnet.scr > master.log 2>&1 || fail "routeweave's master script ended with status $?"
grep -q 'vetrun:\|kimber:\|ospel:\|dunvar:' master.log && { fail "a simulator refused a run:"; cat master.log; }
for t in vtr kmb osp dunv; do table "nsfnet.$t.res" "$t" nsfnet.rst 21; done
reports . 21
grep -qx 'vetrun: single-ended flooding restoration' 1-2cut.l || fail "1-2cut.l is not vetrun's report"

# linkweave, from the Abilene import (14 spans): reports in a folder per simulator.
mkdir "$work/linkweave" && cd "$work/linkweave" || exit 1
netimport --spare-ratio 1 "$src/examples/Abilene.gml" abilene > /dev/null 2>&1
cd abilene || exit 1
linkweave nodes.txt spans.txt abilene.rst 1 > /dev/null
PATH=".:$PATH" ./abilene.scr > master.log 2>&1 || fail "linkweave's master script ended with status $?"
grep -q 'vetrun:\|kimber:\|ospel:\|dunvar:' master.log && { fail "a simulator refused a run:"; cat master.log; }
for t in vtr kmb osp dunv; do table "abilene.$t.res" "$t" abilene.rst 14; done
for s in vetrun kimber ospel dunvar; do reports "$s" 14; done

# halvane, on a version-1 description of the NSFNET: its script runs vetrun
# once per span; the siblings run the same lines under their own names.
mkdir "$work/halvane" && cd "$work/halvane" || exit 1
awk 'NR == 1 { print $1, "V_H"; next }
     NF >= 11 { print $1, $2, $3, $4, $5, $6; left = $2; next }
     left > 0 { print "    " $1, $2, $3, $4; left--; next }
     { exit }' "$src/examples/nsfnet.net" > nsfnet1.net
halvane nsfnet1.net > /dev/null
while read -r sim tag; do
  mkdir "$sim" && cd "$sim" || exit 1
  cp ../nsfnet1.net .
  printf '%s.restoration results on nsfnet1.net\n========================================\n' "$tag" > "netres.$tag.res"
  sed "s/^vetrun /$sim /" ../nsfnet1.net.scr > run.scr
  sh run.scr 2> errors.log || fail "halvane's script under $sim ended with status $?"
  [ -s errors.log ] && { fail "$sim refused a run:"; cat errors.log; }
  mv "netres.$tag.res" "nsfnet1.$tag.res"
  table "nsfnet1.$tag.res" "$tag" nsfnet1.net 21
  reports . 21
  cd ..
done <<'SIMS'
vetrun vtr
kimber kmb
ospel osp
dunvar dunv
SIMS

if [ $failures -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "the three experiments give their tables and reports"
