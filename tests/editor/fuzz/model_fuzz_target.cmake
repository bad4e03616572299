# zq_model_fuzz_targets(ROOT LIGHT_TABLE FUNCTION_TABLE): the libFuzzer executables over the
# editor model's inputs (project files, the JSON form, the catalogues, the INI store), with ASan
# and UBSan, built from the sources under ROOT. The two generated bitmap tables come from the
# suite's own build. Needs clang.
function(zq_model_fuzz_targets root light_table function_table)
  find_package(Qt6 REQUIRED COMPONENTS Core Gui)
  set(flags -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  file(GLOB model_srcs CONFIGURE_DEPENDS ${root}/comkit/*.cpp ${root}/devices/*.cpp ${root}/controls/*.cpp
       ${root}/editor/*.cpp)
  foreach(unit editor_app editor_doc editor_view main_frame operate_ctrl main)
    list(REMOVE_ITEM model_srcs ${root}/editor/${unit}.cpp)
  endforeach()
  # The model once, without the fuzzer's entry point, shared by every target.
  add_library(zq_fuzz_model STATIC ${model_srcs} ${root}/editor/resources/pixel_tables_data.cpp
              ${root}/tools/zqcatalog/catalogue_report.cpp ${root}/appkit/tool_cli.cpp
              ${root}/appkit/ui_language.cpp ${root}/appkit/catalogue_text.cpp)
  set_source_files_properties(${root}/appkit/tool_cli.cpp PROPERTIES COMPILE_DEFINITIONS
    "ZQ_SUITE_VERSION=\"fuzz\"")
  set_source_files_properties(${root}/editor/resources/pixel_tables_data.cpp PROPERTIES COMPILE_DEFINITIONS
    "ZQ_FONT_TABLE_FILE=\"${root}/editor/resources/font153.bin\";ZQ_LIGHT_TABLE_FILE=\"${light_table}\";ZQ_FUNCTION_TABLE_FILE=\"${function_table}\"")
  target_include_directories(zq_fuzz_model PUBLIC ${root})
  target_compile_options(zq_fuzz_model PUBLIC -fsanitize=fuzzer-no-link,address,undefined
                         -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_libraries(zq_fuzz_model PUBLIC Qt6::Gui)
  set_target_properties(zq_fuzz_model PROPERTIES CXX_STANDARD 17 CXX_STANDARD_REQUIRED ON)
  foreach(name project_file_fuzz project_json_fuzz catalogue_fuzz ini_store_fuzz)
    add_executable(${name} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/${name}.cpp)
    target_link_libraries(${name} PRIVATE zq_fuzz_model)
    target_compile_options(${name} PRIVATE ${flags} -Wall -Wextra)
    target_link_options(${name} PRIVATE ${flags})
    set_target_properties(${name} PROPERTIES CXX_STANDARD 17 CXX_STANDARD_REQUIRED ON)
  endforeach()
endfunction()
