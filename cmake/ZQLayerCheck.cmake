# cmake -DROOT=<source tree> -P ZQLayerCheck.cmake
# The layers of the suite as folder rules: a file's folder gives its layer, and every quoted #include
# of a source or header must resolve (beside the including file, as the compiler looks first, or
# below ROOT) to a file of a layer the including layer may use. An include that resolves to no file
# at all fails too: a bare name found only through some target's include folders hides which layer it
# reaches. Prints one line per fault and fails when there is one:
#   <file> includes "<header>" (<layer> may not use <layer>)
#   <file> includes "<header>" (no such file beside it or below the source root)
#
#   comkit <- devices <- controls <- editor core <- the editor's windows and program (editor/app)
#   editor core <- the editor's look kit (editor/app/look) <- its dialogs (editor/app/dialogs) <- editor/app
#   controls <- the widget library of the controls (controls/dsp) <- the editor's dialogs, editor/app
#   editor core <- the panel runtime (emulator) <- the emulator's window and program (emulator/app)
#   comkit <- cipher, vexorisp <- the programmer's core (flasher) <- its dialog and program (flasher/app)
#   vexorisp <- the editor's dialogs (the download port dialog lists the ports and edits the library's
#     settings), editor/app
#   comkit <- the program kit (appkit) <- the app folders, the tools, the generators
#   generators/<name>: comkit and appkit only (they run while the libraries above are built)
#   tools/<name>: every library and appkit, not the windows and not another tool
#   screenshots/<name>: everything, the tools' units included, but not another picture program
#   tests/, bench/ and examples/ are no layer: they may include anything, and nothing includes them.
#
# A new top-level folder gets a rule in zq_layer_of and a line in the table of what each layer may
# use (docs/conventions.md shows the same map).
cmake_minimum_required(VERSION 3.25)
if(NOT ROOT)
  message(FATAL_ERROR "usage: cmake -DROOT=<source tree> -P ZQLayerCheck.cmake")
endif()
get_filename_component(ROOT ${ROOT} ABSOLUTE)

# The folders that hold layers; every .h and .cpp below them is checked.
set(layer_folders comkit appkit generators devices controls cipher vexorisp flasher editor emulator tools screenshots)

# The layers each layer may include, itself included.
set(uses_comkit comkit)
set(uses_appkit comkit appkit)
set(uses_devices ${uses_comkit} devices)
set(uses_controls ${uses_devices} controls)
set(uses_controls_widgets ${uses_controls} controls_widgets)
set(uses_editor ${uses_controls} editor)
set(uses_editor_look ${uses_editor} editor_look)
set(uses_editor_dialogs ${uses_controls_widgets} editor editor_look vexorisp editor_dialogs)
set(uses_editor_app ${uses_editor_dialogs} appkit editor_app)
set(uses_emulator ${uses_editor} emulator)
set(uses_emulator_app ${uses_emulator} appkit emulator_app)
set(uses_cipher comkit cipher)
set(uses_vexorisp comkit vexorisp)
set(uses_flasher comkit cipher vexorisp flasher)
set(uses_flasher_dialog ${uses_flasher} appkit flasher_dialog)
set(libraries comkit appkit devices controls controls_widgets editor emulator cipher vexorisp flasher)
set(programs editor_look editor_dialogs editor_app emulator_app flasher_dialog)

# The layer of a path relative to ROOT, by its folder: OUT is empty for a path outside the layers.
# Per-program layers (a generator, a tool, a picture program) are named after their folder.
function(zq_layer_of path out)
  set(layer "")
  if(path MATCHES "^controls/dsp/")
    set(layer controls_widgets)
  elseif(path MATCHES "^editor/app/look/")
    set(layer editor_look)
  elseif(path MATCHES "^editor/app/dialogs/")
    set(layer editor_dialogs)
  elseif(path MATCHES "^editor/app/")
    set(layer editor_app)
  elseif(path MATCHES "^emulator/app/")
    set(layer emulator_app)
  elseif(path MATCHES "^flasher/app/")
    set(layer flasher_dialog)
  elseif(path MATCHES "^generators/([^/]+)/")
    set(layer "generator_${CMAKE_MATCH_1}")
  elseif(path MATCHES "^tools/([^/]+)/")
    set(layer "tool_${CMAKE_MATCH_1}")
  elseif(path MATCHES "^screenshots/([^/]+)/")
    set(layer "picture_${CMAKE_MATCH_1}")
  elseif(path MATCHES "^(comkit|appkit|devices|controls|editor|emulator|cipher|vexorisp|flasher)/")
    set(layer ${CMAKE_MATCH_1})
  elseif(path MATCHES "^([^/]+)/")
    set(layer "${CMAKE_MATCH_1}") # tests, bench, ...: no layer, named for the message
  endif()
  set(${out} "${layer}" PARENT_SCOPE)
endfunction()

set(globs)
foreach(folder ${layer_folders})
  list(APPEND globs ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
endforeach()
file(GLOB_RECURSE files RELATIVE ${ROOT} LIST_DIRECTORIES false ${globs})
list(SORT files)
if(NOT files)
  message(FATAL_ERROR "no sources of the layers under ${ROOT}")
endif()
set(tools)
foreach(file ${files})
  if(file MATCHES "^tools/([^/]+)/")
    list(APPEND tools "tool_${CMAKE_MATCH_1}")
  endif()
endforeach()
list(REMOVE_DUPLICATES tools)
set(faults 0)
foreach(file ${files})
  zq_layer_of(${file} layer)
  if(layer MATCHES "^generator_")
    set(allowed comkit appkit ${layer})
  elseif(layer MATCHES "^tool_")
    set(allowed ${libraries} ${layer})
  elseif(layer MATCHES "^picture_")
    set(allowed ${libraries} ${programs} ${tools} ${layer})
  else()
    set(allowed ${uses_${layer}})
  endif()
  get_filename_component(dir ${file} DIRECTORY)
  file(STRINGS ${ROOT}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line ${lines})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*$" "\\1" header "${line}")
    # A name beside the including file is taken first, as the compiler does; then below ROOT.
    if(EXISTS ${ROOT}/${dir}/${header} AND NOT IS_DIRECTORY ${ROOT}/${dir}/${header})
      file(RELATIVE_PATH target ${ROOT} ${ROOT}/${dir}/${header})
    elseif(EXISTS ${ROOT}/${header} AND NOT IS_DIRECTORY ${ROOT}/${header})
      file(RELATIVE_PATH target ${ROOT} ${ROOT}/${header})
    else()
      message("${file} includes \"${header}\" (no such file beside it or below the source root)")
      math(EXPR faults "${faults} + 1")
      continue()
    endif()
    zq_layer_of(${target} target_layer)
    if(NOT target_layer IN_LIST allowed)
      if(target_layer STREQUAL "")
        set(target_layer "the top folder")
      endif()
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
