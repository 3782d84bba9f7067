#!/usr/bin/env bash
# Runs capsweep over several studies at once and gathers capview's tables:
#
#   many_studies.sh [-j JOBS] [-g STRATEGY] [-G] TABLE STUDY_DIR...
#
# Every STUDY_DIR holds one network as nodes.txt (node list) and net.dat
# (netdata file). capsweep's exchange files have fixed names, so each study
# runs in its own folder: capsweep -s, then capview, which leaves there
# net.out (results), net.dat.ls/ (path reports), capsweep.log, summary.txt,
# study.csv and study.html. JOBS studies (default: the number of cores) run
# at a time, through xargs -P. TABLE then receives every study.csv under one
# header, with the study's folder name in a first column (-G: only that,
# for studies run elsewhere, e.g. as the tasks of an array job). capsweep and
# capview are taken from PATH. Exits 1 when a study failed (its log names the
# reason); the table then holds the studies that succeeded.
set -u
jobs=$(nproc 2>/dev/null || echo 2)
strategy=3
gather_only=no
while getopts j:g:G opt; do
  case $opt in
    j) jobs=$OPTARG ;;
    g) strategy=$OPTARG ;;
    G) gather_only=yes ;;
    *) exit 1 ;;
  esac
done
shift $((OPTIND - 1))
if [ $# -lt 2 ]; then
  echo "usage: many_studies.sh [-j JOBS] [-g STRATEGY] [-G] TABLE STUDY_DIR..." >&2
  exit 1
fi
table=$1
shift

# One study, in its own folder: $1 is the folder, STRATEGY comes from the
# environment.
one_study='cd "$1" &&
  capsweep -s nodes.txt net.dat "$STRATEGY" > capsweep.log 2>&1 &&
  capview --csv study.csv nodes.txt net.dat net.out study.html > summary.txt 2>> capsweep.log ||
  { echo "many_studies: study $1 failed; see $1/capsweep.log" >&2; exit 1; }'
status=0
if [ "$gather_only" = no ]; then
  export STRATEGY=$strategy
  for dir in "$@"; do rm -f "$dir/study.csv"; done
  printf '%s\0' "$@" | xargs -0 -n 1 -P "$jobs" sh -c "$one_study" sh
  status=$?
fi

# One table: the header once, then every study's rows behind its name (the
# line naming capview's version and the header of each study.csv left out).
# A folder name holding a comma or a quote is quoted as CSV wants.
{
  echo "study,span,from,to,working,restored,percent,feasible"
  for dir in "$@"; do
    if [ ! -f "$dir/study.csv" ]; then
      [ "$gather_only" = yes ] && echo "many_studies: no study.csv in $dir" >&2
      status=1
      continue
    fi
    name=$(basename "$dir")
    case $name in *[,\"]*) name="\"$(printf '%s' "$name" | sed 's/"/""/g')\"" ;; esac
    grep -v '^#' "$dir/study.csv" | tail -n +2 | sed "s|^|$(printf '%s' "$name" | sed 's/[|&\\]/\\&/g'),|"
  done
} > "$table"
[ "$status" -eq 0 ] || exit 1
