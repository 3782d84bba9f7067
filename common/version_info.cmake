# Writes OUTPUT, the toolkit's version as a C++ definition: PROJECT_VERSION,
# followed by "+" and `git describe` when SOURCE_DIR is a checkout. The file
# is rewritten only when the text changes, so a build after a commit
# recompiles one file.
execute_process(
  COMMAND git -C "${SOURCE_DIR}" describe --always --dirty
  OUTPUT_VARIABLE described
  RESULT_VARIABLE described_status
  OUTPUT_STRIP_TRAILING_WHITESPACE
  ERROR_QUIET)
set(version "${PROJECT_VERSION}")
if(described_status EQUAL 0 AND NOT described STREQUAL "")
  set(version "${version}+${described}")
endif()
set(text "// Made by version_info.cmake at build time.\n#include \"version.h\"\n\nconst char* toolkit_version() { return \"${version}\"; }\n")
set(old "")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
endif()
if(NOT old STREQUAL text)
  file(WRITE "${OUTPUT}" "${text}")
endif()
