// OpenGL 1's immediate mode, matrix stacks, lighting, colour material and display lists for the
// browser. Each vertex is transformed and lit here as the fixed-function pipeline would, then drawn
// in clip coordinates by the rasteriser into the picture the buffer swap shows (web/raster.h).
//
// Emscripten's own emulation of these calls (LEGACY_GL_EMULATION, 3.1.6) is not used: it has no
// glVertex3d, no display lists, no glMaterialf; it drops a colour set before glBegin, throws on
// glLightfv(GL_SPOT_DIRECTION), ignores GL_COLOR_MATERIAL (lit solids come out white) and draws every
// line one pixel wide.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "web/matrix.h"
#include "web/vertex_lighting.h"
#include "web/fixed_function.h"
#include "web/raster.h"

namespace {

constexpr int STACK_DEPTH = 32;  // the modelview stack's guaranteed depth in OpenGL

struct MatrixStack {
  Matrix entries[STACK_DEPTH] = {identity_matrix()};
  int top = 0;  // index of the current matrix
  Matrix& current() { return entries[top]; }
};

// One call recorded in a display list.
struct ListCommand {
  enum Kind { BEGIN, END, VERTEX, NORMAL, COLOUR } kind;
  GLenum mode;       // BEGIN: the primitive
  double value[4];   // VERTEX x y z; NORMAL x y z; COLOUR r g b a
};

struct FixedState {
  MatrixStack modelview;
  MatrixStack projection;
  MatrixStack* current_stack = &modelview;       // the stack glMatrixMode chose
  double colour[4] = {1, 1, 1, 1};                // current colour, unclamped as given
  double normal[3] = {0, 0, 1};                   // current normal, object space
  bool lighting = false;
  bool colour_material = false;                   // ambient and diffuse of both faces follow the colour
  bool normalize = false;
  Lighting light_model;
  float line_width = 1.0f;                        // pixels
  float point_size = 1.0f;                        // pixels
  bool inside_begin = false;
  GLenum primitive = GL_POINTS;                   // of the glBegin in progress
  std::vector<ClipVertex> vertices;               // of the glBegin in progress
  std::vector<std::vector<ListCommand>> lists;    // display list n at index n - 1
  GLuint compiling = 0;                           // list being compiled, 0 for none
  bool execute_while_compiling = false;           // GL_COMPILE_AND_EXECUTE
};

FixedState gl;
Raster picture_raster;  // the canvas's colour and depth buffers and the state OpenGL keeps for them

void follow_colour() {
  if (!gl.colour_material) return;
  for (int k = 0; k < 4; ++k) gl.light_model.front.ambient[k] = gl.light_model.front.diffuse[k] = gl.colour[k];
}

// Records the call in the list being compiled; true when it must not also run now.
bool record(ListCommand command) {
  if (gl.compiling == 0) return false;
  gl.lists[gl.compiling - 1].push_back(command);
  return !gl.execute_while_compiling;
}

void set_colour(double r, double g, double b, double a) {
  if (record({ListCommand::COLOUR, 0, {r, g, b, a}})) return;
  gl.colour[0] = r;
  gl.colour[1] = g;
  gl.colour[2] = b;
  gl.colour[3] = a;
  follow_colour();
}

void set_normal(double x, double y, double z) {
  if (record({ListCommand::NORMAL, 0, {x, y, z, 0}})) return;
  gl.normal[0] = x;
  gl.normal[1] = y;
  gl.normal[2] = z;
}

void add_vertex(double x, double y, double z) {
  if (record({ListCommand::VERTEX, 0, {x, y, z, 1}})) return;
  if (!gl.inside_begin) return;
  const Vec4 eye = gl.modelview.current() * Vec4{x, y, z, 1.0};
  const Vec4 clip = gl.projection.current() * eye;
  ClipVertex v{static_cast<float>(clip.x), static_cast<float>(clip.y), static_cast<float>(clip.z),
               static_cast<float>(clip.w), 0, 0, 0, 1};
  float* colour = &v.r;
  if (gl.lighting) {
    double n[3];
    transform_normal(gl.modelview.current(), gl.normal, n);
    if (gl.normalize) {
      const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
      if (length > 0)
        for (double& c : n) c /= length;
    }
    const double position[4] = {eye.x, eye.y, eye.z, eye.w};
    light_vertex(gl.light_model, position, n, colour);
  } else {
    for (int k = 0; k < 4; ++k) colour[k] = static_cast<float>(std::fmin(std::fmax(gl.colour[k], 0.0), 1.0));
  }
  gl.vertices.push_back(v);
}

// Lines that are not antialiased are as wide as their width rounded to a whole pixel, at least one.
void line(const ClipVertex& a, const ClipVertex& b) { picture_raster.line(a, b, gl.line_width); }

// The primitive of the glBegin that ends, cut into points, lines and triangles.
void assemble(GLenum mode, const std::vector<ClipVertex>& v) {
  const size_t n = v.size();
  switch (mode) {
    case GL_POINTS:
      for (const ClipVertex& p : v) picture_raster.point(p, gl.point_size);
      break;
    case GL_LINES:
      for (size_t i = 0; i + 1 < n; i += 2) line(v[i], v[i + 1]);
      break;
    case GL_LINE_STRIP:
    case GL_LINE_LOOP:
      for (size_t i = 0; i + 1 < n; ++i) line(v[i], v[i + 1]);
      if (mode == GL_LINE_LOOP && n > 1) line(v[n - 1], v[0]);
      break;
    case GL_TRIANGLES:
      for (size_t i = 0; i + 2 < n; i += 3) picture_raster.triangle(v[i], v[i + 1], v[i + 2]);
      break;
    case GL_TRIANGLE_STRIP:
      for (size_t i = 0; i + 2 < n; ++i) picture_raster.triangle(v[i], v[i + 1], v[i + 2]);
      break;
    case GL_TRIANGLE_FAN:
    case GL_POLYGON:
      for (size_t i = 1; i + 1 < n; ++i) picture_raster.triangle(v[0], v[i], v[i + 1]);
      break;
    case GL_QUADS:
      for (size_t i = 0; i + 3 < n; i += 4) {
        picture_raster.triangle(v[i], v[i + 1], v[i + 2]);
        picture_raster.triangle(v[i], v[i + 2], v[i + 3]);
      }
      break;
    case GL_QUAD_STRIP:
      for (size_t i = 0; i + 3 < n; i += 2) {
        picture_raster.triangle(v[i], v[i + 1], v[i + 3]);
        picture_raster.triangle(v[i], v[i + 3], v[i + 2]);
      }
      break;
    default:
      break;
  }
}

void multiply_current(const Matrix& m) { gl.current_stack->current() = gl.current_stack->current() * m; }

void copy4(const GLfloat* from, double to[4]) {
  for (int k = 0; k < 4; ++k) to[k] = from[k];
}

// A position or direction given now lands in eye space through the current modelview matrix.
void eye_space(const GLfloat* p, double out[4]) {
  const Vec4 e = gl.modelview.current() * Vec4{p[0], p[1], p[2], p[3]};
  out[0] = e.x;
  out[1] = e.y;
  out[2] = e.z;
  out[3] = e.w;
}

void set_capability(GLenum capability, bool on) {
  if (capability >= GL_LIGHT0 && capability < GL_LIGHT0 + LIGHT_COUNT) {
    gl.light_model.lights[capability - GL_LIGHT0].on = on;
  } else if (capability == GL_LIGHTING) {
    gl.lighting = on;
  } else if (capability == GL_COLOR_MATERIAL) {
    gl.colour_material = on;
    follow_colour();
  } else if (capability == GL_NORMALIZE) {
    gl.normalize = on;
  } else if (capability == GL_DEPTH_TEST) {
    picture_raster.depth_test = on;
  } else if (capability == GL_BLEND) {
    picture_raster.blend = on;
  } else if (capability == GL_SCISSOR_TEST) {
    picture_raster.scissor_test = on;
  }
}

// The blend factors the rasteriser knows; any other leaves the factor as it was.
void blend_factor(GLenum name, BlendFactor& factor) {
  static constexpr struct {
    GLenum name;
    BlendFactor factor;
  } FACTORS[] = {
      {GL_ZERO, BlendFactor::ZERO},
      {GL_ONE, BlendFactor::ONE},
      {GL_SRC_ALPHA, BlendFactor::SOURCE_ALPHA},
      {GL_ONE_MINUS_SRC_ALPHA, BlendFactor::ONE_MINUS_SOURCE_ALPHA},
  };
  for (const auto& f : FACTORS)
    if (f.name == name) {
      factor = f.factor;
      return;
    }
}

}  // namespace

extern "C" {

void glMatrixMode(GLenum mode) { gl.current_stack = mode == GL_PROJECTION ? &gl.projection : &gl.modelview; }
void glLoadIdentity() { gl.current_stack->current() = identity_matrix(); }

void glPushMatrix() {
  MatrixStack& s = *gl.current_stack;
  if (s.top + 1 < STACK_DEPTH) {
    s.entries[s.top + 1] = s.entries[s.top];
    ++s.top;
  }
}

void glPopMatrix() {
  if (gl.current_stack->top > 0) --gl.current_stack->top;
}

void glMultMatrixd(const GLdouble* m) {
  Matrix product;
  for (int k = 0; k < 16; ++k) product.m[k] = m[k];
  multiply_current(product);
}

void glTranslated(GLdouble x, GLdouble y, GLdouble z) { multiply_current(translation_matrix(x, y, z)); }
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { glTranslated(x, y, z); }
void glRotated(GLdouble a, GLdouble x, GLdouble y, GLdouble z) { multiply_current(rotation_matrix(a, x, y, z)); }
void glRotatef(GLfloat a, GLfloat x, GLfloat y, GLfloat z) { glRotated(a, x, y, z); }

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble near, GLdouble far) {
  multiply_current(ortho_matrix(left, right, bottom, top, near, far));
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) { picture_raster.viewport = {x, y, width, height}; }
void glScissor(GLint x, GLint y, GLsizei width, GLsizei height) { picture_raster.scissor = {x, y, width, height}; }
void glClear(GLbitfield mask) {
  picture_raster.clear((mask & GL_COLOR_BUFFER_BIT) != 0, (mask & GL_DEPTH_BUFFER_BIT) != 0);
}
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
  const float colour[4] = {r, g, b, a};
  std::copy(colour, colour + 4, picture_raster.clear_colour);
}
void glBlendFunc(GLenum source, GLenum destination) {
  blend_factor(source, picture_raster.blend_source);
  blend_factor(destination, picture_raster.blend_destination);
}
void glDepthFunc(GLenum function) {
  if (function == GL_LESS || function == GL_LEQUAL)
    picture_raster.depth_function = function == GL_LESS ? DepthFunction::LESS : DepthFunction::LEQUAL;
}
void glDepthMask(GLboolean write) { picture_raster.depth_write = write != GL_FALSE; }

void glEnable(GLenum capability) { set_capability(capability, true); }
void glDisable(GLenum capability) { set_capability(capability, false); }

void glLineWidth(GLfloat width) { gl.line_width = width; }
void glPointSize(GLfloat size) { gl.point_size = size; }

void glColor3d(GLdouble r, GLdouble g, GLdouble b) { set_colour(r, g, b, 1.0); }
void glColor3f(GLfloat r, GLfloat g, GLfloat b) { set_colour(r, g, b, 1.0); }
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) { set_colour(r, g, b, a); }
void glNormal3d(GLdouble x, GLdouble y, GLdouble z) { set_normal(x, y, z); }
void glNormal3f(GLfloat x, GLfloat y, GLfloat z) { set_normal(x, y, z); }
void glVertex3d(GLdouble x, GLdouble y, GLdouble z) { add_vertex(x, y, z); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { add_vertex(x, y, z); }
void glVertex3i(GLint x, GLint y, GLint z) { add_vertex(x, y, z); }
void glVertex2f(GLfloat x, GLfloat y) { add_vertex(x, y, 0.0); }

void glBegin(GLenum mode) {
  if (record({ListCommand::BEGIN, mode, {}})) return;
  gl.inside_begin = true;
  gl.primitive = mode;
  gl.vertices.clear();
}

void glEnd() {
  if (record({ListCommand::END, 0, {}})) return;
  if (!gl.inside_begin) return;
  gl.inside_begin = false;
  assemble(gl.primitive, gl.vertices);
}

void glLightfv(GLenum which, GLenum name, const GLfloat* p) {
  if (which < GL_LIGHT0 || which >= GL_LIGHT0 + LIGHT_COUNT) return;
  Light& light = gl.light_model.lights[which - GL_LIGHT0];
  switch (name) {
    case GL_AMBIENT: copy4(p, light.ambient); break;
    case GL_DIFFUSE: copy4(p, light.diffuse); break;
    case GL_SPECULAR: copy4(p, light.specular); break;
    case GL_POSITION: eye_space(p, light.position); break;
    case GL_SPOT_DIRECTION: {
      const GLfloat direction[4] = {p[0], p[1], p[2], 0.0f};
      double eye[4];
      eye_space(direction, eye);
      for (int k = 0; k < 3; ++k) light.spot_direction[k] = eye[k];
      break;
    }
    case GL_SPOT_CUTOFF: light.spot_cutoff = p[0]; break;
    default: break;
  }
}

void glLightModelfv(GLenum name, const GLfloat* p) {
  if (name == GL_LIGHT_MODEL_AMBIENT) copy4(p, gl.light_model.model_ambient);
}

void glMaterialfv(GLenum face, GLenum name, const GLfloat* p) {
  if (face == GL_BACK) return;  // one-sided lighting: back faces use the front material
  Material& m = gl.light_model.front;
  switch (name) {
    case GL_AMBIENT: copy4(p, m.ambient); break;
    case GL_DIFFUSE: copy4(p, m.diffuse); break;
    case GL_AMBIENT_AND_DIFFUSE: copy4(p, m.ambient); copy4(p, m.diffuse); break;
    case GL_SPECULAR: copy4(p, m.specular); break;
    case GL_EMISSION: copy4(p, m.emission); break;
    case GL_SHININESS: m.shininess = p[0]; break;
    default: break;
  }
}

void glMaterialf(GLenum face, GLenum name, GLfloat value) { glMaterialfv(face, name, &value); }

GLuint glGenLists(GLsizei range) {
  const auto first = static_cast<GLuint>(gl.lists.size() + 1);
  gl.lists.resize(gl.lists.size() + static_cast<size_t>(range));
  return first;
}

void glNewList(GLuint list, GLenum mode) {
  if (list == 0 || list > gl.lists.size()) return;
  gl.lists[list - 1].clear();
  gl.compiling = list;
  gl.execute_while_compiling = mode == GL_COMPILE_AND_EXECUTE;
}

void glEndList() { gl.compiling = 0; }

void glCallList(GLuint list) {
  if (list == 0 || list > gl.lists.size() || list == gl.compiling) return;
  for (const ListCommand& c : gl.lists[list - 1]) {
    switch (c.kind) {
      case ListCommand::BEGIN: glBegin(c.mode); break;
      case ListCommand::END: glEnd(); break;
      case ListCommand::VERTEX: add_vertex(c.value[0], c.value[1], c.value[2]); break;
      case ListCommand::NORMAL: set_normal(c.value[0], c.value[1], c.value[2]); break;
      case ListCommand::COLOUR: set_colour(c.value[0], c.value[1], c.value[2], c.value[3]); break;
    }
  }
}

}  // extern "C"

Raster& frame_raster() { return picture_raster; }
