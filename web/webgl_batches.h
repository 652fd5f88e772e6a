// The WebGL side of the browser's fixed-function stand-in: transformed, lit vertices collected into
// batches of one kind (triangles, one-pixel lines, points of one size) and drawn with one shader.
#pragma once

#include <GL/gl.h>

// A vertex after the modelview, projection and lighting: clip coordinates and its final colour.
struct ClipVertex {
  float x, y, z, w;
  float r, g, b, a;
};

void batch_triangle(const ClipVertex& a, const ClipVertex& b, const ClipVertex& c);
void batch_thin_line(const ClipVertex& a, const ClipVertex& b);
// A line wider than one pixel, drawn as a quad of width pixels across its major axis in window
// coordinates, as OpenGL rasterises wide lines that are not antialiased.
void batch_wide_line(const ClipVertex& a, const ClipVertex& b, float width);
void batch_point(const ClipVertex& v, float size);

// Draws what is batched. Every change of state that WebGL holds goes through here first.
void flush_batches();

void batched_viewport(GLint x, GLint y, GLsizei width, GLsizei height);
void batched_capability(GLenum capability, bool on);
void batched_clear(GLbitfield mask);
void batched_clear_color(GLclampf r, GLclampf g, GLclampf b, GLclampf a);
void batched_blend_func(GLenum source, GLenum destination);
