#!/usr/bin/env bash
# check_docs_test.sh: check_docs.sh on its two made-up pages of testdata/:
# good.md (tables with escaped pipes and code spans, links and images that
# name files, links it must pass over, code blocks) gives nothing and status
# 0; broken.md (rows too wide and too narrow, a separator wider than its
# header, links, an image and a reference naming no file) gives exactly the
# lines of broken.expected and status 1.
set -u
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/testdata" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

output=$(bash "$here/check_docs.sh" good.md 2>&1)
status=$?
[ $status -eq 0 ] || fail "good.md: status $status, expected 0"
[ -z "$output" ] || fail "good.md: said $output"

output=$(bash "$here/check_docs.sh" broken.md 2>&1)
status=$?
[ $status -eq 1 ] || fail "broken.md: status $status, expected 1"
diff <(printf '%s\n' "$output") broken.expected || fail "broken.md: the lines above differ (actual <, expected >)"

bash "$here/check_docs.sh" missing.md 2> /dev/null
status=$?
[ $status -eq 2 ] || fail "a page that cannot be read: status $status, expected 2"
[ $failures -eq 0 ]
