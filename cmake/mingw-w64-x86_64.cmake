# SPDX-License-Identifier: MIT
# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (posix threads, for
# std::thread). Programs link the C++ runtime statically: a lone .exe runs.
# VANTRO_WINDOWS_PREFIX names the folder with the Windows builds of hidapi,
# GoogleTest and CLI11 (packaging/windows/ci-wine.sh makes it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${VANTRO_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Tries to compile inside CMake's own checks see this variable too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VANTRO_WINDOWS_PREFIX)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
# libstdc++ 12 on a system without futexes builds std::binary_semaphore, which a
# std::stop_callback waits on, from atomic waits that can miss their wake-up
# (GCC bug 106183): a jthread's request_stop and join then wait for ever.
# Windows' own semaphores (through winpthreads) do not.
add_compile_definitions(_GLIBCXX_USE_POSIX_SEMAPHORE=1)
# Test discovery and ctest run the programs under Wine.
find_program(VANTRO_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(VANTRO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VANTRO_WINE})
endif()
