# SPDX-License-Identifier: MIT
# vantro_library(NAME SOURCES... [USES LIBRARIES...]): the static library of one
# folder. Includes name the folder from the top of the tree ("hex/hex_image.h");
# USES lists only libraries of folders below this one in the layer order.
function(vantro_library name)
  cmake_parse_arguments(ARG "" "" "USES" ${ARGN})
  add_library(${name} STATIC ${ARG_UNPARSED_ARGUMENTS})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_USES})
  vantro_warnings(${name})
endfunction()
