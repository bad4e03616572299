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

# zq_library(NAME DIR [LIBS libs...]): a shared library of every .cpp in DIR (not recursive).
function(zq_library name dir)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
  file(GLOB hdrs CONFIGURE_DEPENDS ${dir}/*.h)
  add_library(${name} SHARED ${srcs} ${hdrs})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# zq_add_child_folders(): adds every child folder of the current source folder that has a CMakeLists.txt.
function(zq_add_child_folders)
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(child ${children})
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
