Creator "made by hand for netimport"
graph [
  multigraph 1
  node [ Longitude 10.0 label "Twin" id 5 Latitude 50.0 ]
  node [ id 6 label "Twin" Latitude 52.0 Longitude 10.0 ]
  node [
    id 7
    label "Lost # not a comment"
  ]
  node [ id 8 label "Far, far away (a very long name)" Latitude 51.0 Longitude 12.0 ]
  node [ id 9 label "Alone" Latitude 40.0 Longitude 0.0 ]
  node [ id 10 label "Nowhere" ]
  node [ id 11 label "Island" Latitude 41.0 Longitude 0.0 ]
  edge [ target 6 source 5 LinkLabel "one" ]
  edge [ source 5 target 6 LinkLabel "two" ]
  edge [ source 7 target 5 ]
  edge [ source 7 target 6 ]
  edge [ source 8 target 8 ]
  edge [ source 8 target 6 ]
  edge [ source 10 target 7 ]
  edge [ source 9 target 11 ]
]
