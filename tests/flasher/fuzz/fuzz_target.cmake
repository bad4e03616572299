# zq_fuzz_executable(NAME ROOT SOURCES...): a libFuzzer executable with ASan and UBSan from
# fuzz sources beside this file and sources under ROOT (the repository). Needs clang.
function(zq_fuzz_executable name root)
  set(sources)
  foreach(source ${ARGN})
    if(source MATCHES "_fuzz\\.cpp$")
      list(APPEND sources ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/${source})
    else()
      list(APPEND sources ${root}/${source})
    endif()
  endforeach()
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${root})
  set(flags -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_compile_options(${name} PRIVATE ${flags} -Wall -Wextra)
  target_link_options(${name} PRIVATE ${flags})
  set_target_properties(${name} PROPERTIES CXX_STANDARD 17 CXX_STANDARD_REQUIRED ON)
endfunction()

# zq_fuzz_target(NAME ROOT): the image loaders (HEX and raw files, plain and enciphered).
function(zq_fuzz_target name root)
  zq_fuzz_executable(${name} ${root} hex_fuzz.cpp flasher/image_file.cpp cipher/des_go.cpp
                     cipher/des_engine.cpp cipher/des_tables.cpp comkit/whole_file.cpp comkit/replace_file.cpp
                     comkit/message_text.cpp)
endfunction()

# zq_line_fuzz_target(NAME ROOT): isp.ini, MD_DLL.DFT, answers on the serial line (frame
# recognition and the download exchange) and the simulator's frame reader.
function(zq_line_fuzz_target name root)
  zq_fuzz_executable(${name} ${root} line_fuzz.cpp flasher/ini_file.cpp flasher/image_file.cpp
                     flasher/isp_exchange.cpp flasher/isp_outcome.cpp flasher/isp_protocol.cpp
                     comkit/message_text.cpp comkit/replace_file.cpp comkit/whole_file.cpp
                     vexorisp/comm_settings.cpp vexorisp/rtu_frame.cpp
                     tools/zqpanel-sim/panel_boot_loader.cpp)
endfunction()
