# cmake -DROOT=<source tree> -P ZQExportCheck.cmake
# The shared libraries build with hidden symbols, so what their public headers declare must carry the
# library's export mark, or a program linking it fails. This names every class, struct, free
# function or extern variable declared at namespace scope in those headers without the mark, one line
# each ("<header>:<line>: <declaration> lacks <MARK>"), and fails when there is one.
cmake_minimum_required(VERSION 3.25)
if(NOT ROOT)
  message(FATAL_ERROR "usage: cmake -DROOT=<source tree> -P ZQExportCheck.cmake")
endif()
get_filename_component(ROOT ${ROOT} ABSOLUTE)

# Folder of a shared library's public headers, and its mark (only the folder itself: the app/ folders
# below are static libraries of the programs and need none).
set(libraries comkit:COMKIT_API devices:DEVICES_API controls:CONTROLS_API editor:EDITOR_API controls/dsp:DSP_API emulator:EMULATOR_API
              flasher:FLASHER_API)
# Words that begin a line at namespace scope without declaring something the library exports.
set(not_exported "^(class|struct|namespace|typedef|using|static_assert|enum|template|constexpr|inline|static|return|public|private|protected|extern \"C\")[ :<({]")

set(faults 0)
set(checked 0)
foreach(entry ${libraries})
  string(REPLACE ":" ";" entry ${entry})
  list(GET entry 0 folder)
  list(GET entry 1 mark)
  file(GLOB headers RELATIVE ${ROOT} ${ROOT}/${folder}/*.h)
  list(SORT headers)
  foreach(header ${headers})
    if(header MATCHES "_api\\.h$")
      continue()
    endif()
    math(EXPR checked "${checked} + 1")
    file(STRINGS ${ROOT}/${header} lines)
    set(number 0)
    set(previous "")
    foreach(line IN LISTS lines)
      math(EXPR number "${number} + 1")
      set(needs_mark FALSE)
      if(previous MATCHES "^template")
        # a function template: defined in the header, nothing to export
      elseif(line MATCHES "^(class|struct) [A-Za-z_][A-Za-z0-9_]*( final)?( :.*)? ?{?$" AND NOT line MATCHES ";[ ]*$")
        set(needs_mark TRUE) # a definition, not a forward declaration
      elseif(line MATCHES "^extern " AND NOT line MATCHES "^extern \"C\"")
        set(needs_mark TRUE)
      elseif(line MATCHES "^(\\[\\[[a-z_]+\\]\\] )?[A-Za-z_][^(]*[ *&][A-Za-z_][A-Za-z0-9_:]*\\(" AND NOT line MATCHES "${not_exported}"
             AND NOT line MATCHES "[{}]")
        set(needs_mark TRUE) # a free function declared here and defined in the library
      endif()
      if(needs_mark AND NOT line MATCHES "${mark}")
        string(STRIP "${line}" shown)
        message("${header}:${number}: ${shown} lacks ${mark}")
        math(EXPR faults "${faults} + 1")
      endif()
      set(previous "${line}")
    endforeach()
  endforeach()
endforeach()
if(checked EQUAL 0)
  message(FATAL_ERROR "no public headers under ${ROOT}")
endif()
if(faults GREATER 0)
  message(FATAL_ERROR "${faults} declaration(s) in public headers lack their library's export mark")
endif()
message("export marks complete in ${checked} headers")
