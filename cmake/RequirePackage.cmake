# require_package(<package> <what to install>): finds a package that an
# optional part of the build needs, and stops with a message naming what to
# install when it is missing.
function(require_package package description)
  find_package(${package} QUIET)
  if(NOT ${package}_FOUND)
    message(FATAL_ERROR "${package} was not found: the tests and benchmarks need ${description}. "
                        "Install it, or configure without CAMERA_DEMO_TESTS and CAMERA_DEMO_BENCHMARKS.")
  endif()
endfunction()
