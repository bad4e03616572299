# The hardening Debian builds its packages with, for the optimised builds the package is made from:
# the flags dpkg-buildflags gives with every hardening feature on (fortified C library calls, stack
# protector, format checks, read-only relocations bound at start-up; position-independent programs
# are the compiler's default and CMAKE_POSITION_INDEPENDENT_CODE keeps them). Only the hardening
# flags are taken, not dpkg-buildflags' -O2 -g or its source-path mapping, so the build type still
# decides optimisation and debug information. Left out for sanitized and unoptimised builds (the
# fortified calls need optimisation) and when ZQ_HARDENING is OFF or dpkg-buildflags is missing.
# The compile flags go to the folders the package ships (ZQ_HARDENED_FOLDERS, through
# zq_hardened_folder before each add_subdirectory); the tests and benchmarks keep the flags they
# were built with. The link flags go to every program and library.
include_guard(GLOBAL)

option(ZQ_HARDENING "Build with Debian's hardening flags (optimised, unsanitized builds)" ON)
find_program(ZQ_DPKG_BUILDFLAGS dpkg-buildflags)

function(zq_hardening_flags variable out)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                          ${ZQ_DPKG_BUILDFLAGS} --get ${variable}
                  OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
  set(kept)
  if(status EQUAL 0)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    foreach(flag ${flags})
      if(flag MATCHES "^(-D_FORTIFY_SOURCE|-fstack-protector|-fstack-clash-protection|-fcf-protection|-Wformat|-Werror=format-security|-Wl,-z,)")
        list(APPEND kept ${flag})
      endif()
    endforeach()
  endif()
  set(${out} ${kept} PARENT_SCOPE)
endfunction()

set(ZQ_HARDENED OFF)
if(ZQ_HARDENING AND ZQ_DPKG_BUILDFLAGS AND NOT ZQ_SANITIZED
   AND CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
  zq_hardening_flags(CPPFLAGS cpp_flags)
  zq_hardening_flags(CXXFLAGS cxx_flags)
  zq_hardening_flags(LDFLAGS ld_flags)
  set(ZQ_HARDENING_COMPILE_FLAGS ${cpp_flags} ${cxx_flags})
  add_link_options(${ld_flags})
  set(ZQ_HARDENED ON)
  message(STATUS "Hardening: ${cpp_flags} ${cxx_flags} ${ld_flags}")
endif()

set(ZQ_HARDENED_FOLDERS comkit appkit devices controls cipher vexorisp flasher editor emulator tools)
get_directory_property(ZQ_UNHARDENED_OPTIONS COMPILE_OPTIONS)

# Sets the compile options a folder added next starts with: the hardening flags for a shipped one.
macro(zq_hardened_folder dir)
  set_directory_properties(PROPERTIES COMPILE_OPTIONS "${ZQ_UNHARDENED_OPTIONS}")
  if(ZQ_HARDENED AND "${dir}" IN_LIST ZQ_HARDENED_FOLDERS)
    add_compile_options(${ZQ_HARDENING_COMPILE_FLAGS})
  endif()
endmacro()
