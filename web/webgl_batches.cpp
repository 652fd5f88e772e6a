// Batches of clip-space vertices drawn through WebGL, which has no fixed-function pipeline of its own:
// one shader passes position and colour through; wide lines become quads.
#include "web/webgl_batches.h"

#include <cmath>
#include <vector>

// WebGL through Emscripten's second names of its GL functions: the first names are the stand-in's own.
extern "C" {
void emscripten_glViewport(GLint, GLint, GLsizei, GLsizei);
void emscripten_glEnable(GLenum);
void emscripten_glDisable(GLenum);
void emscripten_glClear(GLbitfield);
void emscripten_glClearColor(GLclampf, GLclampf, GLclampf, GLclampf);
void emscripten_glBlendFunc(GLenum, GLenum);
GLuint emscripten_glCreateShader(GLenum);
void emscripten_glShaderSource(GLuint, GLsizei, const char* const*, const GLint*);
void emscripten_glCompileShader(GLuint);
GLuint emscripten_glCreateProgram();
void emscripten_glAttachShader(GLuint, GLuint);
void emscripten_glBindAttribLocation(GLuint, GLuint, const char*);
void emscripten_glLinkProgram(GLuint);
void emscripten_glUseProgram(GLuint);
GLint emscripten_glGetUniformLocation(GLuint, const char*);
void emscripten_glUniform1f(GLint, GLfloat);
void emscripten_glGenBuffers(GLsizei, GLuint*);
void emscripten_glBindBuffer(GLenum, GLuint);
void emscripten_glBufferData(GLenum, long, const void*, GLenum);
void emscripten_glEnableVertexAttribArray(GLuint);
void emscripten_glVertexAttribPointer(GLuint, GLint, GLenum, GLboolean, GLsizei, const void*);
void emscripten_glDrawArrays(GLenum, GLint, GLsizei);
}

namespace {

constexpr GLenum ARRAY_BUFFER = 0x8892;     // GL_ARRAY_BUFFER, absent from the GL 1 header
constexpr GLenum STREAM_DRAW = 0x88E0;      // GL_STREAM_DRAW
constexpr GLenum VERTEX_SHADER = 0x8B31;    // GL_VERTEX_SHADER
constexpr GLenum FRAGMENT_SHADER = 0x8B30;  // GL_FRAGMENT_SHADER
constexpr GLuint POSITION_ATTRIBUTE = 0;
constexpr GLuint COLOUR_ATTRIBUTE = 1;

constexpr const char* VERTEX_SOURCE = R"(
attribute vec4 position;
attribute vec4 colour;
uniform float point_size;
varying vec4 shade;
void main() {
  gl_Position = position;
  gl_PointSize = point_size;
  shade = colour;
}
)";

constexpr const char* FRAGMENT_SOURCE = R"(
precision mediump float;
varying vec4 shade;
void main() { gl_FragColor = shade; }
)";

enum class Kind { NONE, TRIANGLES, THIN_LINES, POINTS };

// The most vertices one batch holds before it is drawn: a multiple of 2 and 3, so that a batch ends
// on a whole primitive; the batch then takes 192 KiB whatever the scene draws.
constexpr size_t BATCH_BOUND = 6 * 1024;

struct Batches {
  GLuint program = 0;               // 0 until the first draw, when the context exists
  GLuint buffer = 0;
  GLint point_size_location = -1;
  Kind kind = Kind::NONE;           // kind of the vertices waiting in pending
  float point_size = 1.0f;          // size of the waiting points
  std::vector<ClipVertex> pending;  // vertices of one kind, in drawing order
  GLint viewport[4] = {0, 0, 0, 0};
};

Batches batches;

GLuint compile(GLenum type, const char* source) {
  const GLuint shader = emscripten_glCreateShader(type);
  emscripten_glShaderSource(shader, 1, &source, nullptr);
  emscripten_glCompileShader(shader);
  return shader;
}

void prepare_program() {
  if (batches.program != 0) return;
  batches.program = emscripten_glCreateProgram();
  emscripten_glAttachShader(batches.program, compile(VERTEX_SHADER, VERTEX_SOURCE));
  emscripten_glAttachShader(batches.program, compile(FRAGMENT_SHADER, FRAGMENT_SOURCE));
  emscripten_glBindAttribLocation(batches.program, POSITION_ATTRIBUTE, "position");
  emscripten_glBindAttribLocation(batches.program, COLOUR_ATTRIBUTE, "colour");
  emscripten_glLinkProgram(batches.program);
  emscripten_glUseProgram(batches.program);
  batches.point_size_location = emscripten_glGetUniformLocation(batches.program, "point_size");
  emscripten_glGenBuffers(1, &batches.buffer);
  emscripten_glBindBuffer(ARRAY_BUFFER, batches.buffer);
  emscripten_glEnableVertexAttribArray(POSITION_ATTRIBUTE);
  emscripten_glEnableVertexAttribArray(COLOUR_ATTRIBUTE);
  emscripten_glVertexAttribPointer(POSITION_ATTRIBUTE, 4, GL_FLOAT, GL_FALSE, sizeof(ClipVertex), nullptr);
  emscripten_glVertexAttribPointer(COLOUR_ATTRIBUTE, 4, GL_FLOAT, GL_FALSE, sizeof(ClipVertex),
                                   reinterpret_cast<const void*>(4 * sizeof(float)));
}

// Starts a batch of this kind unless one is already waiting.
void begin_kind(Kind kind, float point_size = 1.0f) {
  if (batches.kind != kind || (kind == Kind::POINTS && batches.point_size != point_size)) {
    flush_batches();
    batches.kind = kind;
    batches.point_size = point_size;
  }
}

ClipVertex lerp(const ClipVertex& a, const ClipVertex& b, float t) {
  auto mix = [t](float p, float q) { return p + (q - p) * t; };
  return {mix(a.x, b.x), mix(a.y, b.y), mix(a.z, b.z), mix(a.w, b.w),
          mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b), mix(a.a, b.a)};
}

// Cuts the segment at the near plane (z = -w); false when all of it lies in front.
bool clip_to_near_plane(ClipVertex& a, ClipVertex& b) {
  const float da = a.z + a.w, db = b.z + b.w;
  if (da < 0 && db < 0) return false;
  if (da < 0) a = lerp(a, b, da / (da - db));
  if (db < 0) b = lerp(b, a, db / (db - da));
  return true;
}

}  // namespace

void batch_triangle(const ClipVertex& a, const ClipVertex& b, const ClipVertex& c) {
  begin_kind(Kind::TRIANGLES);
  batches.pending.insert(batches.pending.end(), {a, b, c});
  if (batches.pending.size() >= BATCH_BOUND) flush_batches();
}

void batch_thin_line(const ClipVertex& from, const ClipVertex& to) {
  // Cut here rather than by WebGL: the browser's WebGL (SwiftShader) drew no line with one end behind
  // the eye (w < 0), which left gaps in the ground grid.
  ClipVertex a = from, b = to;
  if (!clip_to_near_plane(a, b)) return;
  begin_kind(Kind::THIN_LINES);
  batches.pending.insert(batches.pending.end(), {a, b});
  if (batches.pending.size() >= BATCH_BOUND) flush_batches();
}

void batch_wide_line(const ClipVertex& from, const ClipVertex& to, float width) {
  ClipVertex a = from, b = to;
  if (!clip_to_near_plane(a, b)) return;
  const float width_px = static_cast<float>(batches.viewport[2]);
  const float height_px = static_cast<float>(batches.viewport[3]);
  const float dx = (b.x / b.w - a.x / a.w) * width_px;
  const float dy = (b.y / b.w - a.y / a.w) * height_px;
  // Half the width across the major axis, in normalised device units, scaled by each end's w.
  const bool x_major = std::fabs(dx) >= std::fabs(dy);
  const float ox = x_major ? 0.0f : width / width_px;
  const float oy = x_major ? width / height_px : 0.0f;
  auto shifted = [&](const ClipVertex& v, float sign) {
    ClipVertex s = v;
    s.x += sign * ox * v.w;
    s.y += sign * oy * v.w;
    return s;
  };
  const ClipVertex a0 = shifted(a, -1), a1 = shifted(a, 1), b0 = shifted(b, -1), b1 = shifted(b, 1);
  batch_triangle(a0, b0, b1);
  batch_triangle(a0, b1, a1);
}

void batch_point(const ClipVertex& v, float size) {
  begin_kind(Kind::POINTS, size);
  batches.pending.push_back(v);
  if (batches.pending.size() >= BATCH_BOUND) flush_batches();
}

void flush_batches() {
  if (batches.pending.empty()) return;
  prepare_program();
  emscripten_glBufferData(ARRAY_BUFFER, static_cast<long>(batches.pending.size() * sizeof(ClipVertex)),
                          batches.pending.data(), STREAM_DRAW);
  emscripten_glUniform1f(batches.point_size_location, batches.point_size);
  const GLenum mode = batches.kind == Kind::TRIANGLES ? GL_TRIANGLES
                      : batches.kind == Kind::THIN_LINES ? GL_LINES
                                                        : GL_POINTS;
  emscripten_glDrawArrays(mode, 0, static_cast<GLsizei>(batches.pending.size()));
  batches.pending.clear();
}

void batched_viewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  flush_batches();
  batches.viewport[0] = x;
  batches.viewport[1] = y;
  batches.viewport[2] = width;
  batches.viewport[3] = height;
  emscripten_glViewport(x, y, width, height);
}

void batched_capability(GLenum capability, bool on) {
  flush_batches();
  if (on) emscripten_glEnable(capability); else emscripten_glDisable(capability);
}

void batched_clear(GLbitfield mask) {
  flush_batches();
  emscripten_glClear(mask);
}

void batched_clear_color(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
  flush_batches();
  emscripten_glClearColor(r, g, b, a);
}

void batched_blend_func(GLenum source, GLenum destination) {
  flush_batches();
  emscripten_glBlendFunc(source, destination);
}
