#!/usr/bin/env bash
# Runs one whole-program case: run_case.sh CASE_DIR BIN_DIR
#
# A case is a folder of data:
#   cmd       the command line, run by sh in a fresh temporary folder that
#             holds a copy of in/; BIN_DIR comes first on PATH, and $CASE
#             names the case folder
#   in/       input files (optional)
#   setup     shell lines run in the folder before cmd (optional)
#   stdout    expected standard output, byte for byte (optional: not checked
#             when absent)
#   stderr    expected standard error (optional)
#   status    expected exit status (default 0)
#   out/      files expected afterwards, byte for byte (optional)
# In what a program wrote, its version ("NAME (meshrestore) 1.0.0+9808fc9")
# reads "NAME (meshrestore) VERSION" before it is compared, so that the
# expected files hold from one commit to the next.
#   modes     lines "MODE PATH": expected permission bits, in octal
#   absent    paths that must not exist afterwards, one a line
#   check     shell lines run in the folder afterwards; must exit 0
#   full_disk folders, one a line, that are made full file systems before
#             setup: each is a tmpfs of a few kilobytes holding the files of
#             in/FOLDER, then filled, so that any write into it fails.
#             Mounting needs root; elsewhere the case is skipped (status 77)
# Every file of in/ that out/ does not name must be unchanged.
set -u
case_dir=$(cd "$1" && pwd)
bin_dir=$(cd "$2" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/case.XXXXXX")
mounted=()
cleanup() {
  for m in "${mounted[@]}"; do umount "$m" 2>/dev/null; done
  chmod -R u+rwx "$work" 2>/dev/null; rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

[ -d "$case_dir/in" ] && cp -pR "$case_dir/in/." "$work/"
cd "$work" || exit 1
if [ -f "$case_dir/full_disk" ]; then
  while read -r disk; do
    [ -n "$disk" ] || continue
    if [ "$(id -u)" != 0 ]; then
      echo "SKIP: this case mounts a full tmpfs at $disk, which needs root"; exit 77
    fi
    mkdir -p "$work/$disk"
    if ! mount -t tmpfs -o size=16k,mode=1777 tmpfs "$work/$disk" 2>/dev/null; then
      echo "SKIP: this case needs a tmpfs at $disk, and mount refused it"; exit 77
    fi
    mounted+=("$work/$disk")
    [ -d "$case_dir/in/$disk" ] && cp -pR "$case_dir/in/$disk/." "$work/$disk/"
    dd if=/dev/zero of="$work/$disk/.filler" bs=1k 2>/dev/null
  done < "$case_dir/full_disk"
fi
export CASE="$case_dir" PATH="$bin_dir:$PATH"
if [ -f "$case_dir/setup" ]; then
  sh "$case_dir/setup" || { echo "FAIL: setup"; exit 1; }
fi

sh -c "$(cat "$case_dir/cmd")" > "$work/.stdout" 2> "$work/.stderr" < /dev/null
status=$?
expected_status=0
[ -f "$case_dir/status" ] && expected_status=$(tr -d ' \n' < "$case_dir/status")
[ "$status" = "$expected_status" ] || fail "exit status $status, expected $expected_status"

compare() {  # compare EXPECTED ACTUAL WHAT
  if grep -q '(meshrestore) ' "$2" 2>/dev/null; then
    sed -E 's/\(meshrestore\) [0-9][0-9A-Za-z.+-]*/(meshrestore) VERSION/g' "$2" > "$2.versionless"
    set -- "$1" "$2.versionless" "$3"
  fi
  if ! cmp -s "$1" "$2"; then
    fail "$3 differs (expected, then actual):"
    diff <(od -c "$1") <(od -c "$2") | head -40
  fi
}
[ -f "$case_dir/stdout" ] && compare "$case_dir/stdout" "$work/.stdout" "standard output"
[ -f "$case_dir/stderr" ] && compare "$case_dir/stderr" "$work/.stderr" "standard error"

if [ -d "$case_dir/out" ]; then
  while IFS= read -r -d '' f; do
    rel=${f#"$case_dir/out/"}
    if [ -e "$work/$rel" ]; then
      compare "$f" "$work/$rel" "file $rel"
    else
      fail "file $rel was not written"
    fi
  done < <(find "$case_dir/out" -type f -print0)
fi
if [ -d "$case_dir/in" ]; then
  while IFS= read -r -d '' f; do
    rel=${f#"$case_dir/in/"}
    [ -f "$case_dir/out/$rel" ] && continue
    if [ -f "$work/$rel" ]; then
      cmp -s "$f" "$work/$rel" || fail "input $rel was changed"
    else
      fail "input $rel is gone"
    fi
  done < <(find "$case_dir/in" -type f -print0)
fi
if [ -f "$case_dir/modes" ]; then
  while read -r mode path; do
    [ -n "$mode" ] || continue
    actual=$(stat -c '%a' "$path" 2>/dev/null)
    [ "$actual" = "$mode" ] || fail "mode of $path is ${actual:-missing}, expected $mode"
  done < "$case_dir/modes"
fi
if [ -f "$case_dir/absent" ]; then
  while read -r path; do
    [ -n "$path" ] || continue
    [ ! -e "$path" ] || fail "$path should not exist"
  done < "$case_dir/absent"
fi
if [ -f "$case_dir/check" ]; then
  sh "$case_dir/check" || fail "check script"
fi

if [ "$failures" -ne 0 ]; then
  echo "--- standard output was:"; head -c 4000 "$work/.stdout"
  echo "--- standard error was:"; head -c 4000 "$work/.stderr"
  exit 1
fi
exit 0
