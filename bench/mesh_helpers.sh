# Sourced by the benchmarks that sweep synthetic meshes: the mesh maker, a
# timer, and a study's node list and netdata file as GML.

# make_mesh NAME ROWS COLUMNS: NAME_nodes.txt and NAME.dat, a grid of spans
# to the right and downwards, both directions of each; costs 1-20, spare
# 0-15 and working channels 5-25 drawn from a fixed sequence, so that some
# bounds do not route and the search runs.
make_mesh() {
  awk -v name="$1" -v rows="$2" -v cols="$3" 'BEGIN {
    nodes = name "_nodes.txt"; dat = name ".dat"
    print nodes > nodes
    for (k = 1; k <= rows * cols; k++) printf "%d M%d 0.000000 0.000000\n", k, k > nodes
    seed = 12345; r = 0
    for (i = 0; i < rows; i++) for (j = 0; j < cols; j++) {
      k = i * cols + j + 1
      for (d = 0; d < 2; d++) {
        if (d == 0 && j + 1 >= cols) continue
        if (d == 1 && i + 1 >= rows) continue
        m = d == 0 ? k + 1 : k + cols
        seed = (seed * 1103515245 + 12345) % 2147483648; cost = 1 + int(seed / 65536) % 20
        seed = (seed * 1103515245 + 12345) % 2147483648; spare = int(seed / 65536) % 16
        seed = (seed * 1103515245 + 12345) % 2147483648; cap = 5 + int(seed / 65536) % 21
        line[++r] = k " " m " " cost " " spare " " cap; line[++r] = m " " k " " cost " " spare " " cap
      }
    }
    print 1 > dat; print rows * cols > dat; print r > dat
    for (x = 1; x <= r; x++) print x, line[x] > dat
  }'
}

seconds() {  # seconds COMMAND...: wall seconds of the command, output to run.log
  local t0 t1
  t0=$(date +%s%N); "$@" > run.log; t1=$(date +%s%N)
  awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", (b - a) / 1e9 }'
}

# to_gml NODEFILE NETDATA: a node list and a bidirectional netdata file as
# GML on standard output (coordinates and spans), for netimport.
to_gml() {
  awk 'NR == FNR { if (FNR > 1 && NF >= 4) printf "  node [ id %d label \"%s\" Longitude %s Latitude %s ]\n", $1, $2, $3, $4; next }
       FNR > 3 && NF >= 6 && $2 < $3 { printf "  edge [ source %d target %d ]\n", $2, $3 }
       BEGIN { print "graph [" } END { print "]" }' "$1" "$2"
}
