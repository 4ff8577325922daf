# A cross build for Windows takes Qt, Gumbo and pugixml from the folder scripts/windows-deps
# fills (static mingw-w64 builds of Debian's sources):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
#         -DQUILLMAP_WINDOWS_DEPS="$(scripts/windows-deps --prefix)"
# Qt's code generators (moc, uic, rcc) are the build machine's own, of the same Qt version.
set(QUILLMAP_WINDOWS_DEPS "" CACHE PATH "Static Windows builds of Qt and the import's libraries")
set(QUILLMAP_HOST_QT /usr CACHE PATH "The build machine's Qt, whose tools a cross build runs")
set(QUILLMAP_HOST_QT_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "The CMake packages of the build machine's Qt")

if(CMAKE_CROSSCOMPILING AND QUILLMAP_WINDOWS_DEPS)
  if(NOT EXISTS ${QUILLMAP_WINDOWS_DEPS}/lib/cmake/Qt6)
    message(FATAL_ERROR "No Qt in ${QUILLMAP_WINDOWS_DEPS}: run scripts/windows-deps first")
  endif()
  # The folder is a root of its own, so that the toolchain's root-only searches look inside it.
  list(APPEND CMAKE_FIND_ROOT_PATH ${QUILLMAP_WINDOWS_DEPS})
  list(APPEND CMAKE_PREFIX_PATH ${QUILLMAP_WINDOWS_DEPS})
  set(QT_HOST_PATH ${QUILLMAP_HOST_QT})
  set(QT_HOST_PATH_CMAKE_DIR ${QUILLMAP_HOST_QT_CMAKE_DIR})
endif()
# pkg-config of a cross build sees the target system's .pc files only, never the build machine's.
if(CMAKE_CROSSCOMPILING)
  set(quillmap_pkgconfig_dirs)
  foreach(root ${CMAKE_FIND_ROOT_PATH})
    list(APPEND quillmap_pkgconfig_dirs ${root}/lib/pkgconfig)
  endforeach()
  string(REPLACE ";" ":" quillmap_pkgconfig_dirs "${quillmap_pkgconfig_dirs}")
  set(ENV{PKG_CONFIG_LIBDIR} "${quillmap_pkgconfig_dirs}")
  set(ENV{PKG_CONFIG_PATH} "")
endif()
