# The program's version has one home, project() in the top CMakeLists.txt.
# Code reads it from a generated header, "ZorunVersion.h" (ZORUN_VERSION, a
# plain string literal that also joins a u"" literal), through the target
# zorun_version; the package, the AppStream data and the manual page get it
# from CMake.
configure_file(${CMAKE_CURRENT_LIST_DIR}/ZorunVersion.h.in
               ${CMAKE_BINARY_DIR}/generated/ZorunVersion.h @ONLY)
add_library(zorun_version INTERFACE)
target_include_directories(zorun_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
