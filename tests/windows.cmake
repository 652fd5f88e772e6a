# The tests of the Windows build, cross-built with MinGW-w64 and run under Wine (the toolchain file's
# emulator): the unit layer, and the end-to-end scenarios against splines.exe on Xvfb. The gl, long,
# alloc and bench layers stay with the Linux build (they test no platform code), and so do the tests
# that need POSIX means: named pipes, /dev/full, fork, an unprivileged effective user (the scratch
# file in every state, number_text_literal_test.cpp) and read-only bind mounts (test_read_only_dir:
# as root Wine writes anyway). So do test_game_mode (Xorg's mode change; freeglut for Windows asks
# for the game mode's 256 bits per pixel, which no Windows display has, and falls back) and
# test_font_sheet (a Linux program of its own).

# GoogleTest from the source that libgtest-dev ships.
set(SPLINES_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's source, built for the target")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${SPLINES_GOOGLETEST_SOURCE} ${CMAKE_CURRENT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(library gtest gtest_main gmock)
  if(NOT TARGET GTest::${library})
    add_library(GTest::${library} ALIAS ${library})
  endif()
endforeach()

# The recording stand-in defines GL's functions in place of opengl32.dll's, and glutInit itself
# rather than freeglut's Windows form of it. The null GL serves the benchmarks and the allocation
# count only.
set_target_properties(null_gl PROPERTIES EXCLUDE_FROM_ALL ON)
add_library(gl_recorder STATIC support/gl_recorder.cpp support/process_state.cpp)
target_include_directories(gl_recorder PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_definitions(gl_recorder PRIVATE GLUT_DISABLE_ATEXIT_HACK)
target_link_libraries(gl_recorder PUBLIC splines_core)
add_library(test_support STATIC support/test_support.cpp)
target_link_libraries(test_support PUBLIC gl_recorder GTest::gtest)

file(GLOB unit_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/unit/*.cpp)
list(REMOVE_ITEM unit_sources ${CMAKE_CURRENT_SOURCE_DIR}/unit/number_text_literal_test.cpp)
add_executable(unit_tests ${unit_sources})
# The browser's rasteriser is plain C++: its unit test runs here as well.
list(TRANSFORM splines_web_raster_sources PREPEND ${PROJECT_SOURCE_DIR}/ OUTPUT_VARIABLE raster_sources)
target_sources(unit_tests PRIVATE ${raster_sources})
target_link_libraries(unit_tests PRIVATE
  test_support literal_reference "$<LINK_GROUP:RESCAN,splines_core,gl_recorder>" GTest::gmock GTest::gtest_main)

# Every test in Wine's prefix here, made once by the fixture; one test at a time, since each ends
# the prefix's wineserver before it starts.
set(wine_prefix ${CMAKE_CURRENT_BINARY_DIR}/wine-prefix)
add_test(NAME windows.wine_prefix COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/wine_prefix.sh ${wine_prefix})
set_tests_properties(windows.wine_prefix PROPERTIES FIXTURES_SETUP wine RESOURCE_LOCK wine TIMEOUT 120)

# The whole unit executable as one test, under Wine.
add_test(NAME windows.unit COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/wine_run.sh $<TARGET_FILE:unit_tests>
  WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
set_tests_properties(windows.unit PROPERTIES LABELS unit FIXTURES_REQUIRED wine RESOURCE_LOCK wine
  ENVIRONMENT "WINEPREFIX=${wine_prefix};WINEDEBUG=-all" TIMEOUT 300)

foreach(name smoke start key_road editing refusals removed_workdir)
  add_test(NAME windows.e2e.${name}
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/test_${name}.sh $<TARGET_FILE:splines>
      ${CMAKE_CURRENT_BINARY_DIR}/e2e-output)
  set_tests_properties(windows.e2e.${name} PROPERTIES LABELS e2e TIMEOUT 600 SKIP_RETURN_CODE 77
    FIXTURES_REQUIRED wine RESOURCE_LOCK wine ENVIRONMENT E2E_WINEPREFIX=${wine_prefix})
endforeach()

# The same console and "1.txt" as the Linux viewer's (SPLINES_LINUX_VIEWER: the Linux build's splines).
set(SPLINES_LINUX_VIEWER "" CACHE FILEPATH "The Linux viewer the Windows one is compared with")
if(SPLINES_LINUX_VIEWER)
  add_test(NAME windows.e2e.same_as_linux
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/windows_same_as_linux.sh $<TARGET_FILE:splines>
      ${SPLINES_LINUX_VIEWER} ${CMAKE_CURRENT_BINARY_DIR}/e2e-output)
  set_tests_properties(windows.e2e.same_as_linux PROPERTIES LABELS e2e TIMEOUT 600
    FIXTURES_REQUIRED wine RESOURCE_LOCK wine ENVIRONMENT E2E_WINEPREFIX=${wine_prefix})
endif()
