# The packages: a Debian package on Linux; a portable ZIP and an NSIS
# installer per Windows architecture. scripts/package makes them all.
set(CPACK_PACKAGE_NAME lumivane)
set(CPACK_PACKAGE_VENDOR Brevanta)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sun clock: day and night on a small map of the Earth")
set(CPACK_PACKAGE_DESCRIPTION
  "Lumivane keeps a small borderless map of the Earth on the desktop. The half
in daylight keeps the map's colours, the night half is darkened towards blue,
and markers show where the sun and the moon stand. Drag it anywhere; a right
click opens its setup. lumivane-render draws the same picture into a PNG or
BMP file without a window.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
# Only what the install rules name, never the build tree's other files.
set(CPACK_SOURCE_GENERATOR "")

if(WIN32)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(CPACK_LUMIVANE_NSIS_TARGET amd64-unicode)
    set(CPACK_LUMIVANE_PROGRAM_FILES "$PROGRAMFILES64")
  else()
    set(CPACK_LUMIVANE_NSIS_TARGET x86-unicode)
    set(CPACK_LUMIVANE_PROGRAM_FILES "$PROGRAMFILES")
  endif()
  set(CPACK_GENERATOR "ZIP;NSIS")
  set(CPACK_PACKAGE_FILE_NAME Lumivane-${PROJECT_VERSION}-${CMAKE_SYSTEM_PROCESSOR})
  # Our own installer script (NSIS.template.in), and what it needs to know.
  list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/windows)
  set(CPACK_NSIS_DISPLAY_NAME Lumivane)
  set(CPACK_LUMIVANE_ICON ${PROJECT_SOURCE_DIR}/res/lumivane.ico)
  set(CPACK_LUMIVANE_VERSION_QUAD ${PROJECT_VERSION}.0)
  set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/windows/per_generator.cmake)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER Brevanta)
  # The libraries the programs link, found by dpkg-shlibdeps; Qt loads its
  # display plugin (xcb) at run time, so that package is named here.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
  # lumivane-render --place gives a place's local time from the system's
  # time zones (without them it prints null).
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS tzdata)
  # lumivane-wallpaper asks xdpyinfo for the screen's size when it can.
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS x11-utils)
endif()

include(CPack)
