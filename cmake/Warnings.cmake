# Every project target compiles with the same warning set.
function(halvane_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wno-unused-parameter)
endfunction()

# A library of this project: sources relative to the calling folder, public headers from src/.
function(halvane_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  halvane_warnings(${name})
endfunction()
