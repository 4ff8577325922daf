# Every Quillmap executable for Windows (quillmap, quillmap-build, quillmap-<tool>) gets the
# program's icon and version information as resources. The icon is drawn by the program's own
# picture code, built for the building machine (assets/icons/CMakeLists.txt) when this is a cross
# build, and written as a .ico at build time.
if(NOT WIN32)
  return()
endif()
enable_language(RC)

set(quillmap_ico "")
if(TARGET quillmap_gui)
  set(quillmap_ico ${CMAKE_BINARY_DIR}/resources/quillmap.ico)
  if(CMAKE_CROSSCOMPILING)
    include(ExternalProject)
    set(tool_dir ${CMAKE_BINARY_DIR}/icon-tool)
    set(tool ${tool_dir}/quillmap_draw_icons)
    # Built with the machine's own compiler and Qt: the toolchain file is not passed on.
    ExternalProject_Add(quillmap_icon_tool
      SOURCE_DIR ${CMAKE_SOURCE_DIR}/assets/icons
      BINARY_DIR ${tool_dir}
      CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
      INSTALL_COMMAND ""
      BUILD_ALWAYS ON
      BUILD_BYPRODUCTS ${tool})
    set(draw ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${tool})
    set(draw_depends quillmap_icon_tool ${tool})
  else()
    add_executable(quillmap_draw_icons ${CMAKE_SOURCE_DIR}/assets/icons/DrawIcons.cpp)
    target_link_libraries(quillmap_draw_icons PRIVATE quillmap_gui)
    set(draw ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:quillmap_draw_icons>)
    set(draw_depends quillmap_draw_icons)
  endif()
  add_custom_command(OUTPUT ${quillmap_ico}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/resources
    COMMAND ${draw} --ico ${quillmap_ico}
    DEPENDS ${draw_depends}
    COMMENT "Drawing the program's icon for Windows"
    VERBATIM)
  add_custom_target(quillmap_windows_icon DEPENDS ${quillmap_ico})
endif()

set(quillmap_descriptions
  "quillmap=Quillmap"
  "quillmap-build=Quillmap menu builder"
  "quillmap-import=Quillmap site import"
  "quillmap-check=Quillmap link check")

function(quillmap_windows_resources target)
  set(QUILLMAP_RC_NAME ${target})
  set(QUILLMAP_RC_DESCRIPTION "Quillmap")
  foreach(entry ${quillmap_descriptions})
    if(entry MATCHES "^${target}=(.*)$")
      set(QUILLMAP_RC_DESCRIPTION "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  set(patch 0)
  if(PROJECT_VERSION_PATCH)
    set(patch ${PROJECT_VERSION_PATCH})
  endif()
  set(QUILLMAP_RC_VERSION "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${patch},0")
  set(QUILLMAP_RC_ICON "")
  if(quillmap_ico)
    set(QUILLMAP_RC_ICON "1 ICON \"${quillmap_ico}\"")
  endif()
  set(rc ${CMAKE_BINARY_DIR}/resources/${target}.rc)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/windows/program.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  if(quillmap_ico)
    set_source_files_properties(${rc} TARGET_DIRECTORY ${target} PROPERTIES OBJECT_DEPENDS ${quillmap_ico})
    add_dependencies(${target} quillmap_windows_icon)
  endif()
endfunction()

# The programs users run: quillmap and quillmap-<tool> wherever they are defined.
foreach(dir ${quillmap_subsystems})
  get_property(targets DIRECTORY ${CMAKE_SOURCE_DIR}/${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE" AND target MATCHES "^quillmap(-[a-z]+)?$")
      quillmap_windows_resources(${target})
    endif()
  endforeach()
endforeach()
