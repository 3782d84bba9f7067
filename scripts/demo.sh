#!/usr/bin/env bash
# Sets up, builds, and runs the toolkit on an example network in a scratch
# folder (run/), leaving the inputs in examples/ untouched.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" "$root/build" > "$root/build.log" 2>&1 || { cat "$root/build.log"; exit 1; }
export PATH="$root/build/bin:$PATH"
rm -rf "$root/run" && mkdir -p "$root/run" && cd "$root/run"
cp "$root/examples/paired_spares.txt" .
unpairer paired_spares.txt single_spares.txt
echo "--- run/single_spares.txt:"
cat single_spares.txt
