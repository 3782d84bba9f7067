#!/usr/bin/env bash
# simulators_zoo.sh [BUILD_DIR]: every span cut of the three Zoo networks of
# tests/simulators/data, by each of the four simulators, summed up against
# the bound: channels lost, restored, min(lost, bound) summed over the cuts,
# the restored share of that, and the mean and longest time of the last
# restored path. Not part of the test suite.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/simulators_zoo.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
printf '%-11s %-7s %5s %7s %7s %7s %8s %9s %9s\n' network method cuts lost bounded restored "of bound" "mean ms" "max ms"
for net in abilene geant2012 bellcanada; do
  cp "$root/tests/simulators/data/$net.rst" .
  cuts=$(awk 'NR == 1 { next } NF >= 11 { node++; left = $2; next } left > 0 { if ($1 > node) print node "-" $1; left-- }' "$net.rst")
  for sim in vetrun:vtr kimber:kmb ospel:osp dunvar:dunv; do
    name=${sim%%:*}; tag=${sim#*:}
    printf '%s.restoration results on %s.rst\n========================================\n' "$tag" "$net" > "netres.$tag.res"
    for c in $cuts; do "$build/bin/$name" "$net.rst" "/b=$c" > /dev/null; done
    awk -v net="$net" -v m="$name" 'NR > 2 { n++; lost += $3; res += $4; b = ($5 < $3 ? $5 : $3); bounded += b
                                              t += $6; if ($6 > mx) mx = $6 }
      END { printf "%-11s %-7s %5d %7d %7d %7d %7.2f%% %9.3f %9.3f\n", net, m, n, lost, bounded, res,
                   bounded ? 100 * res / bounded : 100, n ? t / n : 0, mx }' "netres.$tag.res"
  done
done
