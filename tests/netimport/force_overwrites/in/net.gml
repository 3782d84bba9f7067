graph [
  node [ id 1 label "A" Latitude 0 Longitude 0 ]
  node [ id 2 label "B" Latitude 0 Longitude 1 ]
  node [ id 3 label "C" Latitude 0 Longitude 2 ]
  edge [ source 1 target 2 ]
  edge [ source 2 target 3 ]
]
