# The Windows program runs alone from its folder: with a static Qt, the platform plugin and the
# native style go into quillmap.exe, and it starts without a console window.
if(NOT (WIN32 AND TARGET quillmap))
  return()
endif()
set_target_properties(quillmap PROPERTIES WIN32_EXECUTABLE ON)

get_target_property(quillmap_qt_type Qt6::Core TYPE)
if(quillmap_qt_type STREQUAL "STATIC_LIBRARY")
  set(quillmap_plugins Qt6::QWindowsIntegrationPlugin)
  if(TARGET Qt6::QWindowsVistaStylePlugin)
    list(APPEND quillmap_plugins Qt6::QWindowsVistaStylePlugin)
  endif()
  qt_import_plugins(quillmap INCLUDE ${quillmap_plugins})
  # The window's tests run without a display, on the offscreen platform.
  get_property(quillmap_tests DIRECTORY ${CMAKE_SOURCE_DIR}/tests PROPERTY BUILDSYSTEM_TARGETS)
  foreach(test ${quillmap_tests})
    if(test MATCHES "^gui_")
      qt_import_plugins(${test} INCLUDE ${quillmap_plugins} Qt6::QOffscreenIntegrationPlugin)
    endif()
  endforeach()
endif()
