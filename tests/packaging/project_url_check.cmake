# cmake -DSOURCE_DIR=<source> -P project_url_check.cmake
# The web address setting: the metainfo's folder and the AppStream ids' start made of it, and an
# address that is none refused at configure time with the reason.
include(${SOURCE_DIR}/cmake/ZQProjectUrl.cmake)
foreach(case "https://zqpanel.invalid/|https://zqpanel.invalid/|invalid.zqpanel"
             "https://Zq-Panel.example.org/suite//|https://Zq-Panel.example.org/suite/|org.example.zq_panel"
             "http://example.org|http://example.org/|org.example")
  string(REPLACE "|" ";" case "${case}")
  list(GET case 0 url)
  list(GET case 1 want_dir)
  list(GET case 2 want_prefix)
  zq_project_url("${url}" dir prefix)
  if(NOT dir STREQUAL want_dir OR NOT prefix STREQUAL want_prefix)
    message(FATAL_ERROR "${url}: '${dir}' and '${prefix}', expected '${want_dir}' and '${want_prefix}'")
  endif()
endforeach()
string(RANDOM LENGTH 8 tag)
set(bad ${CMAKE_CURRENT_BINARY_DIR}/project_url_bad_${tag}.cmake)
file(WRITE ${bad} "include(${SOURCE_DIR}/cmake/ZQProjectUrl.cmake)\nzq_project_url(ftp://example.org/ d p)\n")
execute_process(COMMAND ${CMAKE_COMMAND} -P ${bad} RESULT_VARIABLE status ERROR_VARIABLE error)
file(REMOVE ${bad})
if(status EQUAL 0 OR NOT error MATCHES "ZQ_PROJECT_URL must be an http" OR NOT error MATCHES "'ftp://example.org/'")
  message(FATAL_ERROR "an ftp address was not refused with its reason: ${status} ${error}")
endif()
message(STATUS "project address settings ok")
