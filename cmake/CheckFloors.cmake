# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source file includes a folder on its own floor or above it,
# other than its own folder: every floor builds only on the floors below.
# Run as: cmake -DSOURCE_DIR=<src> -P CheckFloors.cmake

# Folder and floor, from the bottom up; folders of one floor know nothing of each other.
set(floors core=0 common=1 surface=2 board=3 reports=3 windows=4 app=5)
foreach(entry IN LISTS floors)
  string(REPLACE "=" ";" pair "${entry}")
  list(GET pair 0 folder)
  list(GET pair 1 floor)
  set(floor_of_${folder} ${floor})
endforeach()

set(faults "")
file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
foreach(source IN LISTS sources)
  string(REGEX MATCH "^[^/]+" folder "${source}")
  if(NOT DEFINED floor_of_${folder})
    list(APPEND faults "${source}: the folder ${folder} has no floor")
    continue()
  endif()
  file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"[a-z]+/")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[^\"]*\"([a-z]+)/.*$" "\\1" included "${line}")
    if(included STREQUAL folder)
      continue()
    endif()
    if(NOT DEFINED floor_of_${included} OR NOT floor_of_${included} LESS floor_of_${folder})
      list(APPEND faults "${source} (${folder}) includes ${included}, which is not on a floor below it")
    endif()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n" message)
  message(FATAL_ERROR "${message}")
endif()
