// A sample sheet of the stroke font drawn by the real GL: every printable character in a few
// colours and sizes in the overlay projection, read back from the frame and written as a PPM image.
#include <GL/freeglut.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/view_state.h"
#include "text/stroke_font.h"

namespace {

const char* output_path = "font_sheet.ppm";

// One line of the sheet, in overlay units (x -1024 .. 1024, y -768 .. 768).
struct SheetLine {
  int x, y;
  const char* colour;
  float size;
  std::string text;
};

std::string codes(int first, int last) {
  std::string text;
  for (int code = first; code <= last; ++code) text += static_cast<char>(code);
  return text;
}

const std::vector<SheetLine>& sheet() {
  static const std::vector<SheetLine> lines = {
      {-1000, 560, "red", 4.0f, codes(33, 79)},
      {-1000, 400, "green", 4.0f, codes(80, 126)},
      {-1000, 200, "lightblue", 4.0f, "The quick brown fox jumps over the lazy dog"},
      {-900, -300, "yellow", 30.0f, "AB$g&0"},
      {-1000, -500, "white", 2.0f, codes(33, 126)},
      {-1000, -680, "orange", 5.0f, "orange"},
      {-300, -680, "violet", 5.0f, "violet"},
      {400, -680, "pink", 5.0f, "pink"},
  };
  return lines;
}

void write_ppm(const char* path, int width, int height) {
  std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  std::FILE* out = std::fopen(path, "wb");
  if (out == nullptr) {
    std::perror(path);
    std::exit(2);
  }
  std::fprintf(out, "P6\n%d %d\n255\n", width, height);
  for (int row = height - 1; row >= 0; --row)  // GL rows run bottom up, PPM rows top down
    std::fwrite(&pixels[static_cast<std::size_t>(row) * width * 3], 1, static_cast<std::size_t>(width) * 3, out);
  std::fclose(out);
}

void display() {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  set_overlay_projection(SCREEN_WIDTH, SCREEN_HEIGHT);
  const StrokeFont font;
  for (const SheetLine& line : sheet()) font.draw_text(line.text.c_str(), line.x, line.y, line.colour, line.size);
  glFinish();
  write_ppm(output_path, SCREEN_WIDTH, SCREEN_HEIGHT);
  glutSwapBuffers();
  std::exit(0);
}

}  // namespace

// Usage: font_sheet [GLUT options] output.ppm
int main(int argc, char** argv) {
  glutInit(&argc, argv);
  if (argc > 1) output_path = argv[argc - 1];
  glutInitWindowSize(SCREEN_WIDTH, SCREEN_HEIGHT);
  glutInitWindowPosition(0, 0);
  glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGBA | GLUT_DEPTH);
  glutCreateWindow("font sheet");
  glutDisplayFunc(display);
  glutMainLoop();
  return 1;  // display ends the process
}
