# zq_fuzz_target(NAME ROOT): the libFuzzer executable over the image loaders, with ASan and UBSan,
# built from the sources under ROOT (the repository). Needs clang.
function(zq_fuzz_target name root)
  add_executable(${name}
    ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/hex_fuzz.cpp
    ${root}/flasher/image_file.cpp
    ${root}/cipher/des_go.cpp
    ${root}/cipher/des_engine.cpp
    ${root}/cipher/des_tables.cpp)
  target_include_directories(${name} PRIVATE ${root})
  set(flags -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_compile_options(${name} PRIVATE ${flags} -Wall -Wextra)
  target_link_options(${name} PRIVATE ${flags})
  set_target_properties(${name} PROPERTIES CXX_STANDARD 17 CXX_STANDARD_REQUIRED ON)
endfunction()

# zq_line_fuzz_target(NAME ROOT): the libFuzzer executable over isp.ini, MD_DLL.DFT, answers on the
# serial line (frame recognition and the download exchange) and the simulator's frame reader.
function(zq_line_fuzz_target name root)
  add_executable(${name}
    ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/line_fuzz.cpp
    ${root}/flasher/ini_file.cpp
    ${root}/flasher/image_file.cpp
    ${root}/flasher/isp_exchange.cpp
    ${root}/flasher/isp_outcome.cpp
    ${root}/flasher/isp_protocol.cpp
    ${root}/comkit/replace_file.cpp
    ${root}/vexorisp/comm_settings.cpp
    ${root}/vexorisp/rtu_frame.cpp
    ${root}/tools/zqpanel-sim/panel_boot_loader.cpp)
  target_include_directories(${name} PRIVATE ${root})
  set(flags -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_compile_options(${name} PRIVATE ${flags} -Wall -Wextra)
  target_link_options(${name} PRIVATE ${flags})
  set_target_properties(${name} PROPERTIES CXX_STANDARD 17 CXX_STANDARD_REQUIRED ON)
endfunction()
