# Flags shared by every target of the project.
#
# The astronomy and shading results must match reference values to the last
# digits, so fused multiply-add contraction and fast-math are ruled out.
add_library(lumivane_compiler_settings INTERFACE)
target_compile_options(lumivane_compiler_settings INTERFACE
  -Wall -Wextra -Wpedantic
  -ffp-contract=off
  $<$<BOOL:${LUMIVANE_WARNINGS_AS_ERRORS}>:-Werror>)

if(NOT WIN32)
  # Position-independent code may still call and inline its own functions
  # directly: nothing of ours is ever replaced at load time.
  target_compile_options(lumivane_compiler_settings INTERFACE -fno-semantic-interposition)
endif()

if(MINGW)
  # Only system DLLs at run time.
  target_link_options(lumivane_compiler_settings INTERFACE
    -static -static-libgcc -static-libstdc++)
endif()

set(LUMIVANE_SANITIZE "" CACHE STRING "Sanitizers to build with, e.g. address,undefined")
if(LUMIVANE_SANITIZE)
  target_compile_options(lumivane_compiler_settings INTERFACE
    -fsanitize=${LUMIVANE_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(lumivane_compiler_settings INTERFACE -fsanitize=${LUMIVANE_SANITIZE})
endif()

# lumivane_sanitized_test_environment(test ...): in a sanitized build, tells
# the tests so (LUMIVANE_SANITIZED=1: scripts then leave out the limits a
# sanitizer cannot run under) and hides the leaks of system libraries that
# are not ours (tests/leak_suppressions.txt).
function(lumivane_sanitized_test_environment)
  if(LUMIVANE_SANITIZE)
    set_property(TEST ${ARGN} APPEND PROPERTY ENVIRONMENT LUMIVANE_SANITIZED=1
      LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/leak_suppressions.txt)
  endif()
endfunction()

# lumivane_add_core_library(name SOURCES ... DEPENDS ...): a static library of
# the calling folder's sources, named relative to it (an interface library
# for a folder of headers only), with the src/ include root.
function(lumivane_add_core_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  if(ARG_SOURCES)
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPENDS})
  endif()
endfunction()
