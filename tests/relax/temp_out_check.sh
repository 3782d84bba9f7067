# Checks TEMP.OUT in the current folder: temp_out_check.sh IS_FEAS COST
# The two times between change from run to run: only their form is checked.
set -u
fail() { echo "TEMP.OUT: $*"; cat TEMP.OUT; exit 1; }
[ -f TEMP.OUT ] || fail "missing"
[ "$(wc -l < TEMP.OUT)" -eq 4 ] || fail "not four lines"
[ "$(sed -n 1p TEMP.OUT)" = "$1" ] || fail "is_feas is not $1"
[ "$(sed -n 4p TEMP.OUT)" = "$2" ] || fail "cost is not $2"
[ "$(sed -n '2,3{/^[0-9][0-9]*\.[0-9]\{6\}$/p}' TEMP.OUT | wc -l)" -eq 2 ] || fail "times not written as %lf"
exit 0
