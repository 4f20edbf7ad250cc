# ERFA where no prebuilt library fits (the Windows program): Debian's `erfa`
# source package, fetched with `apt-get source` on the first configure into
# the build folder and kept there, compiled with this build's C compiler.
# Defines the static library lumivane_erfa. Needs deb-src entries for the
# Debian archive and dpkg-dev (scripts/install-deps sets both up).
enable_language(C)

set(erfa_dir ${CMAKE_BINARY_DIR}/_deps/erfa)
set(erfa_source ${erfa_dir}/source)
if(NOT EXISTS ${erfa_source}/src/erfa.h)
  # Unpacked aside and renamed at the end, so an interrupted fetch is redone.
  set(erfa_fetch ${erfa_dir}/fetch)
  file(REMOVE_RECURSE ${erfa_fetch} ${erfa_source})
  file(MAKE_DIRECTORY ${erfa_fetch})
  message(STATUS "Fetching ERFA's sources: apt-get source erfa")
  execute_process(COMMAND apt-get source -q erfa
    WORKING_DIRECTORY ${erfa_fetch}
    RESULT_VARIABLE erfa_status OUTPUT_VARIABLE erfa_output ERROR_VARIABLE erfa_output)
  file(GLOB erfa_unpacked LIST_DIRECTORIES true ${erfa_fetch}/erfa-*)
  if(NOT erfa_status EQUAL 0 OR NOT EXISTS "${erfa_unpacked}/src/erfa.h")
    message(FATAL_ERROR "Could not fetch ERFA's sources with 'apt-get source erfa' "
      "(scripts/install-deps adds the deb-src entries and dpkg-dev it needs):\n${erfa_output}")
  endif()
  file(RENAME ${erfa_unpacked} ${erfa_source})
  file(REMOVE_RECURSE ${erfa_fetch})
endif()

# The version eraVersion() reports, which the autotools build takes from
# configure.ac.
file(STRINGS ${erfa_source}/configure.ac erfa_init REGEX "^AC_INIT\\(")
file(STRINGS ${erfa_source}/configure.ac erfa_sofa REGEX "SOFA_VERSION\\]")
string(REGEX MATCH "([0-9]+)\\.([0-9]+)\\.([0-9]+)" erfa_version "${erfa_init}")
set(erfa_major ${CMAKE_MATCH_1})
set(erfa_minor ${CMAKE_MATCH_2})
set(erfa_micro ${CMAKE_MATCH_3})
string(REGEX MATCH "\"([0-9]+)\"" erfa_sofa_quoted "${erfa_sofa}")
set(erfa_sofa_version ${CMAKE_MATCH_1})
if(NOT erfa_version OR NOT erfa_sofa_version)
  message(FATAL_ERROR "No ERFA or SOFA version in ${erfa_source}/configure.ac")
endif()
message(STATUS "ERFA ${erfa_version} (SOFA ${erfa_sofa_version}) from ${erfa_source}")

# Every C file of src/ but the test programs t_*.c: the library's list in
# src/Makefile.am. A glob here, not a list: the files are Debian's unpacked
# sources, whatever that version holds, not ours.
file(GLOB erfa_sources ${erfa_source}/src/*.c)
list(FILTER erfa_sources EXCLUDE REGEX "/t_[^/]*\\.c$")
add_library(lumivane_erfa STATIC ${erfa_sources})
set_target_properties(lumivane_erfa PROPERTIES C_STANDARD 99 C_STANDARD_REQUIRED ON
  C_EXTENSIONS OFF)
# The results must match the Linux build's system library: no contraction
# into fused multiply-adds, no fast-math (never set here).
target_compile_options(lumivane_erfa PRIVATE -ffp-contract=off)
target_compile_definitions(lumivane_erfa PRIVATE
  PACKAGE_VERSION="${erfa_version}"
  PACKAGE_VERSION_MAJOR=${erfa_major}
  PACKAGE_VERSION_MINOR=${erfa_minor}
  PACKAGE_VERSION_MICRO=${erfa_micro}
  SOFA_VERSION="${erfa_sofa_version}")
# Third-party headers: our warning flags are not theirs to meet.
target_include_directories(lumivane_erfa SYSTEM PUBLIC ${erfa_source}/src)
