# The layering test: every #include "folder/file.h" in src/ must point along the arrows of
# Layers.cmake, and no core folder may include a Qt header. Run as
#   cmake -DSOURCE_DIR=<project>/src -P CheckLayers.cmake
# and it fails, naming each file and include, when one points the wrong way.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)

set(violations "")
foreach(folder IN LISTS TRACKMINT_CORE_FOLDERS ITEMS app app/window)
  set(allowed ${folder} ${TRACKMINT_LAYER_${folder}})
  file(GLOB sources LIST_DIRECTORIES false "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  if(NOT sources)
    message(FATAL_ERROR "no sources in ${SOURCE_DIR}/${folder}")
  endif()
  foreach(source IN LISTS sources)
    set(allowed_here ${allowed})
    # The program's entry stands above both front ends.
    if(folder STREQUAL "app" AND source MATCHES "/main\\.cpp$")
      list(APPEND allowed_here app/window)
    endif()
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
      if(line MATCHES "#[ \t]*include[ \t]*\"(.+)/[^/]+\"")
        set(included ${CMAKE_MATCH_1})
        if(NOT included IN_LIST allowed_here)
          list(APPEND violations "${source}: ${line}")
        endif()
      elseif(line MATCHES "#[ \t]*include[ \t]*<Q" AND folder IN_LIST TRACKMINT_CORE_FOLDERS)
        list(APPEND violations "${source}: ${line} (the core has no toolkit)")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "includes against the layers:\n  ${text}")
endif()
