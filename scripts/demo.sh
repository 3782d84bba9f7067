#!/usr/bin/env bash
# Sets up, builds, and runs in a scratch folder (run/), leaving the inputs in
# examples/ untouched: the path from a network file to a restorability study
# (netimport, capplan, capsweep with the toolkit's own solver relax, capview)
# on the Abilene network from the Internet Topology Zoo, its plan under two
# span cuts at once (dualsweep) and under path restoration of span and node
# failures (pathsweep), its restoration simulated by the four
# simulators of an experiment (linkweave's scripts), capsweep on the
# NSFNET example, and at the end Abilene's schemes side by side (capplan's
# span-restorable, path-restorable, backup and p-cycle plans).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
# The programs only; the test script builds the tests.
BUILD_TARGETS="netimport capplan capsweep relax halvane morwick routeweave linkweave unpairer capview dualsweep pathsweep vetrun kimber ospel dunvar" \
  bash "$root/scripts/build.sh" "$root/build" > "$root/build.log" 2>&1 || { cat "$root/build.log"; exit 1; }
export PATH="$root/build/bin:$PATH"
rm -rf "$root/run" && mkdir -p "$root/run" && cd "$root/run"

# A network file -> netimport -> a study folder -> capplan -> capsweep -> capview.
echo "--- netimport Abilene.gml abilene (what it decided: run/abilene/import.txt)"
cp "$root/examples/Abilene.gml" .
netimport Abilene.gml abilene 2> abilene.notes
echo "--- capplan nodes.txt net.dat planned.dat: the least spare that restores every cut (run/abilene/plan.txt)"
(cd abilene && capplan nodes.txt net.dat planned.dat > plan.txt &&
  capsweep -s nodes.txt planned.dat 3 > capsweep.log &&
  capview --csv study.csv nodes.txt planned.dat planned.out study.html > summary.txt)
grep -E '^  (working|spare) channels|^  redundancy|^proved' abilene/plan.txt
echo "--- capview's summary of the plan, run/abilene/summary.txt (the page: run/abilene/study.html):"
head -8 abilene/summary.txt
echo "--- for comparison, as many spare as working channels (netimport --spare-ratio 1, in run/abilene_ratio1/):"
netimport --spare-ratio 1 Abilene.gml abilene_ratio1 2> abilene_ratio1.notes
(cd abilene_ratio1 && capsweep -s nodes.txt net.dat 3 > capsweep.log &&
  capview nodes.txt net.dat net.out > summary.txt)
grep 'network restorability' abilene_ratio1/summary.txt
echo "--- the plan under two span cuts at once: dualsweep, run/abilene/planned.dual"
(cd abilene && dualsweep nodes.txt planned.dat planned.dual > dual.txt)
grep -E '^  (pairs|R1|R2) ' abilene/dual.txt
echo "--- the plan under path restoration, span and node failures: pathsweep, run/abilene/planned.ps (routes: planned.routes)"
(cd abilene && pathsweep --fail spans,nodes --bound --routes planned.routes nodes.txt planned.dat paths.txt planned.ps > path.txt)
sed -n '/^span scenarios/,/^$/p' abilene/path.txt
echo "--- its restoration simulated: linkweave's experiment on run/abilene_ratio1/, every span cut by each of the four simulators"
(cd abilene_ratio1 && linkweave nodes.txt spans.txt abilene.rst 1 > linkweave.log &&
  PATH=.:$PATH ./abilene.scr > experiment.log &&
  capview --experiment nodes.txt abilene.vtr.res abilene.kmb.res abilene.osp.res abilene.dunv.res experiment.html > methods.txt)
sed -n '/^network restorability/,/^$/p;/^restoration time/,/^$/p' abilene_ratio1/methods.txt

cp "$root/examples/nsfnet_nodes.txt" "$root/examples/nsfnet.dat" .
capsweep -s nsfnet_nodes.txt nsfnet.dat 3 > capsweep.log
echo "--- results table, run/nsfnet.out (one row per span cut):"
cat nsfnet.out
echo "--- path reports, one per cut, in run/nsfnet.dat.ls/; run/nsfnet.dat.ls/WA_CA1cut.l:"
cat nsfnet.dat.ls/WA_CA1cut.l
echo "--- capsweep's own lines (statistics, progress): run/capsweep.log"

echo "--- Abilene's schemes side by side, span cuts (capplan --method ...; each plan proved before it is written; run/abilene/scheme-*.txt):"
printf '%-24s %7s %11s %10s  %s\n' plan spare redundancy cost proof
scheme() {
  local label=$1
  shift
  local out="abilene/scheme-${label%% *}.txt"
  # Status 2: planned and proved, but some paths (or cuts) no spare protects, named in the file.
  local status=0
  (cd abilene && capplan "$@" nodes.txt net.dat "scheme-${label%% *}.dat") > "$out" 2> "$out.err" || status=$?
  if [ $status -le 2 ]; then
    awk -v label="$label" '$1 == "spare" { spare = $3 } $1 == "redundancy" { red = $2 } $1 == "cost" { cost = $2 }
      $1 == "proved:" { proof = "proved" } $1 == "unprotected:" { n++ } $1 == "bridge:" { b++ }
      END { if (n) proof = proof ", " n " paths unprotected"; if (b) proof = proof ", " b " bridges"
            printf "%-24s %7s %11s %10s  %s\n", label, spare, red, cost, proof }' "$out"
  else
    printf '%-24s %7s %11s %10s  %s\n' "$label" - - - "not planned: $(head -1 "$out.err")"
  fi
}
scheme "span" --method span
scheme "path+stub (stub release)" --method path --stub-release --paths paths.txt
scheme "path" --method path --paths paths.txt
scheme "sbpp" --method sbpp --paths paths.txt
scheme "1+1 (dedicated)" --method dedicated --paths paths.txt
scheme "pcycle" --method pcycle
