# Installs the suite under CMAKE_INSTALL_PREFIX in the layout it has in the build's out/ folder:
# the editor, the tools, the shared libraries and the catalogues at the top, Data/ for download
# images, and bin/ with Flasher and the libraries it loads by name (libvexorenc.so,
# libvexorisp.so) beside its settings (isp.ini, remote.ini, MD_DLL.DFT).
# Include once, after every folder has been added. A target opts out with the property
# ZQ_NO_INSTALL (for example a generator only used while building).
include_guard(GLOBAL)

set(ZQ_INSTALL_FOLDERS comkit devices controls cipher vexorisp flasher editor emulator tools)
# Settings that the user or the programs change: created when missing, never replaced.
set(ZQ_INSTALL_KEEP isp.ini remote.ini MD_DLL.DFT SystemInit.ini)
# Generators that only serve the build (besides targets marked ZQ_NO_INSTALL).
set(ZQ_INSTALL_SKIP fontgen pixtables)
# Shipped data files copied from out/ and out/bin.
set(ZQ_INSTALL_DATA_PATTERNS *.ini *.INI *.DFT *.pdf)

function(zq_install_collect_targets dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub ${subdirs})
    zq_install_collect_targets(${sub} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Programs and shared libraries go where they are built: out/bin -> bin, out -> the top;
# what is built elsewhere only serves the build.
foreach(folder ${ZQ_INSTALL_FOLDERS})
  if(NOT EXISTS ${CMAKE_SOURCE_DIR}/${folder}/CMakeLists.txt)
    continue()
  endif()
  zq_install_collect_targets(${CMAKE_SOURCE_DIR}/${folder} targets)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    get_target_property(skip ${target} ZQ_NO_INSTALL)
    if(skip OR target IN_LIST ZQ_INSTALL_SKIP)
      continue()
    endif()
    if(type STREQUAL "EXECUTABLE")
      get_target_property(built ${target} RUNTIME_OUTPUT_DIRECTORY)
    elseif(type STREQUAL "SHARED_LIBRARY" OR type STREQUAL "MODULE_LIBRARY")
      get_target_property(built ${target} LIBRARY_OUTPUT_DIRECTORY)
    else()
      continue()
    endif()
    if(built STREQUAL ZQ_BIN_DIR)
      set(destination bin)
    elseif(built STREQUAL ZQ_OUT_DIR)
      set(destination .)
    else()
      continue() # a helper of the build, not part of the suite
    endif()
    install(TARGETS ${target} RUNTIME DESTINATION ${destination} LIBRARY DESTINATION ${destination})
  endforeach()
endforeach()

install(DIRECTORY DESTINATION Data)

# Data files exist only after the build, so they are looked up when installing.
install(CODE "
  set(zq_keep \"${ZQ_INSTALL_KEEP}\")
  set(zq_root \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  foreach(zq_sub \"\" \"/bin\")
    set(zq_globs)
    foreach(zq_pattern ${ZQ_INSTALL_DATA_PATTERNS})
      list(APPEND zq_globs \"${ZQ_OUT_DIR}\${zq_sub}/\${zq_pattern}\")
    endforeach()
    file(GLOB zq_files LIST_DIRECTORIES false \${zq_globs})
    foreach(zq_file \${zq_files})
      get_filename_component(zq_name \"\${zq_file}\" NAME)
      list(FIND zq_keep \"\${zq_name}\" zq_kept)
      if(zq_kept GREATER -1 AND EXISTS \"\${zq_root}\${zq_sub}/\${zq_name}\")
        message(STATUS \"Keeping: \${zq_root}\${zq_sub}/\${zq_name}\")
      else()
        file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}\${zq_sub}\" TYPE FILE FILES \"\${zq_file}\")
      endif()
    endforeach()
  endforeach()
")

# The layout above, checked by installing the finished build into a scratch folder.
add_test(NAME install_layout
  COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DPREFIX=${CMAKE_BINARY_DIR}/install-check
          -P ${CMAKE_CURRENT_LIST_DIR}/ZQInstallCheck.cmake)
