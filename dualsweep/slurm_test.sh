#!/usr/bin/env bash
# slurm_test.sh BIN_DIR SOURCE_DIR: the two array-job recipes of the
# documentation run on a one-node Slurm cluster that this test starts
# (Debian's slurm-wlm and munge, as root; status 77, with a note, where it
# cannot start):
# - dualsweep --slice K/N as an array job, one task per slice, then the
#   gather as a dependent job: the table and summary equal a whole run's;
# - the many-studies array job (capsweep and capview per study folder, then
#   scripts/many_studies.sh -G as a dependent job): all.csv equals the one a
#   run of many_studies.sh on one machine writes.
# The cluster's configuration lives in a scratch folder (SLURM_CONF), and
# every daemon this test started is stopped by its pid at the end.
set -u
bin=$(cd "$1" && pwd)
src=$(cd "$2" && pwd)
skip() { echo "SKIP: $*"; exit 77; }
[ "$(id -u)" = 0 ] || skip "a one-node Slurm cluster is started as root"
for c in slurmctld slurmd sbatch squeue sinfo munged; do
  command -v "$c" > /dev/null || skip "$c is not installed (Debian packages slurm-wlm and munge)"
done
W=$(mktemp -d "${TMPDIR:-/tmp}/dualsweep_slurm.XXXXXX")
chmod 755 "$W"
H=$(hostname -s)
munged_pid=
cleanup() {
  for f in "$W/ctld.pid" "$W/d.pid"; do
    [ -f "$f" ] && kill "$(cat "$f")" 2> /dev/null
  done
  [ -n "$munged_pid" ] && kill "$munged_pid" 2> /dev/null
  sleep 1
  rm -rf "$W"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# munge: a key, and a daemon unless one runs already.
if ! pgrep -x munged > /dev/null; then
  [ -f /etc/munge/munge.key ] || mungekey -c > /dev/null 2>&1 || skip "no munge key could be made"
  chown munge:munge /etc/munge/munge.key && chmod 400 /etc/munge/munge.key
  mkdir -p /run/munge && chown munge:munge /run/munge
  su -s /bin/sh munge -c /usr/sbin/munged || skip "munged does not start"
  sleep 1
  munged_pid=$(pgrep -x -n munged)
fi

mkdir -p "$W/state" "$W/spool" "$W/log"
memory=$(awk '/MemTotal/ { printf "%d", $2 / 1024 * 0.8 }' /proc/meminfo)
cat > "$W/slurm.conf" <<CONF
ClusterName=dualtest
SlurmctldHost=$H
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
StateSaveLocation=$W/state
SlurmdSpoolDir=$W/spool
SlurmctldLogFile=$W/log/ctld.log
SlurmdLogFile=$W/log/d.log
SlurmctldPidFile=$W/ctld.pid
SlurmdPidFile=$W/d.pid
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
JobAcctGatherType=jobacct_gather/none
ReturnToService=2
NodeName=$H CPUs=$(nproc) RealMemory=$memory State=UNKNOWN
PartitionName=main Nodes=$H Default=YES MaxTime=INFINITE State=UP
CONF
export SLURM_CONF=$W/slurm.conf
slurmctld || skip "slurmctld does not start (see $W/log)"
slurmd || skip "slurmd does not start"
for _ in $(seq 60); do
  sinfo -h -o %t 2> /dev/null | grep -q idle && break
  sleep 1
done
sinfo -h -o %t 2> /dev/null | grep -q idle || skip "the node never became idle: $(tail -3 "$W/log/ctld.log")"

# Waits until the queue is empty (three minutes at most).
wait_queue() {
  for _ in $(seq 180); do
    [ -z "$(squeue -h 2> /dev/null)" ] && return 0
    sleep 1
  done
  fail "jobs still queued: $(squeue -h)"
  return 1
}

export PATH="$bin:$PATH"
# 1. dualsweep slices as an array job, the gather as a dependent job.
mkdir "$W/dual" && cd "$W/dual" || exit 1
cp "$src/examples/nsfnet_nodes.txt" nodes.txt && cp "$src/examples/nsfnet.dat" net.dat
cat > slice.sh <<'JOB'
#!/bin/bash
#SBATCH --cpus-per-task=1
k=$((SLURM_ARRAY_TASK_ID + 1))
dualsweep --bound --slice $k/$SLURM_ARRAY_TASK_COUNT nodes.txt net.dat slice$k.dual > slice$k.log
JOB
n=4
job=$(sbatch --parsable --array=0-$((n - 1)) -D "$W/dual" -o /dev/null slice.sh) || fail "sbatch of the slices"
sbatch --parsable -D "$W/dual" -o gather.log --dependency=afterok:$job \
  --wrap "dualsweep --gather net.dual $(seq -f 'slice%g.dual' -s ' ' 1 $n) > summary.txt" > /dev/null ||
  fail "sbatch of the gather"
wait_queue
dualsweep --bound nodes.txt net.dat whole.dual > whole.txt
cmp -s whole.dual net.dual || fail "the gathered table differs from a whole run's"
cmp -s whole.txt summary.txt || fail "the gathered summary differs from a whole run's"

# 2. The many-studies array job of the README.
mkdir "$W/many" && cd "$W/many" || exit 1
for s in nsfnet europe; do
  mkdir -p studies/$s
  cp "$src/examples/${s}_nodes.txt" studies/$s/nodes.txt && cp "$src/examples/$s.dat" studies/$s/net.dat
done
cat > study.sh <<'JOB'
#!/bin/bash
#SBATCH --cpus-per-task=1
dirs=(studies/*/)
cd "${dirs[$SLURM_ARRAY_TASK_ID]}" &&
capsweep -s nodes.txt net.dat 3 > capsweep.log 2>&1 &&
capview --csv study.csv nodes.txt net.dat net.out study.html > summary.txt
JOB
n=$(ls -d studies/*/ | wc -l)
job=$(sbatch --parsable --array=0-$((n - 1)) -D "$W/many" -o /dev/null study.sh) || fail "sbatch of the studies"
sbatch --parsable -D "$W/many" -o gather.log --dependency=afterok:$job \
  --wrap "bash $src/scripts/many_studies.sh -G all.csv studies/*" > /dev/null || fail "sbatch of the gather"
wait_queue
mkdir "$W/local" && cp -R studies "$W/local/" && cd "$W/local" || exit 1
rm -f studies/*/net.out studies/*/study.csv
bash "$src/scripts/many_studies.sh" -j 2 -g 3 all.csv studies/* > /dev/null 2>&1 || fail "many_studies.sh on one machine"
cmp -s "$W/many/all.csv" all.csv || fail "the array job's all.csv differs from one machine's"

[ $failures = 0 ] && echo "both array jobs ran on the one-node cluster and gave what one machine gives"
exit $((failures > 0))
