# vistrel_add_zip_resource(<target> FOLDER <dir> ID <resource id>)
#
# Packs every file below <dir> into a ZIP at build time (again whenever one of
# them changes or a file is added) and embeds it in <target> as a resource of
# type "ZIP" with the given id, for CPaintManagerUI::SetResourceZip:
#   FindResourceW(module, MAKEINTRESOURCEW(<id>), L"ZIP")
# Entry names are the paths relative to <dir> ("main.xml", "common/bg.png").
function(vistrel_add_zip_resource target)
  cmake_parse_arguments(Z "" "FOLDER;ID" "" ${ARGN})
  if(NOT Z_FOLDER OR NOT Z_ID)
    message(FATAL_ERROR "vistrel_add_zip_resource(${target}): FOLDER and ID are required")
  endif()
  get_filename_component(folder "${Z_FOLDER}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  file(GLOB_RECURSE files CONFIGURE_DEPENDS LIST_DIRECTORIES false RELATIVE "${folder}" "${folder}/*")
  if(NOT files)
    message(FATAL_ERROR "vistrel_add_zip_resource(${target}): ${folder} holds no files")
  endif()
  list(SORT files)
  set(inputs "")
  foreach(f IN LISTS files)
    list(APPEND inputs "${folder}/${f}")
  endforeach()

  set(base "${CMAKE_CURRENT_BINARY_DIR}/${target}_zip_${Z_ID}")
  add_custom_command(OUTPUT "${base}.zip"
    COMMAND ${CMAKE_COMMAND} -E rm -f "${base}.zip"
    COMMAND ${CMAKE_COMMAND} -E tar cf "${base}.zip" --format=zip -- ${files}
    WORKING_DIRECTORY "${folder}"
    DEPENDS ${inputs}
    COMMENT "Packing ${Z_FOLDER} into resource ${Z_ID} of ${target}"
    VERBATIM)

  # windres reads the ZIP when it compiles this file; rebuild it with the ZIP.
  file(CONFIGURE OUTPUT "${base}.rc" CONTENT "${Z_ID} ZIP \"${base}.zip\"\n")
  set_source_files_properties("${base}.rc" PROPERTIES OBJECT_DEPENDS "${base}.zip")
  target_sources(${target} PRIVATE "${base}.rc")
endfunction()
