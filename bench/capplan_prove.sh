#!/usr/bin/env bash
# capplan_prove.sh BUILD_DIR [NODEFILE NETDATA]...: plans each network with
# capplan, then runs capsweep (with relax) on the plan and capview on its
# results, and prints the network restorability capview shows; with no
# network given, the shipped examples and a made-up 50-node network. Run by
# hand (not a test): bash bench/capplan_prove.sh build
set -u
build=$(cd "$1" && pwd); shift
src=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/capplan_prove.XXXXXX")
export PATH="$build/bin:$PATH"
if [ $# -eq 0 ]; then
  "$build/bench/capplan_bench" --write 50 2 "$work/made50" || exit 1
  set -- "$src/examples/nsfnet_nodes.txt" "$src/examples/nsfnet.dat" "$src/examples/europe_nodes.txt" \
         "$src/examples/europe.dat" "$work/made50_nodes.txt" "$work/made50.dat"
fi
status=0
while [ $# -ge 2 ]; do
  nodes=$1 net=$2; shift 2
  name=$(basename "$net" .dat)
  dir="$work/$name"; mkdir -p "$dir"
  cp "$nodes" "$dir/nodes.txt"; cp "$net" "$dir/net.dat"
  (cd "$dir" && capplan --report plan.txt nodes.txt net.dat plan.dat > capplan.log
   code=$?
   [ $code -le 2 ] || exit 1
   capsweep -s nodes.txt plan.dat 3 > capsweep.log 2>&1 && capview nodes.txt plan.dat plan.out > view.log) || {
    echo "$name: failed (see $dir)"; status=1; continue; }
  printf '%-12s %s | %s | %s\n' "$name" "$(grep 'spare channels' "$dir/capplan.log" | tr -s ' ')" \
    "$(grep '  time' "$dir/capplan.log" | tr -s ' ')" "$(grep 'network restorability' "$dir/view.log" | tr -s ' ')"
done
echo "(files in $work)"
exit $status
