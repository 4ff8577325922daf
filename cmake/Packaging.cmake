# The Debian package (cpack -G DEB): the installed tree of `cmake --install` under /usr, with the
# documents Debian asks of every package. scripts/package packs the build of scripts/build with CPack.
set(QUILLMAP_DEB_MAINTAINER "Zentavo <quillmap@example.org>")
set(QUILLMAP_DEB_VERSION ${PROJECT_VERSION})

if(UNIX AND NOT APPLE)
  # Debian's changelog and copyright, the changelog compressed without a time stamp; the date is
  # the last commit's, so that a package built again from the same sources is the same. The
  # version has no Debian revision (the package is native), so the changelog is changelog.gz.
  execute_process(COMMAND git log -1 --format=%cD WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                  OUTPUT_VARIABLE QUILLMAP_DEB_DATE OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT QUILLMAP_DEB_DATE)
    string(TIMESTAMP QUILLMAP_DEB_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
  endif()
  set(changelog ${CMAKE_BINARY_DIR}/debian/changelog)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/debian/changelog.in ${changelog} @ONLY)
  if(QUILLMAP_GZIP)
    add_custom_command(OUTPUT ${changelog}.gz
      COMMAND ${QUILLMAP_GZIP} -9 -n -c ${changelog} > ${changelog}.gz
      DEPENDS ${changelog})
    add_custom_target(quillmap_debian_changelog ALL DEPENDS ${changelog}.gz)
    install(FILES ${changelog}.gz DESTINATION share/doc/quillmap)
  endif()
  install(FILES ${CMAKE_SOURCE_DIR}/cmake/debian/copyright DESTINATION share/doc/quillmap)
endif()

set(CPACK_PACKAGE_NAME quillmap)
set(CPACK_PACKAGE_VENDOR Zentavo)
set(CPACK_PACKAGE_CONTACT ${QUILLMAP_DEB_MAINTAINER})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "builds collapsible navigation tree menus for web pages")
set(CPACK_PACKAGE_HOMEPAGE_URL https://quillmap.example.org/)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QUILLMAP_DEB_MAINTAINER})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION ${QUILLMAP_DEB_VERSION})
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Opening the test page, Help and the out folder goes through the desktop; registering the file
# type uses its tools when they are there.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "chromium | firefox-esr | www-browser")
# CPack indents the lines and marks the empty one; the synopsis is the summary above.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quillmap puts together a tree of folders and links in one window and writes
it as a collapsible navigation menu: a small script and its stylesheet,
ready to be copied into a site. The menu works with the keyboard and with
screen readers and stays quick with a hundred thousand entries.

An existing site can be imported from its folder or its sitemap; the
command-line programs quillmap-build and quillmap-import do the same
without a window.")
set(CPACK_GENERATOR DEB)
include(CPack)
