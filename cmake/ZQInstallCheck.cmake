# cmake -DBUILD_DIR=<build> -DPREFIX=<empty folder> -P ZQInstallCheck.cmake
# Installs the build under PREFIX twice and checks the layout the editor and the programmer expect,
# and that the second install keeps a settings file the user changed.
function(run_install)
  execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                  RESULT_VARIABLE result OUTPUT_QUIET)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${result})")
  endif()
endfunction()

file(REMOVE_RECURSE "${PREFIX}")
run_install()
foreach(path Data bin/Flasher bin/libvexorenc.so bin/libvexorisp.so bin/isp.ini bin/remote.ini bin/MD_DLL.DFT
             zqsuite_en.qm bin/zqsuite_en.qm)
  if(NOT EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "missing after install: ${path}")
  endif()
endforeach()
if(NOT IS_DIRECTORY "${PREFIX}/Data")
  message(FATAL_ERROR "Data is not a folder")
endif()
# Manual pages and completion, when the build made them (help2man installed).
foreach(path man/man1/zqflash.1 man/man1/zqpanel-sim.1)
  if(EXISTS "${BUILD_DIR}/${path}" AND NOT EXISTS "${PREFIX}/share/${path}")
    message(FATAL_ERROR "missing after install: share/${path}")
  endif()
endforeach()
if(NOT EXISTS "${PREFIX}/share/bash-completion/completions/zqflash")
  message(FATAL_ERROR "missing after install: share/bash-completion/completions/zqflash")
endif()
file(GLOB tests "${PREFIX}/*_test" "${PREFIX}/*_qtest" "${PREFIX}/bin/*_test")
if(tests)
  message(FATAL_ERROR "tests were installed: ${tests}")
endif()

set(changed "[sysset]\r\nauto=0\r\naddr=9\r\n")
file(WRITE "${PREFIX}/bin/isp.ini" "${changed}")
run_install()
# Compared as hex: a text read would drop the CRs.
file(READ "${PREFIX}/bin/isp.ini" kept HEX)
string(HEX "${changed}" changed)
if(NOT kept STREQUAL changed)
  message(FATAL_ERROR "a reinstall replaced the user's isp.ini")
endif()
file(REMOVE_RECURSE "${PREFIX}")
