# Installs the suite for the system, the way Debian lays out a program with private files:
#   <prefix>/lib/zqpanel/         the suite in the layout it has in the build's out/ folder: the
#                                 editor, the tools, the shared libraries and the catalogues, Data/,
#                                 and bin/ with Flasher and the libraries it loads by name beside its
#                                 settings (isp.ini, remote.ini, MD_DLL.DFT); a marker file tells the
#                                 programs to write settings and images to the user's XDG folders
#   <prefix>/bin/                 the commands, as relative links into lib/zqpanel
#   <prefix>/share/applications, share/mime/packages, share/icons/hicolor, share/man,
#   share/bash-completion         the desktop's menu entries, the .ZQE file type, icons, manuals
# Include once, after every folder has been added. Only the folders below are shipped (generators/ and
# screenshots/ serve the build); a target among them opts out with the property ZQ_NO_INSTALL.
include_guard(GLOBAL)

set(ZQ_SUITE_INSTALL_DIR lib/zqpanel CACHE STRING "Folder of the suite below the install prefix")

set(ZQ_INSTALL_FOLDERS comkit devices controls cipher vexorisp flasher editor emulator tools)
# Settings that the user or the programs change: created when missing, never replaced.
set(ZQ_INSTALL_KEEP isp.ini remote.ini MD_DLL.DFT SystemInit.ini)
# Shipped data files copied from out/ and out/bin.
set(ZQ_INSTALL_DATA_PATTERNS *.ini *.INI *.DFT *.pdf *.qm)

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
      set(destination ${ZQ_SUITE_INSTALL_DIR}/bin)
    elseif(built STREQUAL ZQ_OUT_DIR)
      set(destination ${ZQ_SUITE_INSTALL_DIR})
    else()
      continue() # a helper of the build, not part of the suite
    endif()
    install(TARGETS ${target} RUNTIME DESTINATION ${destination} LIBRARY DESTINATION ${destination})
  endforeach()
endforeach()

install(DIRECTORY DESTINATION ${ZQ_SUITE_INSTALL_DIR}/Data)

# Data files exist only after the build, so they are looked up when installing.
install(CODE "
  set(zq_keep \"${ZQ_INSTALL_KEEP}\")
  set(zq_suite \"\${CMAKE_INSTALL_PREFIX}/${ZQ_SUITE_INSTALL_DIR}\")
  set(zq_root \"\$ENV{DESTDIR}\${zq_suite}\")
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
        file(INSTALL DESTINATION \"\${zq_suite}\${zq_sub}\" TYPE FILE FILES \"\${zq_file}\")
      endif()
    endforeach()
  endforeach()
")

# The marker that sends written files to the user's folders (comkit/user_files.h).
set(ZQ_INSTALL_MARKER ${CMAKE_BINARY_DIR}/install-marker/.zqpanel-system-install)
file(WRITE ${ZQ_INSTALL_MARKER}
  "This suite is installed for the system: settings go to $XDG_CONFIG_HOME/zqpanel, images to $XDG_DATA_HOME/zqpanel/Data.\n")
install(FILES ${ZQ_INSTALL_MARKER} DESTINATION ${ZQ_SUITE_INSTALL_DIR})

# Commands in <prefix>/bin: relative links, so the programs find their folder through the link.
set(ZQ_COMMANDS zqeditor:ZQEditor zqe:zqe zqflash:zqflash zqpanel-sim:zqpanel-sim
                zqcatalog:zqcatalog zqflasher:bin/Flasher zqpanel-run:zqpanel-run zqplc-sim:zqplc-sim)
set(ZQ_COMMAND_LINKS ${CMAKE_BINARY_DIR}/install-commands)
file(MAKE_DIRECTORY ${ZQ_COMMAND_LINKS})
foreach(command ${ZQ_COMMANDS})
  string(REPLACE ":" ";" pair ${command})
  list(GET pair 0 name)
  list(GET pair 1 program)
  get_filename_component(target ${program} NAME)
  file(CREATE_LINK ../${ZQ_SUITE_INSTALL_DIR}/${program} ${ZQ_COMMAND_LINKS}/${name} SYMBOLIC)
  install(FILES ${ZQ_COMMAND_LINKS}/${name} DESTINATION bin)
endforeach()

# Menu entries, the project file type and the icons (SVG and the PNG sizes of the icon theme).
set(ZQ_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)
install(FILES ${ZQ_PACKAGING}/zqeditor.desktop ${ZQ_PACKAGING}/zqflasher.desktop DESTINATION share/applications)
install(FILES ${ZQ_PACKAGING}/zqpanel-mime.xml DESTINATION share/mime/packages RENAME zqpanel.xml)
set(ZQ_ICON_SIZES 16 24 32 48 64 128 256)
set(ZQ_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(icon_outputs)
foreach(icon zqeditor zqflasher)
  set(outputs)
  foreach(size ${ZQ_ICON_SIZES})
    list(APPEND outputs ${ZQ_ICON_DIR}/${size}x${size}/apps/${icon}.png)
  endforeach()
  add_custom_command(OUTPUT ${outputs}
    COMMAND iconpng ${ZQ_PACKAGING}/icons/${icon}.svg ${ZQ_ICON_DIR} ${icon} ${ZQ_ICON_SIZES}
    DEPENDS iconpng ${ZQ_PACKAGING}/icons/${icon}.svg
    COMMENT "Icon ${icon} in ${ZQ_ICON_SIZES} pixels")
  list(APPEND icon_outputs ${outputs})
  install(FILES ${ZQ_PACKAGING}/icons/${icon}.svg DESTINATION share/icons/hicolor/scalable/apps)
endforeach()
add_custom_target(ZQIcons ALL DEPENDS ${icon_outputs})
install(DIRECTORY ${ZQ_ICON_DIR}/ DESTINATION share/icons/hicolor)

# The layout above, checked by installing the finished build into a scratch folder.
add_test(NAME install_layout
  COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DPREFIX=${CMAKE_BINARY_DIR}/install-check
          -P ${CMAKE_CURRENT_LIST_DIR}/ZQInstallCheck.cmake)

# The licence, the changelog (gzip -9n, as Debian wants it), the documents the manual pages point
# to, the AppStream metainfo of the two graphical programs and the lintian overrides of the package.
set(ZQ_DOC_DIR share/doc/zqpanel)
# ZQ_PROJECT_URL is the one setting of where the suite lives on the web: the metainfo's home page,
# its screenshots (the pictures of docs/ below it) and, its host reversed, the start of the
# AppStream ids (https://zqpanel.example.org/ gives org.example.zqpanel.zqeditor). The default is
# in the reserved .invalid domain, so an unset one never names somebody else's site.
set(ZQ_PROJECT_URL "https://zqpanel.invalid/" CACHE STRING
    "The suite's home page (http or https), whose docs/ holds the screenshots of the AppStream metainfo")
include(ZQProjectUrl)
zq_project_url("${ZQ_PROJECT_URL}" ZQ_PROJECT_URL_DIR ZQ_APPSTREAM_PREFIX)
set(ZQ_RELEASE_DATE 2026-12-09) # the date of the release in packaging/changelog
set(ZQ_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
add_custom_command(OUTPUT ${ZQ_PACKAGING_OUT}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ZQ_PACKAGING_OUT}
  COMMAND ${ZQ_GZIP} -9n -c ${ZQ_PACKAGING}/changelog > ${ZQ_PACKAGING_OUT}/changelog.gz
  DEPENDS ${ZQ_PACKAGING}/changelog
  COMMENT "Compressed changelog")
add_custom_target(ZQChangelog ALL DEPENDS ${ZQ_PACKAGING_OUT}/changelog.gz)
install(FILES ${ZQ_PACKAGING}/copyright ${ZQ_PACKAGING_OUT}/changelog.gz DESTINATION ${ZQ_DOC_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/docs/zqe.md ${CMAKE_SOURCE_DIR}/docs/project-json.md
              ${CMAKE_SOURCE_DIR}/docs/flasher.md ${CMAKE_SOURCE_DIR}/docs/emulator.md
              ${CMAKE_SOURCE_DIR}/docs/catalogues.md ${CMAKE_SOURCE_DIR}/docs/command-line.md
        DESTINATION ${ZQ_DOC_DIR})
foreach(program zqeditor zqflasher)
  configure_file(${ZQ_PACKAGING}/${program}.metainfo.xml.in ${ZQ_PACKAGING_OUT}/${ZQ_APPSTREAM_PREFIX}.${program}.metainfo.xml @ONLY)
  install(FILES ${ZQ_PACKAGING_OUT}/${ZQ_APPSTREAM_PREFIX}.${program}.metainfo.xml DESTINATION share/metainfo)
endforeach()
install(FILES ${ZQ_PACKAGING}/zqpanel.lintian-overrides DESTINATION share/lintian/overrides RENAME zqpanel)
