# zq_add_gtest(NAME SOURCES... [LIBS libs...] [LABELS labels...])
# A GoogleTest executable in the output folder, its cases registered with CTest when the tests run.
function(zq_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  # Tests check the Chinese texts unless they choose English themselves.
  set(props ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ZQ_LANG=zh")
  if(ARG_LABELS)
    list(APPEND props LABELS "${ARG_LABELS}")
  endif()
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${ZQ_OUT_DIR}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${props})
endfunction()

# zq_add_x11_test(TARGET): registers a test executable that walks real windows with real input
# (xdotool) on a private X server (tests/editor/app/run_under_xvfb.sh starts and stops it), from the
# output folder, in Chinese; skipped (77) without Xvfb or xdotool.
function(zq_add_x11_test name)
  add_test(NAME ${name} COMMAND ${CMAKE_SOURCE_DIR}/tests/editor/app/run_under_xvfb.sh $<TARGET_FILE:${name}>
    WORKING_DIRECTORY ${ZQ_OUT_DIR})
  set_tests_properties(${name} PROPERTIES LABELS "widgets;x11" TIMEOUT 300 SKIP_RETURN_CODE 77
    ENVIRONMENT "ZQ_LANG=zh;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/editor/app/x11_lsan.supp:print_suppressions=0")
endfunction()

# zq_require_folder(DIR): stops the configure with a clear message when a folder the build expects
# is missing (a partial checkout, a renamed folder), instead of leaving its targets out silently.
function(zq_require_folder dir)
  if(NOT IS_DIRECTORY ${dir})
    message(FATAL_ERROR "The build expects the folder ${dir}, which is missing")
  endif()
endfunction()

# zq_check_units_listed(DIR LISTED...): every .cpp directly in DIR must be among LISTED (file names
# relative to DIR); a unit that was added to the folder but to no list stops the configure, naming
# the list to add it to, so nothing is left out of a library without anyone noticing.
function(zq_check_units_listed dir)
  zq_require_folder(${dir})
  file(GLOB present RELATIVE ${dir} ${dir}/*.cpp)
  foreach(unit ${present})
    if(NOT unit IN_LIST ARGN)
      file(RELATIVE_PATH where ${CMAKE_SOURCE_DIR} ${dir})
      message(FATAL_ERROR "${where}/${unit} is in no source list: add it to the list in ${where}/CMakeLists.txt")
    endif()
  endforeach()
  foreach(unit ${ARGN})
    if(NOT EXISTS ${dir}/${unit})
      message(FATAL_ERROR "${dir}/${unit} is listed but does not exist")
    endif()
  endforeach()
endfunction()

# zq_shared_library_properties(NAME): what every shared library of the suite has: the project's
# version as VERSION and its major number as SOVERSION (libX.so.<major> is the name programs load),
# and hidden symbols except those its export macro marks (see comkit/comkit_api.h and its siblings).
function(zq_shared_library_properties name)
  set_target_properties(${name} PROPERTIES
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
endfunction()

# zq_library(NAME DIR SOURCES units... [LIBS libs...]): a shared library of the listed .cpp files of
# DIR (names relative to DIR). Every .cpp in DIR must be listed (see zq_check_units_listed); to add
# a unit, add its .cpp to the SOURCES list in the folder's CMakeLists.txt.
function(zq_library name dir)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_SOURCES)
    file(GLOB present RELATIVE ${dir} ${dir}/*.cpp)
    list(SORT present)
    string(REPLACE ";" " " present "${present}")
    message(FATAL_ERROR "zq_library(${name} ...) lists no units: add SOURCES ${present}")
  endif()
  zq_check_units_listed(${dir} ${ARG_SOURCES})
  list(TRANSFORM ARG_SOURCES PREPEND ${dir}/)
  add_library(${name} SHARED ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  zq_shared_library_properties(${name})
endfunction()

# zq_unit_sources(OUT UNITS units... [ALSO files...]): the .cpp and .h of each unit of the current
# source folder in OUT, after checking that every .cpp of the folder is one of the units or ALSO (a
# program's main.cpp, say); for the static libraries of the programs, as zq_library does for shared ones.
function(zq_unit_sources out)
  cmake_parse_arguments(ARG "" "" "UNITS;ALSO" ${ARGN})
  set(files)
  set(cpps ${ARG_ALSO})
  foreach(unit ${ARG_UNITS})
    list(APPEND files ${unit}.cpp ${unit}.h)
    list(APPEND cpps ${unit}.cpp)
  endforeach()
  zq_check_units_listed(${CMAKE_CURRENT_SOURCE_DIR} ${cpps})
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# zq_add_folders(NAMES...): adds the named child folders of the current source folder, in order. A
# folder or its CMakeLists.txt missing stops the configure (a test list deleted by mistake would
# otherwise drop its tests silently). A new folder joins its parent's list.
function(zq_add_folders)
  foreach(name ${ARGN})
    set(child ${CMAKE_CURRENT_SOURCE_DIR}/${name})
    zq_require_folder(${child})
    if(NOT EXISTS ${child}/CMakeLists.txt)
      message(FATAL_ERROR "The build expects ${child}/CMakeLists.txt, which is missing")
    endif()
  endforeach()
  foreach(name ${ARGN})
    add_subdirectory(${name})
  endforeach()
endfunction()
