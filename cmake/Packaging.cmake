# cmake --install puts camera-demo in bin/; cpack makes a Debian package and
# a .zip (the one that suits a Windows build).
install(TARGETS camera-demo RUNTIME DESTINATION bin)

set(CPACK_PACKAGE_NAME camera-demo)
set(CPACK_PACKAGE_VENDOR "camera-demo")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "An OpenGL demonstration of moving a camera around a scene")
set(CPACK_PACKAGE_CONTACT "camera-demo developers <camera-demo@localhost>")
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR DEB ZIP)
endif()
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The run-time dependencies come from the libraries the executable links;
# without dpkg-shlibdeps (package dpkg-dev) they are named by hand.
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libglut3.12 | freeglut3, libglu1-mesa | libglu1, libgl1")
endif()
include(CPack)
