# Fuzz tree (clang): one libFuzzer executable per tests/fuzz/<name>_fuzz.cpp
# over the portable code.
set(QOR32_FUZZ_FLAGS -fsanitize=fuzzer,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
add_library(qor32_portable_fuzz STATIC ${QOR32_PORTABLE_SOURCES})
target_include_directories(qor32_portable_fuzz PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(qor32_portable_fuzz PUBLIC -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
file(GLOB QOR32_FUZZ_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
foreach(source ${QOR32_FUZZ_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_compile_options(${name} PRIVATE ${QOR32_FUZZ_FLAGS})
  target_link_options(${name} PRIVATE ${QOR32_FUZZ_FLAGS})
  target_link_libraries(${name} PRIVATE qor32_portable_fuzz)
endforeach()
