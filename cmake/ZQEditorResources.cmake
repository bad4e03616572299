# The editor program's pictures, compiled into its Qt resources.
#
#   include(ZQEditorResources)
#   zq_add_editor_resources(ZQEditor)
#
# zq_add_editor_resources(TARGET) adds to TARGET (call it in the folder that creates TARGET):
#   :/icons/<name>.svg  the toolbar and menu icons of editor/app/resources/icons.qrc (the names
#                       and their commands: editor/app/resources/README.md);
#   :/zqeditor.svg      the program's icon (packaging/icons/zqeditor.svg, also the menu entry's);
#   :/about.png         the splash and About picture (500 x 400, the product name), drawn
#                       during the build by generators/splashgen into the build tree.
# Showing the SVG icons needs Qt's SVG icon plugin at run time (Debian package libqt6svg6).
include_guard(GLOBAL)

find_package(Qt6 REQUIRED COMPONENTS Gui)
# (a global property, since the include guard keeps variables to the first including folder)
set_property(GLOBAL PROPERTY ZQ_EDITOR_RESOURCES_DIR ${CMAKE_SOURCE_DIR}/editor/app/resources)

function(zq_add_editor_resources target)
  get_property(ZQ_EDITOR_RESOURCES_DIR GLOBAL PROPERTY ZQ_EDITOR_RESOURCES_DIR)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources)
  set(about ${out}/about.png)
  add_custom_command(OUTPUT ${about}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out}
    # (a sanitized build's generator must not fail the build over the font library's caches)
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:splashgen> ${about}
    DEPENDS splashgen
    COMMENT "Splash and About picture for ${target}")
  set_source_files_properties(${about} PROPERTIES QT_RESOURCE_ALIAS about.png)
  qt6_add_resources(${target} ${target}_about PREFIX "/" FILES ${about})

  set(app_icon ${CMAKE_SOURCE_DIR}/packaging/icons/zqeditor.svg)
  set_source_files_properties(${app_icon} PROPERTIES QT_RESOURCE_ALIAS zqeditor.svg)
  qt6_add_resources(${target} ${target}_icon PREFIX "/" FILES ${app_icon})

  qt6_add_resources(icon_sources ${ZQ_EDITOR_RESOURCES_DIR}/icons.qrc)
  target_sources(${target} PRIVATE ${icon_sources})
endfunction()
