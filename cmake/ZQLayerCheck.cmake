# cmake -DROOT=<source tree> -P ZQLayerCheck.cmake
# The layers of the suite as a rule: every quoted #include of a source or header must name a file of
# its own layer or of a layer below it, and no unit includes a program's own units. Prints one line
# per fault ("<file> includes "<header>" (<layer> may not use <layer>)") and fails when there is one.
#
#   comkit <- devices <- controls <- editor core <- the editor's windows (editor/app) <- the editor
#   editor core <- the panel runtime (emulator) <- the tools
#   controls <- the widget library of the controls (controls/dsp) <- the editor's windows
#   comkit <- cipher, vexorisp <- the programmer's core <- its dialog <- the programmer
#   vexorisp <- the editor's windows (the download port dialog edits the library's settings file)
#   tools/common serves the programs and the tools; a tool may use any library (the windows and the
#   dialog included, for screenshots) but no other tool; tests/ and bench/ may include anything.
#
# A new folder gets a layer in zq_layer_of and a line in the table of what each layer may use.
cmake_minimum_required(VERSION 3.25)
if(NOT ROOT)
  message(FATAL_ERROR "usage: cmake -DROOT=<source tree> -P ZQLayerCheck.cmake")
endif()
get_filename_component(ROOT ${ROOT} ABSOLUTE)

# The layers each layer may include, itself included.
set(uses_comkit comkit)
set(uses_devices ${uses_comkit} devices)
set(uses_controls ${uses_devices} controls)
set(uses_controls_widgets ${uses_controls} controls_widgets)
set(uses_editor ${uses_controls} editor)
set(uses_emulator ${uses_editor} emulator)
set(uses_cipher comkit cipher)
set(uses_vexorisp comkit vexorisp)
set(uses_flasher comkit cipher vexorisp flasher)
set(uses_flasher_dialog ${uses_flasher} flasher_dialog)
set(libraries comkit devices controls controls_widgets editor editor_app emulator cipher vexorisp flasher
              flasher_dialog)
set(uses_tools_common comkit tools_common)
set(uses_flasher_program ${uses_flasher_dialog} tools_common flasher_program)
set(uses_editor_app ${uses_controls_widgets} editor vexorisp editor_app)
set(uses_editor_program ${uses_editor_app} tools_common editor_program)

# The layer of a file by its path relative to ROOT: OUT is empty for a file outside the layers
# (tests, benchmarks, examples), which may include anything.
function(zq_layer_of path out)
  set(layer "")
  if(path MATCHES "^comkit/")
    set(layer comkit)
  elseif(path MATCHES "^devices/")
    set(layer devices)
  elseif(path MATCHES "^controls/dsp/")
    set(layer controls_widgets)
  elseif(path MATCHES "^controls/")
    set(layer controls)
  elseif(path MATCHES "^editor/app/main\\.cpp$")
    set(layer editor_program)
  elseif(path MATCHES "^editor/app/")
    set(layer editor_app)
  elseif(path MATCHES "^editor/")
    set(layer editor)
  elseif(path MATCHES "^emulator/")
    set(layer emulator)
  elseif(path MATCHES "^cipher/")
    set(layer cipher)
  elseif(path MATCHES "^vexorisp/")
    set(layer vexorisp)
  elseif(path MATCHES "^flasher/main\\.cpp$")
    set(layer flasher_program)
  elseif(path MATCHES "^flasher/(flasher_app|flasher_dlg|about_dlg|comm_port_dlg)\\.(h|cpp)$")
    set(layer flasher_dialog)
  elseif(path MATCHES "^flasher/")
    set(layer flasher)
  elseif(path MATCHES "^tools/common/")
    set(layer tools_common)
  elseif(path MATCHES "^tools/([^/]+)/")
    set(layer "tool_${CMAKE_MATCH_1}")
  endif()
  set(${out} "${layer}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE files RELATIVE ${ROOT} LIST_DIRECTORIES false
     ${ROOT}/comkit/*.h ${ROOT}/comkit/*.cpp ${ROOT}/devices/*.h ${ROOT}/devices/*.cpp
     ${ROOT}/controls/*.h ${ROOT}/controls/*.cpp ${ROOT}/editor/*.h ${ROOT}/editor/*.cpp
     ${ROOT}/emulator/*.h ${ROOT}/emulator/*.cpp
     ${ROOT}/cipher/*.h ${ROOT}/cipher/*.cpp ${ROOT}/vexorisp/*.h ${ROOT}/vexorisp/*.cpp
     ${ROOT}/flasher/*.h ${ROOT}/flasher/*.cpp ${ROOT}/tools/*.h ${ROOT}/tools/*.cpp)
list(SORT files)
if(NOT files)
  message(FATAL_ERROR "no sources of the layers under ${ROOT}")
endif()
set(faults 0)
foreach(file ${files})
  zq_layer_of(${file} layer)
  if(layer MATCHES "^tool_")
    set(allowed ${libraries} tools_common ${layer})
  else()
    set(allowed ${uses_${layer}})
  endif()
  get_filename_component(dir ${file} DIRECTORY)
  file(STRINGS ${ROOT}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line ${lines})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*$" "\\1" header "${line}")
    # A name beside the including file is taken first, as the compiler does.
    if(EXISTS ${ROOT}/${dir}/${header})
      file(RELATIVE_PATH target ${ROOT} ${ROOT}/${dir}/${header})
    else()
      set(target ${header})
    endif()
    zq_layer_of(${target} target_layer)
    if(target_layer STREQUAL "")
      continue() # a header of the build or of a test, looked up elsewhere
    endif()
    if(NOT target_layer IN_LIST allowed)
      message("${file} includes \"${header}\" (${layer} may not use ${target_layer})")
      math(EXPR faults "${faults} + 1")
    endif()
  endforeach()
endforeach()
if(faults GREATER 0)
  message(FATAL_ERROR "${faults} include(s) cross the layers the wrong way")
endif()
list(LENGTH files checked)
message("layers kept by ${checked} files")
