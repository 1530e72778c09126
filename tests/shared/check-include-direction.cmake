# Fails when a product folder includes a header of a folder it must not use,
# so the folders keep depending in one direction (docs/ARCHITECTURE.md):
#   cmake -DSOURCE=<tree> -P check-include-direction.cmake
# Each rule: a folder, then what its files may include besides themselves (a
# folder ends in "/", anything else is one header).
cmake_minimum_required(VERSION 3.20)
set(rules
  "shared"
  "chipwatch shared/"
  "coreprobe shared/"
  "sensors shared/ chipwatch/"
  "settings shared/ chipwatch/ coreprobe/"
  "plugins shared/ sdk/ settings/CvlExports.h"
  "cvlcheck shared/ sdk/"
  "launcher shared/"
  "screenspan"
  "bar shared/ sensors/ chipwatch/ settings/CvlExports.h")
set(top_folders bar chipwatch coreprobe cvlcheck launcher plugins screenspan sdk sensors settings
    shared)

set(failures "")
foreach(rule IN LISTS rules)
  string(REPLACE " " ";" allowed "${rule}")
  list(POP_FRONT allowed folder)
  file(GLOB_RECURSE files "${SOURCE}/${folder}/*.h" "${SOURCE}/${folder}/*.cpp"
       "${SOURCE}/${folder}/*.c" "${SOURCE}/${folder}/*.rc")
  foreach(file IN LISTS files)
    file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" header "${line}")
      string(REGEX REPLACE "/.*$" "" used "${header}")
      if(used STREQUAL folder OR NOT used IN_LIST top_folders)
        continue()
      endif()
      if("${used}/" IN_LIST allowed OR header IN_LIST allowed)
        continue()
      endif()
      file(RELATIVE_PATH name "${SOURCE}" "${file}")
      string(APPEND failures "\n  ${name} includes ${header}")
    endforeach()
  endforeach()
endforeach()

if(failures)
  message(FATAL_ERROR "Includes against the direction of the folders:${failures}")
endif()
message(STATUS "Every folder includes only the folders it may use.")
