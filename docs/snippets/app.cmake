find_package(qor32cl 1.0 REQUIRED)     # -DCMAKE_PREFIX_PATH=<sdk>/x86_64
add_executable(app WIN32 app.c)
target_link_libraries(app PRIVATE qor32cl::qor32cl)
add_custom_command(TARGET app POST_BUILD    # QOR32CL.DLL beside the program
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${qor32cl_DLL} $<TARGET_FILE_DIR:app>)
