# Sourced by the benchmarks that study the shipped examples beside imported
# networks.

# csv_of NODEFILE NETDATA FOLDER: a shipped node list and netdata file as
# netimport's CSV files (FOLDER/nodes.csv, FOLDER/links.csv), so that
# netimport gives them the uniform demand it gives every network.
csv_of() {
  mkdir -p "$3"
  awk 'NR > 1 { printf "%s,%s,%s\n", $2, $4, $3 }' "$1" | { echo "name,latitude,longitude"; cat; } > "$3/nodes.csv"
  awk 'NR == FNR { if (FNR > 1) name[$1] = $2; next } FNR > 3 && (FNR - 4) % 2 == 0 { print name[$2] "," name[$3] }' "$1" "$2" |
    { echo "a,b"; cat; } > "$3/links.csv"
}

# to_gml NODEFILE NETDATA: a node list and a bidirectional netdata file as
# GML on standard output, coordinates and spans, for netimport.
to_gml() {
  awk 'NR == FNR { if (FNR > 1 && NF >= 4) printf "  node [ id %d label \"%s\" Longitude %s Latitude %s ]\n", $1, $2, $3, $4; next }
       FNR > 3 && NF >= 6 && $2 < $3 { printf "  edge [ source %d target %d ]\n", $2, $3 }
       BEGIN { print "graph [" } END { print "]" }' "$1" "$2"
}
