# SPDX-License-Identifier: MIT
# The Debian package: `cpack -G DEB` in a build directory configured with
# CMAKE_BUILD_TYPE=Release. The runtime dependencies come from dpkg-shlibdeps.

set(CPACK_PACKAGE_NAME vantro)
set(CPACK_PACKAGE_VENDOR "The Vantro developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "front-end for the Vantro 8051 USB programmer")
set(CPACK_PACKAGE_DESCRIPTION
    "Erases 8051-family chips, writes Intel HEX images into their FLASH or EEPROM and
writes their lock bits, through the Vantro USB HID programmer (1234:0001).
Every HEX file is checked before anything is sent. Contains the window (vantro),
its command-line twin (vantro-cli), which can also run on an emulated programmer,
and a udev rule that gives the user at the seat access to the programmer.")
set(CPACK_PACKAGE_CONTACT "The Vantro developers <dev@vantro.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL ${PROJECT_HOMEPAGE_URL})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# Windows programs are stripped when linked (windows/install.cmake).
if(NOT WIN32)
  set(CPACK_STRIP_FILES ON)
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET vantro)
  # libqt6gui6 only recommends its platform plugins, and without them no window opens.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
endif()
# Applies the udev rule to a programmer that is already plugged in.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/linux/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
