# Windows tree (cross-built with MinGW-w64): the DLL, its import library,
# the resource-only test modules, the Wine tests (x86_64) and the gallery.
enable_language(RC)

set(QOR32_GEN_DIR "" CACHE PATH "Folder of generated test bitmaps")
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)

# Resource scripts name generated bitmaps; windres reports no dependencies,
# so each script depends on the generator's stamp and on the given files.
function(qor32_resource_depends script)
  set(depends ${ARGN})
  if(QOR32_GEN_DIR)
    list(APPEND depends ${QOR32_GEN_DIR}/bitmaps.stamp)
  endif()
  set_source_files_properties(${script} PROPERTIES OBJECT_DEPENDS "${depends}")
endfunction()

set(QOR32_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)
set(QOR32_WARNINGS -Wall -Wextra -Wno-unused-parameter)

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # 32-bit: the functions are stdcall; export them undecorated.
  set(QOR32_DEF ${CMAKE_BINARY_DIR}/qor32cl-i686.def)
  file(WRITE ${QOR32_DEF} "LIBRARY \"QOR32CL.DLL\"\nEXPORTS\n")
  set(ordinal 1)
  foreach(entry BitmapWndProc@16 ColorWndProc@16 DllMain@12 EnumDestroyChildWnd@8
                MatrixWndProc@16 PatternWndProc@16 PreviewWndProc@16 SelectionWndProc@16
                SlideWndProc@16 StatusWndProc@16 TabWndProc@16)
    file(APPEND ${QOR32_DEF} "  ${entry} @${ordinal}\n")
    math(EXPR ordinal "${ordinal} + 1")
  endforeach()
  set(QOR32_DEF_LINK -Wl,--kill-at)
else()
  set(QOR32_DEF ${PROJECT_SOURCE_DIR}/frame/qor32cl.def)
  set(QOR32_DEF_LINK)
endif()

# The library's code is compiled once: the DLL is made of these objects,
# and the Wine tests link the same objects as a static library to reach
# internal functions.
add_library(qor32cl_objects OBJECT
  ${QOR32_PORTABLE_SOURCES} ${QOR32_WINDOWS_SOURCES}
  ${PROJECT_SOURCE_DIR}/tests/layout/layout_check.c)
target_include_directories(qor32cl_objects PUBLIC ${PROJECT_SOURCE_DIR}/include ${PROJECT_SOURCE_DIR})
target_compile_options(qor32cl_objects PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${QOR32_WARNINGS}>)
target_compile_definitions(qor32cl_objects PUBLIC NOMINMAX)
add_library(qor32cl_internal STATIC $<TARGET_OBJECTS:qor32cl_objects>)
target_include_directories(qor32cl_internal PUBLIC ${PROJECT_SOURCE_DIR}/include ${PROJECT_SOURCE_DIR})
target_link_libraries(qor32cl_internal PUBLIC gdi32 user32 kernel32)

add_library(qor32cl SHARED $<TARGET_OBJECTS:qor32cl_objects> ${PROJECT_SOURCE_DIR}/frame/qor32cl.rc)
target_include_directories(qor32cl
  PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include> $<INSTALL_INTERFACE:include>)
set_target_properties(qor32cl PROPERTIES
  OUTPUT_NAME QOR32CL PREFIX "" SUFFIX ".DLL"
  IMPORT_PREFIX "lib" IMPORT_SUFFIX ".dll.a" ARCHIVE_OUTPUT_NAME qor32cl)
target_link_options(qor32cl PRIVATE ${QOR32_STATIC_RUNTIME} ${QOR32_DEF} ${QOR32_DEF_LINK})
set_property(TARGET qor32cl APPEND PROPERTY LINK_DEPENDS ${QOR32_DEF})
target_link_libraries(qor32cl PRIVATE gdi32 user32 kernel32)

# SDK tree (cmake --install): the DLL, the header, the MinGW import library,
# the .def, an MSVC import library when llvm-dlltool is present, and a CMake
# package configuration giving the imported target qor32cl::qor32cl.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # --kill-at strips the argument sizes from the import library too, but a
  # program compiled with the header asks for BitmapWndProc@16: remake the
  # import library from the decorated .def (-k imports the plain names).
  find_program(QOR32_MINGW_DLLTOOL NAMES i686-w64-mingw32-dlltool REQUIRED)
  add_custom_command(TARGET qor32cl POST_BUILD
    COMMAND ${QOR32_MINGW_DLLTOOL} -k -d ${QOR32_DEF} -D QOR32CL.DLL -l $<TARGET_LINKER_FILE:qor32cl>
    COMMENT "Making the i686 MinGW import library with decorated names")
endif()

install(TARGETS qor32cl EXPORT qor32clTargets
  RUNTIME DESTINATION bin ARCHIVE DESTINATION lib
  INCLUDES DESTINATION include)
install(FILES ${PROJECT_SOURCE_DIR}/include/qor32cl.h ${PROJECT_SOURCE_DIR}/include/qor32cl.hpp
  DESTINATION include)
# On i686 the .def names the stdcall exports with their argument sizes
# (BitmapWndProc@16); the DLL exports them undecorated.
install(FILES ${QOR32_DEF} DESTINATION lib RENAME qor32cl.def)

find_program(QOR32_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14)
if(QOR32_DLLTOOL)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    # -k: the import library resolves _BitmapWndProc@16 (what MSVC's
    # stdcall decoration asks for) to the undecorated export BitmapWndProc.
    set(dlltool_args -m i386 -k)
  else()
    set(dlltool_args -m i386:x86-64)
  endif()
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/lib/qor32cl.lib
    COMMAND ${QOR32_DLLTOOL} ${dlltool_args} -d ${QOR32_DEF} -D QOR32CL.DLL
            -l ${CMAKE_BINARY_DIR}/lib/qor32cl.lib
    DEPENDS ${QOR32_DEF}
    COMMENT "Making the MSVC import library")
  add_custom_target(qor32cl_msvc_lib ALL DEPENDS ${CMAKE_BINARY_DIR}/lib/qor32cl.lib)
  install(FILES ${CMAKE_BINARY_DIR}/lib/qor32cl.lib DESTINATION lib)
endif()

include(CMakePackageConfigHelpers)
install(EXPORT qor32clTargets NAMESPACE qor32cl:: DESTINATION lib/cmake/qor32cl)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/qor32clConfig.cmake.in
  ${CMAKE_BINARY_DIR}/qor32clConfig.cmake INSTALL_DESTINATION lib/cmake/qor32cl)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/qor32clConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/qor32clConfig.cmake ${CMAKE_BINARY_DIR}/qor32clConfigVersion.cmake
  DESTINATION lib/cmake/qor32cl)

# Gallery: the controls in a dialog template, with a headless screenshot mode.
file(GLOB QOR32_GALLERY_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/examples/gallery/*.cpp
  ${PROJECT_SOURCE_DIR}/examples/gallery/parts/*.cpp
  ${PROJECT_SOURCE_DIR}/examples/gallery/gallery.rc)
add_executable(gallery WIN32 ${QOR32_GALLERY_SOURCES})
# windres reports no dependencies: rebuild the template when a part file it
# includes or a generated bitmap changes.
file(GLOB QOR32_GALLERY_PART_SCRIPTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/examples/gallery/parts/*.rc)
qor32_resource_depends(${PROJECT_SOURCE_DIR}/examples/gallery/gallery.rc ${QOR32_GALLERY_PART_SCRIPTS})
target_include_directories(gallery PRIVATE ${PROJECT_SOURCE_DIR}/examples/gallery ${QOR32_GEN_DIR})
target_link_libraries(gallery PRIVATE qor32cl ole32 windowscodecs gdi32 user32 shell32)
target_link_options(gallery PRIVATE ${QOR32_STATIC_RUNTIME})

# Benchmark against the system controls: built with everything so that it
# keeps compiling; scripts/bench.sh runs it. Not a test.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  add_executable(qor32_bench ${PROJECT_SOURCE_DIR}/bench/bench.cpp ${PROJECT_SOURCE_DIR}/bench/bench.rc)
  qor32_resource_depends(${PROJECT_SOURCE_DIR}/bench/bench.rc)
  target_include_directories(qor32_bench PRIVATE ${PROJECT_SOURCE_DIR} ${QOR32_GEN_DIR})
  target_compile_options(qor32_bench PRIVATE ${QOR32_WARNINGS})
  target_compile_definitions(qor32_bench PRIVATE NOMINMAX)
  target_link_libraries(qor32_bench PRIVATE qor32cl comctl32 gdi32 user32)
  target_link_options(qor32_bench PRIVATE ${QOR32_STATIC_RUNTIME})
endif()

option(QOR32_BUILD_TESTS "Build the Wine tests" ON)
if(QOR32_BUILD_TESTS AND CMAKE_SIZEOF_VOID_P EQUAL 8)
  include(${PROJECT_SOURCE_DIR}/tests/wine/tests.cmake)
endif()
