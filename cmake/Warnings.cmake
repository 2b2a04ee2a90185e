# One place for the compiler's warnings. CI turns them into errors.
add_compile_options(-Wall -Wextra -Wshadow)
if(DEFINED ENV{CI})
  add_compile_options(-Werror)
endif()
