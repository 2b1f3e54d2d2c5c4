# What a person installs. cmake --install puts the program and its files under
# the prefix; cpack packs the same files: a Debian package and a .zip on
# Linux, a .zip on Windows. The data files are in packaging/: linux/ (menu
# entry, metainfo, manual page, copyright, changelog), windows/ (resources and
# README.txt) and icons/ (made from camera-demo.svg by scripts/make-icons).
include(GNUInstallDirs)

set(CAMERA_DEMO_MAINTAINER "camera-demo developers <camera-demo@camera-demo.invalid>" CACHE STRING
    "Who answers for the packages, as \"name <address>\": a packager puts their own here")
set(CAMERA_DEMO_SCREENSHOT_URL "" CACHE STRING
    "Where software centres fetch the screenshot (docs/screenshot.png): the metainfo names one only when given")
# The reverse-DNS name software centres know the program by. The project has
# no domain of its own: example.org is reserved so that it belongs to nobody,
# and unlike a made-up top-level domain it reads as reverse DNS to AppStream.
set(CAMERA_DEMO_APP_ID org.example.camera_demo)

set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(generated ${PROJECT_BINARY_DIR}/packaging)

# The controls, which the manual page, README.txt and the metainfo list, are
# written once, in packaging/controls.txt: Controls.cmake gives their texts.

# The release date as a Debian changelog writes it (RFC 2822, weekday
# included). string(TIMESTAMP) formats a given time only through
# SOURCE_DATE_EPOCH, so the date is turned into seconds since 1970 first.
function(rfc2822_date isoDate outVar)
  string(REGEX MATCH "^([0-9]+)-0?([0-9]+)-0?([0-9]+)$" matched "${isoDate}")
  set(year ${CMAKE_MATCH_1})
  set(month ${CMAKE_MATCH_2})
  set(day ${CMAKE_MATCH_3})
  # Days since 1970-01-01 in the proleptic Gregorian calendar, with the year
  # starting in March so that the leap day comes last.
  if(month LESS_EQUAL 2)
    math(EXPR year "${year} - 1")
    math(EXPR month "${month} + 9")
  else()
    math(EXPR month "${month} - 3")
  endif()
  math(EXPR days "365 * ${year} + ${year} / 4 - ${year} / 100 + ${year} / 400
                  + (153 * ${month} + 2) / 5 + ${day} - 1 - 719468")
  math(EXPR seconds "${days} * 86400")
  set(previous "$ENV{SOURCE_DATE_EPOCH}")
  set(ENV{SOURCE_DATE_EPOCH} ${seconds})
  string(TIMESTAMP formatted "%a, %d %b %Y %H:%M:%S +0000" UTC)
  set(ENV{SOURCE_DATE_EPOCH} "${previous}")
  set(${outVar} "${formatted}" PARENT_SCOPE)
endfunction()

# The files a Markdown document links by relative address (pictures, other
# documents, and what those documents link in turn), as paths relative to the
# source folder, so that the installed documents keep every link whole. Links
# in code are not links; one to an address outside the source folder or to
# something that is not a file is left out with a warning (the plain_build
# test then names it as a link the installed documents break).
function(linked_documents document outVar)
  string(ASCII 2 open)
  string(ASCII 3 close)
  string(ASCII 4 semicolon)
  set(pending ${document})
  set(found "")
  while(pending)
    list(POP_FRONT pending markdown)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${markdown})
    file(READ ${PROJECT_SOURCE_DIR}/${markdown} text)
    string(REGEX REPLACE "```[^`]*```" "" text "${text}")
    string(REGEX REPLACE "`[^`\n]*`" "" text "${text}")
    # Brackets and semicolons would split a list of the links where they are
    # not, so they stand in as control characters until a link is read.
    string(REPLACE "[" "${open}" text "${text}")
    string(REPLACE "]" "${close}" text "${text}")
    string(REPLACE ";" "${semicolon}" text "${text}")
    string(REGEX MATCHALL "${close}\\([^)]+\\)|\n *${open}[^${close}\n]+${close}: *[^ \n]+|(src|href)=\"[^\"]*\""
           links "${text}")
    get_filename_component(folder ${markdown} DIRECTORY)
    foreach(link IN LISTS links)
      string(REGEX REPLACE "^${close}\\(<?([^ >)]*).*$" "\\1" target "${link}")
      string(REGEX REPLACE "^\n *${open}[^${close}]+${close}: *<?([^ >]*).*$" "\\1" target "${target}")
      string(REGEX REPLACE "^(src|href)=\"([^\"]*)\"$" "\\2" target "${target}")
      string(REGEX REPLACE "[?#].*$" "" target "${target}")
      string(REPLACE "${open}" "[" target "${target}")
      string(REPLACE "${close}" "]" target "${target}")
      string(REPLACE "${semicolon}" ";" target "${target}")
      if(target STREQUAL "" OR target MATCHES "^[A-Za-z][A-Za-z0-9+.-]*:" OR target MATCHES "^/")
        continue()
      endif()
      get_filename_component(absolute ${target} ABSOLUTE BASE_DIR ${PROJECT_SOURCE_DIR}/${folder})
      file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${absolute})
      if(relative MATCHES "^\\.\\./" OR NOT EXISTS ${absolute} OR IS_DIRECTORY ${absolute})
        message(WARNING "${markdown} links ${target}, which is no file in the source folder: not installed")
        continue()
      endif()
      if(relative IN_LIST found OR relative STREQUAL document)
        continue()
      endif()
      list(APPEND found ${relative})
      if(relative MATCHES "\\.md$")
        list(APPEND pending ${relative})
      endif()
    endforeach()
  endwhile()
  set(${outVar} ${found} PARENT_SCOPE)
endfunction()

if(WIN32)
  # The .exe carries the icon and its version details; the zip holds it at
  # the top with a README, the licence and the notices, as Windows text files.
  enable_language(RC)
  set(CAMERA_DEMO_ICON_FILE ${packaging}/icons/camera-demo.ico)
  set(versionParts ${PROJECT_VERSION_MAJOR} ${PROJECT_VERSION_MINOR} ${PROJECT_VERSION_PATCH}
                   ${PROJECT_VERSION_TWEAK} 0 0 0 0)
  list(SUBLIST versionParts 0 4 versionParts)
  list(JOIN versionParts "," CAMERA_DEMO_VERSION_COMMAS)
  configure_file(${packaging}/windows/camera-demo.rc.in ${generated}/camera-demo.rc @ONLY)
  target_sources(camera-demo PRIVATE ${generated}/camera-demo.rc)

  # Windows line ends; the licence and notices hold no @VARIABLE@ and stay as written.
  # configure_file changes the template's line ends, not those of what it
  # puts in, so the lists of controls get theirs in a second pass.
  configure_file(${packaging}/windows/README.txt.in ${generated}/README.lf.txt @ONLY)
  configure_file(${generated}/README.lf.txt ${generated}/README.txt @ONLY NEWLINE_STYLE CRLF)
  configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${generated}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
  configure_file(${PROJECT_SOURCE_DIR}/THIRD-PARTY-NOTICES ${generated}/THIRD-PARTY-NOTICES.txt @ONLY
                 NEWLINE_STYLE CRLF)
  install(TARGETS camera-demo RUNTIME DESTINATION .)
  install(FILES ${generated}/README.txt ${generated}/LICENSE.txt ${generated}/THIRD-PARTY-NOTICES.txt
          DESTINATION .)
else()
  install(TARGETS camera-demo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

  install(FILES ${packaging}/linux/camera-demo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  foreach(size 16 24 32 48 64 128 256)
    install(FILES ${packaging}/icons/camera-demo-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME camera-demo.png)
  endforeach()
  install(FILES ${packaging}/icons/camera-demo.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  # A screenshot only where a packager says where it is: a software centre
  # shows an address that does not answer as a broken picture.
  set(CAMERA_DEMO_SCREENSHOTS "")
  if(NOT CAMERA_DEMO_SCREENSHOT_URL STREQUAL "")
    string(REPLACE "&" "&amp;" screenshotUrl "${CAMERA_DEMO_SCREENSHOT_URL}")
    string(REPLACE "<" "&lt;" screenshotUrl "${screenshotUrl}")
    string(CONCAT CAMERA_DEMO_SCREENSHOTS
      "  <screenshots>\n"
      "    <screenshot type=\"default\">\n"
      "      <caption>The view through the animated camera beside the overview with the camera's trail</caption>\n"
      "      <image>${screenshotUrl}</image>\n"
      "    </screenshot>\n"
      "  </screenshots>")
  endif()
  configure_file(${packaging}/linux/camera-demo.metainfo.xml.in
                 ${generated}/${CAMERA_DEMO_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${generated}/${CAMERA_DEMO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # The manual page and the changelog, compressed as Debian wants them: at the
  # highest level, with no name or time stamp inside.
  find_program(GZIP gzip REQUIRED)
  rfc2822_date(${CAMERA_DEMO_RELEASE_DATE} CAMERA_DEMO_CHANGELOG_DATE)
  configure_file(${packaging}/linux/camera-demo.6.in ${generated}/camera-demo.6 @ONLY)
  configure_file(${packaging}/linux/changelog.in ${generated}/changelog @ONLY)
  execute_process(COMMAND ${GZIP} -9nf camera-demo.6 changelog WORKING_DIRECTORY ${generated}
                  COMMAND_ERROR_IS_FATAL ANY)
  install(FILES ${generated}/camera-demo.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  install(FILES ${packaging}/linux/copyright ${PROJECT_SOURCE_DIR}/README.md ${generated}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DOCDIR})
  # What the README links, beside it at the same relative paths.
  linked_documents(README.md linked)
  foreach(file IN LISTS linked)
    get_filename_component(folder ${file} DIRECTORY)
    install(FILES ${PROJECT_SOURCE_DIR}/${file} DESTINATION ${CMAKE_INSTALL_DOCDIR}/${folder})
  endforeach()
endif()

set(CPACK_PACKAGE_NAME camera-demo)
set(CPACK_PACKAGE_VENDOR "the camera-demo developers")
set(CPACK_PACKAGE_CONTACT "${CAMERA_DEMO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "OpenGL demonstration of moving a camera around a scene")
set(CPACK_PACKAGE_DESCRIPTION
    "A window split in two: the left view looks through an animated camera, the
right view looks at the same scene from afar and shows where the camera is and
the trail of its last positions. Five demonstrations: a circle, a polar sphere,
a circle of varying radius, a circle spun from too high up, and the true
examine mode, an orbit that turns the camera's own direction and up vectors.
The camera can also be taken in hand: a drag orbits it or turns it in place,
the wheel zooms in and out on the point it orbits about, and the arrow keys,
Page Up and Page Down do the same.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
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
