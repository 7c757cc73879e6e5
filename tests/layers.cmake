# Fails when a subsystem reaches into a later one: the layers run one way,
# foundation <- math <- geodesy <- projection <- coordsys. Checked in the public
# headers and in the sources, for includes of a later subsystem's headers (public
# <geoframe/projection/...> or internal "projection/...") and for forward
# declarations of a later subsystem's classes.
#   cmake -DSOURCE_DIR=<project root> -P layers.cmake
set(layers foundation math geodesy projection coordsys)

# Which subsystem each public class belongs to, from its header's name.
foreach(layer IN LISTS layers)
  file(GLOB_RECURSE headers ${SOURCE_DIR}/include/geoframe/${layer}/*.h)
  foreach(header IN LISTS headers)
    get_filename_component(class ${header} NAME_WE)
    set(layer_of_${class} ${layer})
  endforeach()
endforeach()

set(violations "")
foreach(layer IN LISTS layers)
  list(FIND layers ${layer} rank)
  file(GLOB_RECURSE files ${SOURCE_DIR}/include/geoframe/${layer}/*.h
       ${SOURCE_DIR}/src/${layer}/*.h ${SOURCE_DIR}/src/${layer}/*.cpp)
  foreach(file IN LISTS files)
    file(STRINGS ${file} lines
         REGEX "^(#include [<\"](geoframe/)?[a-z]+/|(class|struct) [A-Za-z0-9_]+;)")
    foreach(line IN LISTS lines)
      set(used "")
      if(line MATCHES "^#include [<\"](geoframe/)?([a-z]+)/")
        set(used ${CMAKE_MATCH_2})
      elseif(line MATCHES "^(class|struct) ([A-Za-z0-9_]+);" AND DEFINED layer_of_${CMAKE_MATCH_2})
        set(used ${layer_of_${CMAKE_MATCH_2}})
      endif()
      list(FIND layers "${used}" usedRank)
      if(usedRank GREATER rank)
        list(APPEND violations "${file}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(violations)
  list(JOIN violations "\n" text)
  message(FATAL_ERROR "Subsystems reaching into later ones:\n${text}")
endif()
