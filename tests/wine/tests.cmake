# Wine tests: GoogleTest cross-built with the -posix compiler; one
# executable per tests/wine/<name>_test.cpp, with <name>_test.rc as its
# resources when present. Executables, the DLL and the resource-only
# modules share bin/ so that Wine finds every module.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${QOR32_GTEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB QOR32_TEST_SUPPORT_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/wine/support/*.cpp)
add_library(wine_test_support STATIC ${QOR32_TEST_SUPPORT_SOURCES})
target_include_directories(wine_test_support PUBLIC ${PROJECT_SOURCE_DIR}/tests/wine ${PROJECT_SOURCE_DIR})
target_link_libraries(wine_test_support PUBLIC qor32cl qor32cl_internal GTest::gtest gdi32 user32)
target_compile_definitions(wine_test_support PUBLIC NOMINMAX)

# Resource-only modules for the lookup chains.
foreach(module qres_a qres_b)
  add_library(${module} SHARED ${PROJECT_SOURCE_DIR}/tests/resources/${module}.rc
                               ${PROJECT_SOURCE_DIR}/tests/resources/resource_module.c)
  qor32_resource_depends(${PROJECT_SOURCE_DIR}/tests/resources/${module}.rc)
  set_target_properties(${module} PROPERTIES PREFIX "")
  target_include_directories(${module} PRIVATE ${QOR32_GEN_DIR})
  target_link_options(${module} PRIVATE ${QOR32_STATIC_RUNTIME} -nostdlib -Wl,--entry,0)
endforeach()

# Small programs that the tests start as separate processes.
file(GLOB QOR32_PROBE_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/wine/probes/*.cpp)
foreach(source ${QOR32_PROBE_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/include)
  target_link_options(${name} PRIVATE ${QOR32_STATIC_RUNTIME})
  target_link_libraries(${name} PRIVATE user32 gdi32)
endforeach()

foreach(source ${QOR32_WINE_TEST_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  set(rc ${PROJECT_SOURCE_DIR}/tests/wine/${name}.rc)
  if(EXISTS ${rc})
    add_executable(${name} ${source} ${rc})
    qor32_resource_depends(${rc})
  else()
    add_executable(${name} ${source})
  endif()
  target_include_directories(${name} PRIVATE ${QOR32_GEN_DIR})
  target_link_libraries(${name} PRIVATE wine_test_support)
  target_link_options(${name} PRIVATE ${QOR32_STATIC_RUNTIME})
  add_dependencies(${name} qres_a qres_b)
  if(QOR32_PROBE_SOURCES)
    foreach(probe ${QOR32_PROBE_SOURCES})
      get_filename_component(probe_name ${probe} NAME_WE)
      add_dependencies(${name} ${probe_name})
    endforeach()
  endif()
endforeach()
