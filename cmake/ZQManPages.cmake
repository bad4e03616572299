# Manual pages made from the programs' own --help and --version, and bash completion scripts.
#
# zq_add_man_page(TARGET SECTION [NAME "one line"] [PAGE command])
#   Builds <build>/man/man<SECTION>/<PAGE>.<SECTION> with help2man after TARGET is built and
#   installs it gzip-compressed (-9n, as Debian wants it) under share/man/man<SECTION>. PAGE is the
#   installed command the page describes (TARGET when left out, "zqeditor" for ZQEditor); NAME is the
#   one-line description of the NAME section (help2man's "manual page for ..." when left out). A
#   file <PAGE>.h2m beside the calling CMakeLists.txt adds sections of its own (help2man --include:
#   [EXAMPLES], [FILES], ...). Without help2man (scripts/setup.sh installs it) the page is left out
#   with a warning.
#
# zq_add_bash_completion(TARGET FILE)
#   Copies FILE to <build>/bash-completion/<TARGET> and installs it under
#   share/bash-completion/completions/<TARGET>, where bash-completion loads it on demand.
include_guard(GLOBAL)

find_program(ZQ_HELP2MAN help2man)
find_program(ZQ_GZIP gzip REQUIRED)
set(ZQ_MAN_DIR ${CMAKE_BINARY_DIR}/man)
set(ZQ_COMPLETION_DIR ${CMAKE_BINARY_DIR}/bash-completion)

function(zq_add_man_page target section)
  cmake_parse_arguments(ARG "" "NAME;PAGE" "" ${ARGN})
  set(command ${target})
  if(ARG_PAGE)
    set(command ${ARG_PAGE})
  endif()
  if(NOT ZQ_HELP2MAN)
    message(WARNING "help2man not found: no manual page for ${target} (scripts/setup.sh installs it)")
    return()
  endif()
  set(page ${ZQ_MAN_DIR}/man${section}/${command}.${section})
  set(options --no-info --section=${section} --output=${page})
  if(ARG_NAME)
    list(APPEND options "--name=${ARG_NAME}")
  endif()
  set(include_file ${CMAKE_CURRENT_SOURCE_DIR}/${command}.h2m)
  set(depends ${target})
  if(EXISTS ${include_file})
    list(APPEND options --include=${include_file})
    list(APPEND depends ${include_file})
  endif()
  # The program runs while building: no display, no leak report of a sanitized build in the page,
  # the English texts whatever the builder's locale.
  add_custom_command(OUTPUT ${page} ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ZQ_MAN_DIR}/man${section}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 ZQ_LANG=en
            ${ZQ_HELP2MAN} ${options} $<TARGET_FILE:${target}>
    COMMAND ${ZQ_GZIP} -9nf -k ${page}
    DEPENDS ${depends}
    COMMENT "Manual page ${command}(${section})"
    VERBATIM)
  add_custom_target(${target}_man ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION share/man/man${section})
endfunction()

function(zq_add_bash_completion target file)
  get_filename_component(source ${file} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  set(copy ${ZQ_COMPLETION_DIR}/${target})
  add_custom_command(OUTPUT ${copy}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
    DEPENDS ${source}
    COMMENT "Bash completion for ${target}"
    VERBATIM)
  add_custom_target(${target}_completion ALL DEPENDS ${copy})
  install(FILES ${copy} DESTINATION share/bash-completion/completions)
endfunction()
