# Read by CPack once for each generator.
if(CPACK_GENERATOR STREQUAL "NSIS")
  # The installer's name says what it is.
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  # The ZIP unpacks into one folder named like the file.
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
