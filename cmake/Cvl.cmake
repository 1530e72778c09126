# Build helpers shared by the three build trees.
#   CVL_TREE = host     native g++: portable core and its GoogleTest suites (ASan/UBSan);
#                       also registers the Windows suites, which run through Wine.
#   CVL_TREE = win      MinGW-w64 win32 thread model: the shipped binaries.
#   CVL_TREE = wintest  MinGW-w64 posix thread model: Windows GoogleTest suites and
#                       the stand-in DLLs they load; product sources compiled again.

set(CVL_SHIPPED_DIR ${CMAKE_BINARY_DIR}/bin)
set(CVL_TESTBIN_DIR ${CMAKE_BINARY_DIR}/testbin)

if(CVL_TREE STREQUAL "host")
  set(CVL_WIN_DIR "${CMAKE_BINARY_DIR}/../win" CACHE PATH "tree with the shipped binaries")
  set(CVL_WINTEST_DIR "${CMAKE_BINARY_DIR}/../wintest" CACHE PATH "tree with the Windows test programs")
  set(CVL_WINE_ROOT "${CMAKE_BINARY_DIR}/../wine" CACHE PATH "private Wine prefixes of the test run")
  get_filename_component(CVL_WIN_DIR "${CVL_WIN_DIR}" ABSOLUTE)
  get_filename_component(CVL_WINTEST_DIR "${CVL_WINTEST_DIR}" ABSOLUTE)
  get_filename_component(CVL_WINE_ROOT "${CVL_WINE_ROOT}" ABSOLUTE)
endif()

function(_cvl_is_windows_tree out)
  if(CVL_TREE STREQUAL "win" OR CVL_TREE STREQUAL "wintest")
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

# Code without windows.h: built in every tree.
function(cvl_portable_library name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  if(A_LIBS)
    target_link_libraries(${name} PUBLIC ${A_LIBS})
  endif()
endfunction()

# Win32 code: built in both Windows trees.
function(cvl_win_library name)
  _cvl_is_windows_tree(is_win)
  if(NOT is_win)
    return()
  endif()
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  if(A_LIBS)
    target_link_libraries(${name} PUBLIC ${A_LIBS})
  endif()
endfunction()

function(_cvl_windows_binary name kind)
  cmake_parse_arguments(A "GUI" "OUTPUT;DEF;DIR" "SOURCES;LIBS" ${ARGN})
  if(kind STREQUAL "exe")
    if(A_GUI)
      add_executable(${name} WIN32 ${A_SOURCES})
    else()
      add_executable(${name} ${A_SOURCES})
    endif()
  else()
    add_library(${name} SHARED ${A_SOURCES})
    # Undecorated names come from the .def file; no lib prefix, no import lib clutter.
    set_target_properties(${name} PROPERTIES PREFIX "")
    if(A_DEF)
      target_sources(${name} PRIVATE ${A_DEF})
      target_link_options(${name} PRIVATE -Wl,--enable-stdcall-fixup)
    endif()
  endif()
  if(A_OUTPUT)
    get_filename_component(base "${A_OUTPUT}" NAME_WE)
    get_filename_component(ext "${A_OUTPUT}" EXT)
    set_target_properties(${name} PROPERTIES OUTPUT_NAME "${base}" SUFFIX "${ext}")
  endif()
  set_target_properties(${name} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY "${A_DIR}"
    LIBRARY_OUTPUT_DIRECTORY "${A_DIR}"
    ARCHIVE_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/implib")
  if(A_LIBS)
    target_link_libraries(${name} PRIVATE ${A_LIBS})
  endif()
endfunction()

# A shipped program or library (only in the shipped tree).
#   cvl_shipped(Main KIND exe GUI OUTPUT Main.exe SOURCES ... LIBS ...)
#   cvl_shipped(cvl KIND dll OUTPUT cvl.dll DEF cvl.def SOURCES ... LIBS ...)
function(cvl_shipped name)
  if(NOT CVL_TREE STREQUAL "win")
    return()
  endif()
  cmake_parse_arguments(A "" "KIND" "" ${ARGN})
  _cvl_windows_binary(${name} ${A_KIND} ${A_UNPARSED_ARGUMENTS} DIR "${CVL_SHIPPED_DIR}")
  target_link_libraries(${name} PRIVATE cvl_small_runtime)
  target_link_options(${name} PRIVATE -s)
endfunction()

# A stand-in DLL or helper program used only by Windows tests (never shipped).
function(cvl_test_binary name)
  if(NOT CVL_TREE STREQUAL "wintest")
    return()
  endif()
  cmake_parse_arguments(A "" "KIND" "" ${ARGN})
  _cvl_windows_binary(${name} ${A_KIND} ${A_UNPARSED_ARGUMENTS} DIR "${CVL_TESTBIN_DIR}")
endfunction()

# A native GoogleTest suite, run under AddressSanitizer and UBSan.
function(cvl_native_test name)
  if(NOT CVL_TREE STREQUAL "host")
    return()
  endif()
  cmake_parse_arguments(A "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest_main)
  add_test(NAME native.${name} COMMAND ${name} --gtest_brief=1)
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 120)
  endif()
  set_tests_properties(native.${name} PROPERTIES TIMEOUT ${A_TIMEOUT} LABELS native)
endfunction()

# A Windows GoogleTest suite: built in the test tree, run through Wine from the host
# tree once per Wine mode (win98: Windows 98, version 4.10; nt: Wine's default NT mode).
#   cvl_win_test(name SOURCES ... LIBS ... MODES win98 nt [TIMEOUT s])
# PROGRAM runs the program of another suite instead, with ARGS added (a test
# filter, for cases that must also run in another mode).
#   cvl_win_test(name PROGRAM other ARGS --gtest_filter=... MODES nt)
function(cvl_win_test name)
  cmake_parse_arguments(A "" "TIMEOUT;PROGRAM" "SOURCES;LIBS;MODES;ARGS" ${ARGN})
  set(program ${name})
  if(A_PROGRAM)
    set(program ${A_PROGRAM})
  endif()
  if(NOT A_MODES)
    set(A_MODES win98 nt)
  endif()
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 300)
  endif()
  if(CVL_TREE STREQUAL "wintest" AND NOT A_PROGRAM)
    add_executable(${name} ${A_SOURCES})
    target_link_libraries(${name} PRIVATE ${A_LIBS} cvl_wintest_support GTest::gtest)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
  elseif(CVL_TREE STREQUAL "host")
    foreach(mode IN LISTS A_MODES)
      add_test(NAME ${mode}.${name}
        COMMAND ${CMAKE_SOURCE_DIR}/tests/harness/wine-test.sh ${mode}
                ${CVL_WINTEST_DIR}/tests/${program}.exe --gtest_brief=1 ${A_ARGS})
      math(EXPR outer "${A_TIMEOUT} + 240")
      set_tests_properties(${mode}.${name} PROPERTIES
        TIMEOUT ${outer}
        LABELS "wine;${mode}"
        RESOURCE_LOCK wine-${mode}
        ENVIRONMENT "CVL_WINE_ROOT=${CVL_WINE_ROOT};CVL_BIN=${CVL_WIN_DIR}/bin;CVL_TESTBIN=${CVL_WINTEST_DIR}/testbin;CVL_TEST_TIMEOUT=${A_TIMEOUT};CVL_SOURCE=${CMAKE_SOURCE_DIR}")
    endforeach()
  endif()
endfunction()

# A test run by a shell script on the host (for example checks over the shipped binaries).
function(cvl_script_test name)
  if(NOT CVL_TREE STREQUAL "host")
    return()
  endif()
  cmake_parse_arguments(A "" "TIMEOUT" "COMMAND" ${ARGN})
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 120)
  endif()
  add_test(NAME script.${name} COMMAND ${A_COMMAND})
  set_tests_properties(script.${name} PROPERTIES TIMEOUT ${A_TIMEOUT} LABELS script
    ENVIRONMENT "CVL_BIN=${CVL_WIN_DIR}/bin;CVL_TESTBIN=${CVL_WINTEST_DIR}/testbin;CVL_SOURCE=${CMAKE_SOURCE_DIR}")
endfunction()

# Copies files (names relative to SOURCE) into the shipped folder's DEST
# subfolder at build time, the layout they are installed in; out receives
# the copies, for a target to depend on.
#   cvl_ship_files(outputs SOURCE dir DEST Help FILES images/logo.gif ...)
function(cvl_ship_files out)
  cmake_parse_arguments(A "" "SOURCE;DEST" "FILES" ${ARGN})
  set(outputs)
  foreach(file IN LISTS A_FILES)
    set(copy ${CVL_SHIPPED_DIR}/${A_DEST}/${file})
    get_filename_component(folder ${copy} DIRECTORY)
    add_custom_command(OUTPUT ${copy}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
      COMMAND ${CMAKE_COMMAND} -E copy ${A_SOURCE}/${file} ${copy}
      DEPENDS ${A_SOURCE}/${file})
    list(APPEND outputs ${copy})
  endforeach()
  set(${out} ${outputs} PARENT_SCOPE)
endfunction()
