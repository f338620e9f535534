# The spreadsheet library's layers may include only from their own layer and those below it:
# core includes neither model nor formats, model includes no formats. A file that breaks this
# stops the build with a message naming it. The check runs when CMake configures and, through the
# target layer_includes, before the library is compiled; `cmake -DSOURCE_DIR=<tree> -P` this file
# checks another tree.

function(check_layer_includes_in root)
  set(failures "")
  foreach(rule "core;model|formats" "model;formats")
    list(GET rule 0 layer)
    list(GET rule 1 above)
    file(GLOB_RECURSE files "${root}/src/workbook/${layer}/*.h" "${root}/src/workbook/${layer}/*.cpp")
    foreach(file IN LISTS files)
      file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"workbook/(${above})/")
      foreach(line IN LISTS lines)
        file(RELATIVE_PATH name "${root}" "${file}")
        string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" header "${line}")
        string(APPEND failures "\n  ${name} includes ${header}")
      endforeach()
    endforeach()
  endforeach()
  if(failures)
    message(FATAL_ERROR "A layer of the spreadsheet library includes a header of a layer above it "
                        "(core < model < formats):${failures}")
  endif()
endfunction()

function(check_layer_includes)
  check_layer_includes_in("${CMAKE_SOURCE_DIR}")
  add_custom_target(layer_includes
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/layer_includes.cmake
    COMMENT "Checking the library's layers' includes" VERBATIM)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND SOURCE_DIR)
  check_layer_includes_in("${SOURCE_DIR}")
endif()
