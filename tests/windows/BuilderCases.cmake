# Runs quillmap-build.exe from a program folder named "Ünïcødé" on the sample project copied to
# "日本.qmp", into "出力" and into its own out folder, and checks a missing project's message.
string(REPLACE "|" ";" emulator "${EMULATOR}")
get_filename_component(bin "${BUILDER}" DIRECTORY)
file(REMOVE_RECURSE "${WORK}")
set(program "${WORK}/Ünïcødé")
file(MAKE_DIRECTORY "${program}")
file(COPY "${BUILDER}" "${bin}/out" DESTINATION "${program}")
file(COPY_FILE "${bin}/Projects/sample_site.qmp" "${WORK}/日本.qmp")

# Windows names the folders of the machine's own file system under drive Z:.
function(windows_path variable path)
  string(REPLACE "/" "\\" path "${path}")
  set(${variable} "Z:${path}" PARENT_SCOPE)
endfunction()
windows_path(project "${WORK}/日本.qmp")
windows_path(target "${WORK}/出力")
windows_path(missing "${WORK}/無い.qmp")

function(run_builder expected_status)
  execute_process(COMMAND ${emulator} "${program}/quillmap-build.exe" ${ARGN}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "quillmap-build.exe ${ARGN}: status ${status}, not ${expected_status}\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect_same_file expected actual)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${expected}" "${actual}" RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "${actual} differs from ${expected}")
  endif()
endfunction()

run_builder(0 "${project}" --out "${target}")
string(FIND "${out}" "Menu written to ${target}\\Quillnav.js" found)
if(found EQUAL -1)
  message(FATAL_ERROR "The report does not name the Unicode output folder: ${out}")
endif()
expect_same_file("${bin}/out/index.html" "${WORK}/出力/index.html")

run_builder(0 "${project}")

run_builder(1 "${missing}")
if(NOT err MATCHES "^Cannot open file ([^\r\n]+): no such file\\.\r?\n$" OR NOT CMAKE_MATCH_1 STREQUAL missing)
  message(FATAL_ERROR "Unexpected report of a missing Unicode-named project: ${err}")
endif()

if(REFERENCE)
  execute_process(COMMAND "${REFERENCE}" "${WORK}/日本.qmp" --out "${WORK}/native" RESULT_VARIABLE status
    OUTPUT_QUIET)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "The native builder ${REFERENCE} failed")
  endif()
  foreach(name Quillnav.js Quillnavstyle.css)
    expect_same_file("${WORK}/native/${name}" "${WORK}/出力/${name}")
    expect_same_file("${WORK}/native/${name}" "${program}/out/${name}")
  endforeach()
else()
  message(WARNING "No QUILLMAP_REFERENCE_BUILDER: the menus were not compared with a native build")
  expect_same_file("${WORK}/出力/Quillnav.js" "${program}/out/Quillnav.js")
endif()
