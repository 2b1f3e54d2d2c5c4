# Compile options by compiler.
#
# exact_math: every number the program keeps must come out the same on every
# machine, so no compiler may fuse a multiply and an add (GCC contracts by
# default when it targets FMA hardware, Apple's Clang always), and none may
# use fast-math or host-specific instructions. The math library links it
# PUBLIC, so the requirement travels with every target built on it.
add_library(exact_math INTERFACE)
target_compile_options(exact_math INTERFACE
  $<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:-ffp-contract=off>
  $<$<CXX_COMPILER_ID:MSVC>:/fp:precise>)

# Warnings are for this project's own code only, so they stay directory-wide
# rather than becoming anyone's usage requirement.
if(MSVC)
  add_compile_options(/W4)
else()
  add_compile_options(-Wall -Wextra -Wpedantic)
endif()

# The scripts make warnings errors with CMAKE_COMPILE_WARNING_AS_ERROR, which
# CMake knows from 3.24 on; an older CMake gets the compiler's own flag here,
# so that warnings stay fatal on every CMake the project accepts.
if(CMAKE_COMPILE_WARNING_AS_ERROR AND CMAKE_VERSION VERSION_LESS 3.24)
  if(MSVC)
    add_compile_options(/WX)
  else()
    add_compile_options(-Werror)
  endif()
endif()

if(CAMERA_DEMO_SANITIZE)
  if(MSVC OR WIN32 OR EMSCRIPTEN OR NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    message(FATAL_ERROR
      "CAMERA_DEMO_SANITIZE: there is no address and undefined-behaviour sanitizer runtime "
      "for ${CMAKE_CXX_COMPILER_ID} on ${CMAKE_SYSTEM_NAME}; configure without it")
  endif()
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
