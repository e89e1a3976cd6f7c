cmake_minimum_required(VERSION 3.22)
# Run as `cmake -DROOT=<source dir> -P CheckLayers.cmake`: fails when a file
# of a core layer includes a header of a layer above it or any Qt header.
# The layers, lowest first; each may include only itself and those before it.
set(layers model engine plot geo stress files sites fit compose export)
# The program's other folders: no layer may include them either. Headers of
# outside libraries (Highway, netCDF) are not the layers' business.
set(upper ui app tools tests bench fuzz python)
set(allowed "")
set(failures "")
foreach(layer IN LISTS layers)
  list(APPEND allowed ${layer})
  file(GLOB sources ${ROOT}/${layer}/*.h ${ROOT}/${layer}/*.cpp)
  foreach(src IN LISTS sources)
    file(STRINGS ${src} includes REGEX "^#include [\"<]")
    foreach(line IN LISTS includes)
      if(line MATCHES "^#include \"([a-z]+)/" AND NOT CMAKE_MATCH_1 IN_LIST allowed
         AND (CMAKE_MATCH_1 IN_LIST layers OR CMAKE_MATCH_1 IN_LIST upper))
        list(APPEND failures "${src}: ${line}")
      elseif(line MATCHES "^#include <Q")
        list(APPEND failures "${src}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(failures)
  list(JOIN failures "\n" text)
  message(FATAL_ERROR "Includes that point up the layers:\n${text}")
endif()
