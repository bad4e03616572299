# cmake -DSOURCE=<file> -DTARGET=<file> -P ZQCopyIfMissing.cmake
# Settings files that the user or the programs change are created when missing, never replaced.
if(NOT EXISTS "${TARGET}")
  get_filename_component(dir "${TARGET}" DIRECTORY)
  file(MAKE_DIRECTORY "${dir}")
  file(COPY_FILE "${SOURCE}" "${TARGET}")
endif()
