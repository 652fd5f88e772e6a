# The program's sources, one block per platform, shared by the native build (CMakeLists.txt), the
# Windows build (the same file, cross-built) and the web build (web/CMakeLists.txt). Paths are relative
# to the source root; a new file joins a build only by being named here.

# Every platform: everything but main and the platform's own files.
set(splines_common_sources
  app/desktop.cpp
  app/frame.cpp
  app/keys.cpp
  app/lighting.cpp
  app/picture.cpp
  app/startup.cpp
  app/view_state.cpp
  measure/length.cpp
  scene/closed_spline.cpp
  scene/picture_size.cpp
  scene/random.cpp
  scene/render.cpp
  scene/run.cpp
  scene/scene_store.cpp
  scene/solid_shapes.cpp
  text/general_to_chars.cpp
  text/glyph_table.cpp
  text/number_label.cpp
  text/overlay.cpp
  text/scratch_file.cpp
  text/stroke_font.cpp)

# The viewer's entry point (the tests bring their own).
set(splines_main_sources app/main.cpp)

# Linux and the browser: POSIX files and the environment as it is.
set(splines_posix_sources
  app/environment_posix.cpp
  text/scratch_file_posix.cpp)

# Windows (MinGW-w64): its file calls, and no X DISPLAY for freeglut.
set(splines_windows_sources
  app/environment_windows.cpp
  text/scratch_file_windows.cpp)

# A double's text: std::to_chars where the standard library has its floating-point form (Linux,
# Windows, a newer Emscripten), printf where not (web/CMakeLists.txt checks).
set(splines_std_to_chars_sources
  text/general_to_chars_std.cpp)
set(splines_printf_to_chars_sources
  text/general_to_chars_printf.cpp)

# The screen through freeglut: Linux and Windows.
set(splines_glut_sources
  app/screen_glut.cpp)

# The desktop the viewer opens on, asked of the display (the splines_desktop library, which only the
# viewer links): X11 with RandR on Linux, nothing to ask on Windows.
set(splines_x11_desktop_sources
  app/desktop_x11.cpp)
set(splines_windows_desktop_sources
  app/desktop_windows.cpp)

# The screen on the page's canvas: the browser. Its rasteriser is plain C++, also built natively for
# its unit test (tests/CMakeLists.txt).
set(splines_web_sources
  app/screen_web.cpp)
set(splines_web_raster_sources
  web/raster.cpp)

# splines_sources(VAR ROOT PLATFORM...): the common files and those of each PLATFORM, under ROOT.
function(splines_sources var root)
  set(files ${splines_common_sources})
  foreach(platform ${ARGN})
    list(APPEND files ${splines_${platform}_sources})
  endforeach()
  list(TRANSFORM files PREPEND ${root}/)
  set(${var} ${files} PARENT_SCOPE)
endfunction()

# The project's warnings and rounding, set on each of its targets (not on the sources of others,
# such as GoogleTest's): every formula is rounded exactly where the code says, no fused multiply-add.
if(NOT TARGET splines_options)
  add_library(splines_options INTERFACE)
  target_compile_options(splines_options INTERFACE -Wall -Wextra -ffp-contract=off)
endif()
