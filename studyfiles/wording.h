// Whose words a reader of the study files refuses its input in. capsweep
// keeps the messages its users have always had (and the reading rules those
// messages go with); the programs that came after it share the newer ones.
#pragma once

namespace studyfiles {

enum class Wording {
  studies,   // "net.dat:4: edge record 3: node 4 is outside 1..3"
  capsweep,  // "net.dat:4: record 3: to node 4 is not a node number (1 to 3)"
};

}  // namespace studyfiles
