#!/usr/bin/env bash
# fuzz.sh [SECONDS [TARGET...]]: builds the fuzz targets with clang++ and runs
# each (or the ones named) for SECONDS (default 60), from its seed corpus.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
build=$root/build-fuzz
bash "$root/scripts/build.sh" "$build" -DTOOLKIT_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ > /dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for t in "$build"/fuzz/fuzz_*; do targets+=("${t##*/fuzz_}"); done
fi
status=0
for t in "${targets[@]}"; do
  echo "== fuzz $t for ${seconds}s"
  bash "$root/fuzz/run_fuzz.sh" "$build/fuzz/fuzz_$t" "$root/fuzz/corpus/$t" "$seconds" || status=1
done
exit $status
