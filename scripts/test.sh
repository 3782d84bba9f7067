#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite twice: once plain, once
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
# chromium and playwright-core for capview's browser test, which is skipped without them
bash "$root/scripts/setup_browser.sh" || echo "test: capview's browser test will be skipped"
# slurm-wlm and munge for dualsweep's one-node cluster test, which is skipped without them
bash "$root/scripts/install_packages.sh" test slurm-wlm munge || echo "test: dualsweep's cluster test will be skipped"
bash "$root/scripts/build.sh" "$root/build"
(cd "$root/build" && ctest --output-on-failure -j "$(nproc)")
bash "$root/scripts/build.sh" "$root/build-sanitize" -DTOOLKIT_SANITIZE=ON
(cd "$root/build-sanitize" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j "$(nproc)")
# Every fuzz target, briefly, from its seeds (scripts/fuzz.sh runs them longer).
bash "$root/scripts/build.sh" "$root/build-fuzz" -DTOOLKIT_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
  -DTOOLKIT_FUZZ_SECONDS=5
# A fixed seed: the same inputs on every run of the suite; scripts/fuzz.sh
# explores anew each time.
(cd "$root/build-fuzz" && FUZZ_SEED=1 ctest --output-on-failure)
