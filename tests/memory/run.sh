#!/usr/bin/env bash
# Every program under a memory limit it cannot work within: each is given an
# input far larger than the limit and must answer "out of memory" on standard
# error with status 1 (not abort). run.sh BIN_DIR
set -u
bin_dir=$(cd "$1" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/memory.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
# 256 MB of a single word: any reader that holds the file needs more than the limit.
head -c 268435456 /dev/zero | tr '\0' '1' > big
printf 'nodes\n1 A 0 0\n' > nodes.txt
mkdir solver && ln -s ../big solver/RELAX.INP  # relax reads its problem by that name
failures=0
try() {  # try NAME ARGS...
  local name=$1; shift
  (ulimit -v 200000; exec "$bin_dir/$name" "$@") > out.txt 2> err.txt
  local status=$?
  if [ "$status" != 1 ] || [ "$(cat err.txt)" != "out of memory" ]; then
    echo "FAIL: $name $*: status $status, standard error:"; head -c 400 err.txt; echo
    failures=$((failures + 1))
  fi
}
try capsweep big net.dat 3
cd solver; try relax; cd ..
try routeweave big paths.txt net.rst 1 0.5
try linkweave big spans.txt net.rst 1
try unpairer big single.txt
try capview big net.dat net.out page.html
try pathsweep big net.dat paths.txt results.ps
try halvane big
try morwick big
for sim in vetrun kimber ospel dunvar; do try "$sim" big /b=1-2; done
[ "$failures" = 0 ] && echo "every program answers an exhausted memory with status 1"
exit $(( failures > 0 ))
