#!/usr/bin/env bash
# The browser test of capview's experiment page:
#   experiment.sh BIN_DIR SOURCE_DIR [SCREENSHOT]
# runs capsweep on the shipped NSFNET example (with relax, strategy 3),
# writes capview's experiment page for the four result tables made for that
# network (nsfnet.*.res beside this script) and capsweep's results, checks
# the page is well-formed, then opens it in headless Chromium
# (page_check.js ... experiment). Exits 77 (skipped) when the browser or
# playwright-core is missing: scripts/setup_browser.sh installs them.
set -u
bin_dir=$(cd "$1" && pwd)
root=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
playwright=$root/.tools/node_modules/playwright-core
if [ ! -x /usr/bin/chromium ] || [ ! -d "$playwright" ] || ! command -v node > /dev/null; then
  echo "SKIP: chromium, node or playwright-core missing; run scripts/setup_browser.sh"
  exit 77
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/capview-browser.XXXXXX")
trap 'rm -rf "$work"' EXIT
screenshot=${3:-$work/chart.png}
case $screenshot in /*) ;; *) screenshot=$PWD/$screenshot ;; esac

cd "$work" || exit 1
cp "$root/examples/nsfnet_nodes.txt" nodes.txt && cp "$root/examples/nsfnet.dat" net.dat || exit 1
cp "$here"/nsfnet.vtr.res "$here"/nsfnet.kmb.res "$here"/nsfnet.osp.res "$here"/nsfnet.dunv.res . || exit 1
PATH="$bin_dir:$PATH" capsweep -s nodes.txt net.dat 3 > capsweep.log || { cat capsweep.log; exit 1; }
"$bin_dir/capview" --experiment --results net.out nodes.txt \
  nsfnet.vtr.res nsfnet.kmb.res nsfnet.osp.res nsfnet.dunv.res "$work/experiment.html" > summary.txt || exit 1
xmllint --noout "$work/experiment.html" || { echo "FAIL: the page is not well-formed"; exit 1; }
timeout 120 node "$here/page_check.js" "$playwright" "$work/experiment.html" "$screenshot" "$work/profile" experiment
