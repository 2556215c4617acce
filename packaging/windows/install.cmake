# SPDX-License-Identifier: MIT
# What the Windows ZIP holds, all in its top folder: vantro.exe and vantro-cli.exe
# (the C++ runtime linked in: nothing else to install), the Windows README, LICENSE and
# the quick start. The texts get CRLF line ends and a UTF-8 byte-order mark, so
# Notepad shows their accents rightly.
install(TARGETS vantro vantro-cli RUNTIME DESTINATION .)
# A release's programs are stripped as they are linked: a strip afterwards (CPack's)
# stamps each copy with its own time, and the setup program's would not be the ZIP's.
foreach(program vantro vantro-cli)
  target_link_options(${program} PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s>)
endforeach()
string(ASCII 239 187 191 utf8_bom)
foreach(text README.md LEIA-ME.txt)
  file(READ ${CMAKE_CURRENT_LIST_DIR}/${text} content)
  string(REPLACE "\n" "\r\n" content "${content}")
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/windows/${text} "${utf8_bom}${content}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${text})
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/windows/${text} DESTINATION .)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_SYSTEM_NAME windows-x86_64)

# The setup program, vantro-VERSION-setup.exe: `cmake --build BUILD --target setup`.
# It packs the files the ZIP holds, installed as CPack installs them for the ZIP.
find_program(VANTRO_MAKENSIS makensis)
if(VANTRO_MAKENSIS)
  set(setup ${CMAKE_BINARY_DIR}/vantro-${PROJECT_VERSION}-setup.exe)
  set(setup_files ${CMAKE_BINARY_DIR}/setup-files)
  add_custom_command(OUTPUT ${setup}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${setup_files}
    COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${setup_files}
    COMMAND ${VANTRO_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DFILES=${setup_files}
            -DSOURCE=${PROJECT_SOURCE_DIR} -DURL=${PROJECT_HOMEPAGE_URL} -DOUTPUT=${setup}
            ${CMAKE_CURRENT_LIST_DIR}/vantro.nsi
    DEPENDS vantro vantro-cli ${CMAKE_CURRENT_LIST_DIR}/vantro.nsi
            ${CMAKE_CURRENT_LIST_DIR}/LEIA-ME.txt ${CMAKE_CURRENT_LIST_DIR}/README.md)
  add_custom_target(setup DEPENDS ${setup})
endif()
