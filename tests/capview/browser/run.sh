#!/usr/bin/env bash
# The browser test of capview's page:
#   run.sh BIN_DIR SOURCE_DIR NODES NETDATA RESULTS [SCREENSHOT]
# writes the page for the study, checks it is well-formed, then opens it in
# headless Chromium (page_check.js). Exits 77 (skipped) when the browser or
# playwright-core is missing: scripts/setup_browser.sh installs them.
set -u
bin_dir=$(cd "$1" && pwd)
root=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
nodes=$3 net=$4 results=$5
playwright=$root/.tools/node_modules/playwright-core
if [ ! -x /usr/bin/chromium ] || [ ! -d "$playwright" ] || ! command -v node > /dev/null; then
  echo "SKIP: chromium, node or playwright-core missing; run scripts/setup_browser.sh"
  exit 77
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/capview-browser.XXXXXX")
trap 'rm -rf "$work"' EXIT
screenshot=${6:-$work/map.png}

"$bin_dir/capview" "$nodes" "$net" "$results" "$work/page.html" > "$work/summary.txt" || exit 1
xmllint --noout "$work/page.html" || { echo "FAIL: the page is not well-formed"; exit 1; }
timeout 120 node "$here/page_check.js" "$playwright" "$work/page.html" "$screenshot" "$work/profile"
