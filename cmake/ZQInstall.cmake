# Installs the suite under CMAKE_INSTALL_PREFIX in the layout it has in the build's out/ folder:
# the editor, the tools, the shared libraries and the catalogues at the top, Data/ for download
# images, and bin/ with Flasher and the libraries it loads by name (libvexorenc.so,
# libvexorisp.so) beside its settings (isp.ini, remote.ini, MD_DLL.DFT).
# Include once, after every folder has been added. A target opts out with the property
# ZQ_NO_INSTALL (for example a generator only used while building).
include_guard(GLOBAL)

set(ZQ_INSTALL_FOLDERS comkit devices controls cipher vexorisp flasher editor tools)
# Settings that the user or the programs change: created when missing, never replaced.
set(ZQ_INSTALL_KEEP isp.ini remote.ini MD_DLL.DFT SystemInit.ini)
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
    if(skip)
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
  set(out \"${ZQ_OUT_DIR}\")
  set(keep \"${ZQ_INSTALL_KEEP}\")
  set(root \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  foreach(sub . bin)
    set(globs)
    foreach(pattern ${ZQ_INSTALL_DATA_PATTERNS})
      list(APPEND globs \"\${out}/\${sub}/\${pattern}\")
    endforeach()
    file(GLOB files LIST_DIRECTORIES false \${globs})
    foreach(file \${files})
      get_filename_component(name \"\${file}\" NAME)
      if(name IN_LIST keep AND EXISTS \"\${root}/\${sub}/\${name}\")
        message(STATUS \"Keeping: \${root}/\${sub}/\${name}\")
        continue()
      endif()
      file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/\${sub}\" TYPE FILE FILES \"\${file}\")
    endforeach()
  endforeach()
")
