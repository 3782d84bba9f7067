graph [
  node [ id 0 label "A" Latitude 50.0 Longitude 10.0 ]
  node [ id 1 la