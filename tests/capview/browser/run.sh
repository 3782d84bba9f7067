#!/usr/bin/env bash
# The browser test of capview's page:
#   run.sh BIN_DIR SOURCE_DIR EXAMPLE [SCREENSHOT]
# runs capsweep on the shipped example network EXAMPLE (examples/EXAMPLE.dat
# and examples/EXAMPLE_nodes.txt), writes capview's page for it, checks the
# page is well-formed, then opens it in headless Chromium (page_check.js). Exits 77 (skipped) when the browser or
# playwright-core is missing: scripts/setup_browser.sh installs them.
set -u
bin_dir=$(cd "$1" && pwd)
root=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
example=$3
playwright=$root/.tools/node_modules/playwright-core
if [ ! -x /usr/bin/chromium ] || [ ! -d "$playwright" ] || ! command -v node > /dev/null; then
  echo "SKIP: chromium, node or playwright-core missing; run scripts/setup_browser.sh"
  exit 77
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/capview-browser.XXXXXX")
trap 'rm -rf "$work"' EXIT
screenshot=${4:-$work/map.png}
case $screenshot in /*) ;; *) screenshot=$PWD/$screenshot ;; esac

cd "$work" || exit 1
cp "$root/examples/${example}_nodes.txt" "$root/examples/$example.dat" . || exit 1
PATH="$bin_dir:$PATH" capsweep -s "${example}_nodes.txt" "$example.dat" 3 > capsweep.log || { cat capsweep.log; exit 1; }
"$bin_dir/capview" "${example}_nodes.txt" "$example.dat" "$example.out" "$work/page.html" > summary.txt || exit 1
xmllint --noout "$work/page.html" || { echo "FAIL: the page is not well-formed"; exit 1; }
timeout 120 node "$here/page_check.js" "$playwright" "$work/page.html" "$screenshot" "$work/profile"
