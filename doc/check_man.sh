#!/usr/bin/env bash
# check_man.sh PAGE: renders one manual page with groff, every warning on,
# for print (groff's default device) and for a terminal (as man shows it),
# and fails when groff says anything at all on standard error.
set -u
page=$1
command -v groff > /dev/null || { echo "groff is not installed (Debian package groff-base)"; exit 1; }
for device in ps utf8; do
  messages=$(groff -ww -man -T"$device" -z "$page" 2>&1 > /dev/null)
  status=$?
  if [ -n "$messages" ] || [ $status -ne 0 ]; then
    echo "$page ($device): groff status $status"
    printf '%s\n' "$messages"
    exit 1
  fi
done
