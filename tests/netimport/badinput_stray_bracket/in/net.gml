graph [
  node [ id 0 label "A" Latitude 50.0 Longitude 10.0 ]
  node [ id 1 label "B" Latitude 51.0 Longitude 11.0 ]
  edge [ source 0 target 1 ]
]
]
