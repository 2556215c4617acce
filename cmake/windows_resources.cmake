# SPDX-License-Identifier: MIT
# vantro_windows_resources(TARGET DESCRIPTION): the program's icon, a manifest
# (runs as the user, Windows 10 and later, UTF-8 code page, long paths) and the
# version information Explorer shows, from packaging/windows/program.*.in.
function(vantro_windows_resources target description)
  set(VANTRO_RC_NAME ${target})
  set(VANTRO_RC_DESCRIPTION "${description}")
  set(VANTRO_RC_ICON ${PROJECT_SOURCE_DIR}/app/resources/vantro.ico)
  set(VANTRO_RC_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  set(templates ${PROJECT_SOURCE_DIR}/packaging/windows)
  configure_file(${templates}/program.manifest.in ${VANTRO_RC_MANIFEST} @ONLY)
  configure_file(${templates}/program.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
endfunction()
