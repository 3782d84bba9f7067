// The four restoration methods, one per simulator, with the names and the
// result-table tags that the experiment tables give them.
#pragma once

#include <cstddef>

#include "experiment_table.h"

namespace restoresim {

// In the order of studyfiles::kExperimentMethods, which names them.
enum class Method { vetrun, kimber, ospel, dunvar };
static_assert(studyfiles::kExperimentMethodCount == 4);

// "vetrun", "kimber", "ospel", "dunvar"
inline const char* method_name(Method m) { return studyfiles::kExperimentMethods[static_cast<std::size_t>(m)].name; }
// "vtr", "kmb", "osp", "dunv"
inline const char* method_tag(Method m) { return studyfiles::kExperimentMethods[static_cast<std::size_t>(m)].tag; }

// What the method does: "single-ended flooding restoration"...
const char* method_title(Method m);

}  // namespace restoresim
