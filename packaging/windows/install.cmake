# SPDX-License-Identifier: MIT
# What the Windows ZIP holds, all in its top folder: vantro-cli.exe (the C++
# runtime linked in: nothing else to install), README, LICENSE and the quick start.
install(TARGETS vantro-cli RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${CMAKE_CURRENT_LIST_DIR}/LEIA-ME.txt
        DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_SYSTEM_NAME windows-x86_64)
