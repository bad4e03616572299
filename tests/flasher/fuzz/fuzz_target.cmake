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
