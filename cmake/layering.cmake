# The Qt folders stand in layers: app on dialogs, dialogs on shell. An include that
# reaches upwards fails the build, as a Qt include fails in the core.
function(kelmar_forbid_includes folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h" "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp")
  set(stamp "${CMAKE_CURRENT_BINARY_DIR}/layering-${folder}.stamp")
  string(REPLACE ";" "," forbidden "${ARGN}")
  add_custom_command(OUTPUT "${stamp}"
    COMMAND ${CMAKE_COMMAND} "-DSOURCES=${sources}" "-DFORBIDDEN=${forbidden}" "-DFOLDER=${folder}"
            "-DSTAMP=${stamp}" -P "${PROJECT_SOURCE_DIR}/cmake/check_layering.cmake"
    DEPENDS ${sources} "${PROJECT_SOURCE_DIR}/cmake/check_layering.cmake"
    COMMENT "Checking that ${folder}/ includes nothing from ${ARGN}" VERBATIM)
  add_custom_target(kelmar_layering_${folder} ALL DEPENDS "${stamp}")
endfunction()
