# One place for the compiler's warnings. CI turns them into errors.
add_compile_options(-Wall -Wextra -Wshadow)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # GCC 12 reports impossible overlapping copies inside std::basic_string at
  # -O2 (a known false positive of its -Wrestrict analysis), which -Werror
  # would turn into a failed build.
  add_compile_options(-Wno-restrict)
endif()
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  # The framework's classes give Create the signature of their kind of window
  # (frame, dialog, command bar) and hide the generic one on purpose.
  add_compile_options(-Wno-overloaded-virtual)
endif()
if(DEFINED ENV{CI})
  add_compile_options(-Werror)
endif()
