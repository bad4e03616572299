# cmake -DBUILD_DIR=<build> -DPREFIX=<empty folder> -P ZQInstallCheck.cmake
# Installs the build under PREFIX twice and checks the layout the editor and the programmer expect
# (the suite in lib/zqpanel, commands linked from bin, the desktop's files in share), and that the
# second install keeps a settings file the user changed.
function(run_install)
  execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                  RESULT_VARIABLE result OUTPUT_QUIET)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${result})")
  endif()
endfunction()

set(SUITE "${PREFIX}/lib/zqpanel")
file(REMOVE_RECURSE "${PREFIX}")
run_install()
foreach(path Data bin/Flasher bin/libvexorenc.so bin/libvexorisp.so bin/isp.ini bin/remote.ini bin/MD_DLL.DFT
             zqe DeviceRegister.ini PLCRegister.ini .zqpanel-system-install zqsuite_en.qm bin/zqsuite_en.qm)
  if(NOT EXISTS "${SUITE}/${path}")
    message(FATAL_ERROR "missing after install: lib/zqpanel/${path}")
  endif()
endforeach()
if(NOT IS_DIRECTORY "${SUITE}/Data")
  message(FATAL_ERROR "Data is not a folder")
endif()
foreach(path share/applications/zqeditor.desktop share/applications/zqflasher.desktop
             share/mime/packages/zqpanel.xml share/icons/hicolor/scalable/apps/zqeditor.svg
             share/icons/hicolor/48x48/apps/zqeditor.png share/icons/hicolor/256x256/apps/zqflasher.png)
  if(NOT EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "missing after install: ${path}")
  endif()
endforeach()
# Every command is a relative link that reaches its program.
file(GLOB commands "${PREFIX}/bin/*")
if(NOT commands)
  message(FATAL_ERROR "no commands in bin")
endif()
foreach(command ${commands})
  file(READ_SYMLINK "${command}" target)
  if(IS_ABSOLUTE "${target}" OR NOT EXISTS "${command}")
    message(FATAL_ERROR "${command} -> ${target} is not a relative link to a program")
  endif()
endforeach()
# Manual pages (installed compressed) and completion, when the build made them (help2man installed).
foreach(path man/man1/zqflash.1 man/man1/zqpanel-sim.1 man/man1/zqeditor.1 man/man1/zqflasher.1)
  if(EXISTS "${BUILD_DIR}/${path}" AND NOT EXISTS "${PREFIX}/share/${path}.gz")
    message(FATAL_ERROR "missing after install: share/${path}.gz")
  endif()
endforeach()
if(NOT EXISTS "${PREFIX}/share/bash-completion/completions/zqflash")
  message(FATAL_ERROR "missing after install: share/bash-completion/completions/zqflash")
endif()
file(GLOB tests "${SUITE}/*_test" "${SUITE}/*_qtest" "${SUITE}/bin/*_test")
if(tests)
  message(FATAL_ERROR "tests were installed: ${tests}")
endif()

set(changed "[sysset]\r\nauto=0\r\naddr=9\r\n")
file(WRITE "${SUITE}/bin/isp.ini" "${changed}")
run_install()
# Compared as hex: a text read would drop the CRs.
file(READ "${SUITE}/bin/isp.ini" kept HEX)
string(HEX "${changed}" changed)
if(NOT kept STREQUAL changed)
  message(FATAL_ERROR "a reinstall replaced the user's isp.ini")
endif()
file(REMOVE_RECURSE "${PREFIX}")
