graph [
  node [ id 0 label "A" ]
  node [ id 1 label "B" ]
  edge [ source 0 target 1 ]
]
