#!/usr/bin/env bash
# The browser test of capview's page:
#   run.sh BIN_DIR SOURCE_DIR NODE_LIST NETDATA [SCREENSHOT [TABLE... | --dual | --paths PATHS GROUPS]]
# runs capsweep on the network (with relax, strategy 3), writes capview's
# page for it, checks the page is well-formed, then opens it in headless
# Chromium (page_check.js). Given an experiment's result tables for the same
# network (SCREENSHOT may be "" for the default), the page is the
# experiment's, with capsweep's results beside the tables. With --dual the
# page is capview --dual's of dualsweep's table of the network. With
# --paths, a path list and a groups file of the network, the page is capview
# --paths's of pathsweep's table of its span, node and group scenarios with
# the routes. Exits 77
# (skipped) when the browser or playwright-core is missing:
# scripts/setup_browser.sh installs them.
set -u
bin_dir=$(cd "$1" && pwd)
root=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
nodes=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
net=$(cd "$(dirname "$4")" && pwd)/$(basename "$4")
tables=()
dual=
path_list=
[ "${6:-}" = --dual ] && dual=yes && set -- "${@:1:5}"
if [ "${6:-}" = --paths ]; then
  path_list=$(cd "$(dirname "$7")" && pwd)/$(basename "$7")
  groups=$(cd "$(dirname "$8")" && pwd)/$(basename "$8")
  set -- "${@:1:5}"
fi
for t in "${@:6}"; do tables+=("$(cd "$(dirname "$t")" && pwd)/$(basename "$t")"); done
playwright=$root/.tools/node_modules/playwright-core
if [ ! -x /usr/bin/chromium ] || [ ! -d "$playwright" ] || ! command -v node > /dev/null; then
  echo "SKIP: chromium, node or playwright-core missing; run scripts/setup_browser.sh"
  exit 77
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/capview-browser.XXXXXX")
trap 'rm -rf "$work"' EXIT
screenshot=${5:-$work/map.png}
case $screenshot in /*) ;; *) screenshot=$PWD/$screenshot ;; esac

cd "$work" || exit 1
cp "$nodes" nodes.txt && cp "$net" net.dat || exit 1
mode=()
if [ -n "$path_list" ]; then
  cp "$path_list" paths.txt && cp "$groups" groups.txt || exit 1
  "$bin_dir/pathsweep" --fail spans,nodes,groups --groups groups.txt --routes net.routes nodes.txt net.dat paths.txt net.ps \
    > pathsweep.log || { cat pathsweep.log; exit 1; }
  "$bin_dir/capview" --paths --routes net.routes nodes.txt net.ps "$work/page.html" > summary.txt || exit 1
  cmp -s pathsweep.log summary.txt || { echo "FAIL: capview --paths does not print pathsweep's summary"; exit 1; }
  mode=(paths "$work/net.ps" "$work/net.routes")
elif [ -n "$dual" ]; then
  "$bin_dir/dualsweep" nodes.txt net.dat net.dual > dualsweep.log || { cat dualsweep.log; exit 1; }
  "$bin_dir/capview" --dual nodes.txt net.dual "$work/page.html" > summary.txt || exit 1
  cmp -s dualsweep.log summary.txt || { echo "FAIL: capview --dual does not print dualsweep's summary"; exit 1; }
  mode=(dual "$work/net.dual")
else
  PATH="$bin_dir:$PATH" capsweep -s nodes.txt net.dat 3 > capsweep.log || { cat capsweep.log; exit 1; }
  if [ ${#tables[@]} -gt 0 ]; then
    cp "${tables[@]}" . || exit 1
    names=()
    for t in "${tables[@]}"; do names+=("$(basename "$t")"); done
    "$bin_dir/capview" --experiment --results net.out nodes.txt "${names[@]}" "$work/page.html" > summary.txt || exit 1
    mode=(experiment)
  else
    "$bin_dir/capview" nodes.txt net.dat net.out "$work/page.html" > summary.txt || exit 1
  fi
fi
xmllint --noout "$work/page.html" || { echo "FAIL: the page is not well-formed"; exit 1; }
timeout 120 node "$here/page_check.js" "$playwright" "$work/page.html" "$screenshot" "$work/profile" "${mode[@]}"
