# Each room of the tree is one library. Its include root holds that room
# alone, under its path from the top of the tree, so that
# #include "selection/order/printfit.h" compiles only in a target that links
# the room: the link line is the layering.
#
#   marvolia_library(NAME ROOM dir SOURCES ... LINKS ...)
#
# A room of headers alone (no .cpp among its sources) is an interface library.
#
# Every room is also written to rooms.txt in the build tree (name, folder, the
# rooms and libraries it links), which tools/check-includes.py reads.
function(marvolia_library name)
  cmake_parse_arguments(ARG "" "ROOM" "SOURCES;LINKS" ${ARGN})
  set(kind INTERFACE)
  set(scope INTERFACE)
  foreach(source ${ARG_SOURCES})
    if(source MATCHES "\\.cpp$")
      set(kind STATIC)
      set(scope PUBLIC)
    endif()
  endforeach()
  if(kind STREQUAL INTERFACE)
    add_library(${name} INTERFACE ${ARG_SOURCES})
  else()
    add_library(${name} STATIC ${ARG_SOURCES})
  endif()
  set(root ${CMAKE_BINARY_DIR}/rooms/${name})
  get_filename_component(parent ${root}/${ARG_ROOM} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${ARG_ROOM} ${root}/${ARG_ROOM} SYMBOLIC)
  target_include_directories(${name} ${scope} ${root})
  target_link_libraries(${name} ${scope} ${ARG_LINKS})
  marvolia_room_manifest(${name} ${ARG_ROOM} ${ARG_LINKS})
endfunction()

# A folder of programs (tests, benchmarks, fuzz targets) for the include
# check: what the programs built from it link.
function(marvolia_room_manifest name folder)
  list(JOIN ARGN " " links)
  set_property(GLOBAL APPEND PROPERTY MARVOLIA_ROOMS "${name} ${folder} ${links}")
endfunction()

function(marvolia_write_room_manifest)
  get_property(rooms GLOBAL PROPERTY MARVOLIA_ROOMS)
  list(JOIN rooms "\n" text)
  file(WRITE ${CMAKE_BINARY_DIR}/rooms.txt "${text}\n")
endfunction()

# Stops the configuration when target links `forbidden` by any path, through
# the rooms and libraries it links: a room meant to work without a window
# must not take widgets in by way of another room.
function(marvolia_forbid_link target forbidden)
  set(todo ${target})
  set(seen)
  while(todo)
    list(POP_FRONT todo current)
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" current "${current}")
    if(current IN_LIST seen OR NOT TARGET ${current})
      continue()
    endif()
    list(APPEND seen ${current})
    if(current STREQUAL forbidden)
      message(FATAL_ERROR "${target} must not link ${forbidden}, yet does (links followed: ${seen})")
    endif()
    get_target_property(links ${current} INTERFACE_LINK_LIBRARIES)
    if(links)
      list(APPEND todo ${links})
    endif()
  endwhile()
endfunction()
