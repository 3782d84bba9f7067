#!/usr/bin/env bash
# run_fuzz.sh TARGET SEED_DIR SECONDS: runs one fuzz target for SECONDS,
# starting from the seeds. New inputs go to a scratch folder, so the seeds in
# the repository stay as they are; a crash fails the run and leaves its input
# in artifacts/<target>/ beside the target. FUZZ_SEED, when set, fixes
# libFuzzer's random seed, so that a run of the test suite explores the same
# inputs each time (0 or unset: a new seed each run, for scripts/fuzz.sh).
set -eu
target=$1 seeds=$2 seconds=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$seeds"
cd "$work"
"$target" -seed="${FUZZ_SEED:-0}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -close_fd_mask=1 \
  -artifact_prefix="$work/" "$work/corpus" "$seeds" 2>&1 | grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|INFO: seed corpus|==[0-9]+==ERROR|SUMMARY)' || true
# (Any one kind of finding fails the run: a test of all four patterns with
# one ls would pass whenever one of them matched nothing.)
found=0
for f in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*; do
  [ -f "$f" ] || continue
  # Kept beside the target, so that the input can be replayed and made a seed.
  kept=$(dirname "$target")/artifacts/$(basename "$target")
  mkdir -p "$kept"
  cp "$f" "$kept/"
  echo "found: $kept/${f##*/}"
  od -c "$f" | head -20
  found=1
done
exit $found
