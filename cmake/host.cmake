# Host (Linux) tree: platform-free code with sanitizers and its native tests,
# the test-bitmap generator, and the two Windows trees as sub-builds. One
# CTest run in this tree runs the native and the Wine tests.
include(ExternalProject)
enable_testing()

set(QOR32_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

add_library(qor32_portable STATIC ${QOR32_PORTABLE_SOURCES})
target_include_directories(qor32_portable PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(qor32_portable PUBLIC ${QOR32_SANITIZE} -Wall -Wextra)
target_link_options(qor32_portable PUBLIC ${QOR32_SANITIZE})

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${QOR32_GTEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB QOR32_NATIVE_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/native/*_test.cpp)
file(GLOB QOR32_FUZZ_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
add_executable(native_tests ${QOR32_NATIVE_TEST_SOURCES} ${QOR32_FUZZ_SOURCES})
target_link_libraries(native_tests PRIVATE qor32_portable GTest::gtest_main)
target_compile_definitions(native_tests PRIVATE QOR32_FUZZ_CORPUS="${PROJECT_SOURCE_DIR}/tests/fuzz/corpus")
include(GoogleTest)
gtest_discover_tests(native_tests TEST_PREFIX "native." DISCOVERY_TIMEOUT 60)

# Test bitmaps, written as .bmp files for the resource scripts of the
# Windows trees.
file(GLOB QOR32_BMPGEN_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/tools/bmpgen/*.cpp
  ${PROJECT_SOURCE_DIR}/tests/resources/*_bitmaps.cpp
  ${PROJECT_SOURCE_DIR}/examples/gallery/art/*_bitmaps.cpp
  ${PROJECT_SOURCE_DIR}/bench/*_bitmaps.cpp)
add_executable(bmpgen ${QOR32_BMPGEN_SOURCES})
target_include_directories(bmpgen PRIVATE ${PROJECT_SOURCE_DIR}/tools/bmpgen)
set(QOR32_GEN_DIR ${CMAKE_BINARY_DIR}/gen)
add_custom_command(OUTPUT ${QOR32_GEN_DIR}/bitmaps.stamp
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QOR32_GEN_DIR}
  COMMAND bmpgen ${QOR32_GEN_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${QOR32_GEN_DIR}/bitmaps.stamp
  DEPENDS bmpgen
  COMMENT "Generating test bitmaps")
add_custom_target(gen_bitmaps ALL DEPENDS ${QOR32_GEN_DIR}/bitmaps.stamp)

foreach(arch x86_64 i686)
  ExternalProject_Add(win_${arch}
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/win-${arch}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-${arch}.cmake
      -DCMAKE_BUILD_TYPE=RelWithDebInfo
      -DQOR32_GEN_DIR=${QOR32_GEN_DIR}
      -DQOR32_GTEST_DIR=${QOR32_GTEST_DIR}
      -DCMAKE_INSTALL_PREFIX=${CMAKE_BINARY_DIR}/sdk-${arch}
    BUILD_ALWAYS ON
    DEPENDS gen_bitmaps)
endforeach()

# Consumer check: a small application configured against the installed
# x86_64 SDK through find_package(qor32cl) alone, built with the plain
# MinGW-w64 compilers; it is run under Wine below.
# The i686 consumer is only built (nothing 32-bit runs here): it proves
# that the i686 package configures and links.
foreach(arch x86_64 i686)
  if(arch STREQUAL x86_64)
    set(consumer consumer)
  else()
    set(consumer consumer_${arch})
  endif()
  ExternalProject_Add(${consumer}
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/tests/consumer
    BINARY_DIR ${CMAKE_BINARY_DIR}/${consumer}
    CMAKE_ARGS
      -DCMAKE_SYSTEM_NAME=Windows
      -DCMAKE_SYSTEM_PROCESSOR=${arch}
      -DCMAKE_C_COMPILER=${arch}-w64-mingw32-gcc-posix
      -DCMAKE_CXX_COMPILER=${arch}-w64-mingw32-g++-posix
      -DCMAKE_RC_COMPILER=${arch}-w64-mingw32-windres
      -DCMAKE_BUILD_TYPE=Release
      -DCMAKE_PREFIX_PATH=${CMAKE_BINARY_DIR}/sdk-${arch}
      -DQOR32_SNIPPETS_DIR=${PROJECT_SOURCE_DIR}/docs/snippets
      -DQOR32_GEN_DIR=${QOR32_GEN_DIR}
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    DEPENDS win_${arch})
endforeach()

# Wine tests: one executable per area, all in one prefix with the null
# display driver; the wineserver stays up for the whole run.
set(QOR32_WINE /usr/lib/wine/wine64)
set(QOR32_WINEPREFIX ${CMAKE_BINARY_DIR}/wine)
set(QOR32_WIN64_BIN ${CMAKE_BINARY_DIR}/win-x86_64/bin)
set(QOR32_WINE_ENV "WINEPREFIX=${QOR32_WINEPREFIX};WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree,mshtml=")

add_test(NAME wine.prefix_start
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-prefix.sh start ${QOR32_WINEPREFIX})
add_test(NAME wine.prefix_stop
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-prefix.sh stop ${QOR32_WINEPREFIX})
set_tests_properties(wine.prefix_start PROPERTIES FIXTURES_SETUP wine ENVIRONMENT "${QOR32_WINE_ENV}")
set_tests_properties(wine.prefix_stop PROPERTIES FIXTURES_CLEANUP wine ENVIRONMENT "${QOR32_WINE_ENV}")

# The long mode (QOR32_LONG=1 when configuring, as `QOR32_LONG=1
# scripts/test.sh` does) runs the storms and the soak ten times longer:
# their time limits grow with it.
if("$ENV{QOR32_LONG}" AND NOT "$ENV{QOR32_LONG}" STREQUAL "0")
  set(QOR32_LONG_FACTOR 10)
else()
  set(QOR32_LONG_FACTOR 1)
endif()
math(EXPR QOR32_LONG_TIMEOUT "300 * ${QOR32_LONG_FACTOR}")

# The areas whose cases destroy, reconfigure or refocus controls from inside
# their own messages, the storms and the two UI threads run under Wine's
# heap checking (label "heap"; it costs them next to nothing): freed blocks
# are filled and their release is delayed, so a write to a control's state
# after it was freed damages the heap, which the tests walk after every
# test; Wine's own reports on its heap channel fail the entry too.
set(QOR32_HEAP_CHECKED_TESTS reentry_test threads_test storm_test
    bitmap_test matrix_test slide_test tab_test pickers_test preview_test selection_test)
set(QOR32_WINE_HEAP_ENV
    "WINEPREFIX=${QOR32_WINEPREFIX};WINEDEBUG=-all,err+heap,warn+heap;WINEDLLOVERRIDES=mscoree,mshtml=")

foreach(source ${QOR32_WINE_TEST_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  if(name STREQUAL "soak_test")
    continue()  # one entry per class below
  endif()
  add_test(NAME wine.${name} COMMAND ${QOR32_WINE} ${QOR32_WIN64_BIN}/${name}.exe)
  set_tests_properties(wine.${name} PROPERTIES
    ENVIRONMENT "${QOR32_WINE_ENV}"
    FIXTURES_REQUIRED wine
    RESOURCE_LOCK wine_desktop
    TIMEOUT 300)
  if(name IN_LIST QOR32_HEAP_CHECKED_TESTS)
    set_tests_properties(wine.${name} PROPERTIES
      ENVIRONMENT "${QOR32_WINE_HEAP_ENV}"
      FAIL_REGULAR_EXPRESSION "(err|warn):heap:"
      LABELS heap)
  endif()
endforeach()
set_tests_properties(wine.storm_test PROPERTIES TIMEOUT ${QOR32_LONG_TIMEOUT})

# The soak, one entry per class, so that the other tests can run between
# them.
foreach(class Bitmap Matrix Scroll Tab Color Pattern Preview Selection Status)
  add_test(NAME wine.soak.${class}
    COMMAND ${QOR32_WINE} ${QOR32_WIN64_BIN}/soak_test.exe --gtest_filter=*/Qor32${class})
  set_tests_properties(wine.soak.${class} PROPERTIES
    ENVIRONMENT "${QOR32_WINE_ENV}"
    FIXTURES_REQUIRED wine
    RESOURCE_LOCK wine_desktop
    FAIL_REGULAR_EXPRESSION "PASSED  \\] 0 tests"  # a filter that matched nothing
    TIMEOUT ${QOR32_LONG_TIMEOUT})
endforeach()

add_test(NAME wine.consumer COMMAND ${QOR32_WINE} ${CMAKE_BINARY_DIR}/consumer/consumer.exe)
set_tests_properties(wine.consumer PROPERTIES
  ENVIRONMENT "${QOR32_WINE_ENV}"
  FIXTURES_REQUIRED wine
  RESOURCE_LOCK wine_desktop
  TIMEOUT 300)

# Both SDK trees hold what the package promises.
foreach(arch x86_64 i686)
  add_test(NAME sdk.tree_${arch}
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-sdk.sh ${CMAKE_BINARY_DIR}/sdk-${arch} ${arch})
endforeach()
# The MSVC import libraries link an MSVC-style program (clang, lld-link);
# the x86_64 one runs under Wine.
add_test(NAME sdk.msvc_lib_i686
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-msvc-lib.sh ${CMAKE_BINARY_DIR}/sdk-i686 i686
          ${CMAKE_BINARY_DIR}/msvc-i686)
add_test(NAME wine.msvc_lib_x86_64
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-msvc-lib.sh ${CMAKE_BINARY_DIR}/sdk-x86_64 x86_64
          ${CMAKE_BINARY_DIR}/msvc-x86_64 ${QOR32_WINE})
set_tests_properties(wine.msvc_lib_x86_64 PROPERTIES
  ENVIRONMENT "${QOR32_WINE_ENV}"
  FIXTURES_REQUIRED wine
  RESOURCE_LOCK wine_desktop)
# The README's MinGW command line, run as it stands there.
add_test(NAME wine.readme_mingw
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-readme-mingw.sh ${CMAKE_BINARY_DIR}/sdk-x86_64
          ${CMAKE_BINARY_DIR}/readme-mingw ${QOR32_WINE})
set_tests_properties(wine.readme_mingw PROPERTIES
  ENVIRONMENT "${QOR32_WINE_ENV}"
  FIXTURES_REQUIRED wine
  RESOURCE_LOCK wine_desktop)
# The gallery paints every control as the pictures of the docs show them,
# to the pixel.
add_test(NAME wine.pictures
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-pictures.sh ${QOR32_WIN64_BIN}/gallery.exe
          ${CMAKE_BINARY_DIR}/pictures ${QOR32_WINE})
set_tests_properties(wine.pictures PROPERTIES
  ENVIRONMENT "${QOR32_WINE_ENV}"
  FIXTURES_REQUIRED wine
  RESOURCE_LOCK wine_desktop
  TIMEOUT 300)
# Every snippet file under docs/snippets appears verbatim in the docs.
add_test(NAME docs.snippets COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-docs.sh ${PROJECT_SOURCE_DIR}/docs)

# Both DLLs export exactly the eleven names with ordinals 1 to 11 and need
# no DLL beside the system's. The i686 tree is built in every run, so its
# layout assertions are checked even though nothing 32-bit runs here.
foreach(arch x86_64 i686)
  add_test(NAME dll.exports_${arch}
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-dll.sh ${arch}-w64-mingw32-objdump
            ${CMAKE_BINARY_DIR}/win-${arch}/bin/QOR32CL.DLL)
endforeach()

# Coverage-guided fuzzing of the control-text handling: a clang sub-build
# (libFuzzer, ASan, UBSan), run for a bounded time per target. Set
# QOR32_FUZZ_SECONDS in the environment to run longer.
find_program(QOR32_CLANGXX clang++)
if(QOR32_CLANGXX)
  ExternalProject_Add(fuzz
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/fuzz
    CMAKE_ARGS -DCMAKE_CXX_COMPILER=${QOR32_CLANGXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQOR32_FUZZ_BUILD=ON
    BUILD_ALWAYS ON
    INSTALL_COMMAND "")
  foreach(source ${QOR32_FUZZ_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    add_test(NAME fuzz.${name}
      COMMAND ${PROJECT_SOURCE_DIR}/scripts/run-fuzzer.sh ${CMAKE_BINARY_DIR}/fuzz/${name}
              ${CMAKE_BINARY_DIR}/fuzz-corpus/${name} ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus)
    set_tests_properties(fuzz.${name} PROPERTIES TIMEOUT 900)
  endforeach()
endif()
