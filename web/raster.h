// The browser's rasteriser: the points, lines and triangles of the fixed-function stand-in, drawn on
// the CPU into a colour and a depth buffer of the canvas's size by OpenGL's rules of rasterisation
// (pixel centres at half-integers, half-open line ends, the top-left rule for triangles).
#pragma once

#include <cstdint>
#include <vector>

// A vertex after the modelview, projection and lighting: clip coordinates and its final colour.
struct ClipVertex {
  float x, y, z, w;
  float r, g, b, a;  // 0 .. 1
};

// A rectangle of pixels in window coordinates: (x, y) is its lower left corner, y grows upwards.
struct PixelBox {
  int x, y, width, height;
};

enum class BlendFactor { ZERO, ONE, SOURCE_ALPHA, ONE_MINUS_SOURCE_ALPHA };
enum class DepthFunction { LESS, LEQUAL };

class Raster {
 public:
  // The state the frame sets, as OpenGL's of the same name.
  PixelBox viewport = {0, 0, 0, 0};
  bool scissor_test = false;
  PixelBox scissor = {0, 0, 0, 0};
  bool depth_test = false;
  bool depth_write = true;                             // the depth mask
  DepthFunction depth_function = DepthFunction::LESS;
  bool blend = false;
  BlendFactor blend_source = BlendFactor::ONE;
  BlendFactor blend_destination = BlendFactor::ZERO;
  float clear_colour[4] = {0, 0, 0, 0};                // 0 .. 1

  // Makes the buffers, width x height pixels: black, at depth 1. The only allocation.
  void open(int width, int height);
  int width() const { return width_; }
  int height() const { return height_; }
  // The colour buffer, top row first, one pixel in 4 bytes r g b a (a always 255): an ImageData's layout.
  const std::uint32_t* pixels() const { return colour_.data(); }
  // One pixel and its depth at window coordinates (x, y).
  std::uint32_t pixel(int x, int y) const { return colour_[index(x, y)]; }
  float depth(int x, int y) const { return depth_[index(x, y)]; }

  // glClear: the colour buffer to clear_colour, the depth buffer to 1, inside the scissor where it is on.
  void clear(bool colour, bool depth);
  // A square point of size pixels (rounded, at least 1), dropped whole when its vertex is clipped.
  void point(const ClipVertex& v, float size);
  // A line of width pixels (rounded, at least 1) across its major axis, cut at the near plane.
  void line(const ClipVertex& a, const ClipVertex& b, float width);
  // A filled triangle, smooth-shaded, cut at the near plane.
  void triangle(const ClipVertex& a, const ClipVertex& b, const ClipVertex& c);

  // A vertex in window coordinates: x and y in pixels, z the depth 0 .. 1.
  struct WindowVertex {
    float x, y, z;
    float colour[4];
  };

 private:
  struct Bounds {
    int x0, y0, x1, y1;  // the pixels that may be written: x0 <= x < x1, y0 <= y < y1
  };

  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> colour_;  // width x height, top row first
  std::vector<float> depth_;           // the same layout

  int index(int x, int y) const { return (height_ - 1 - y) * width_ + x; }
  Bounds bounds() const;
  WindowVertex to_window(const ClipVertex& v) const;
  bool replaces(float alpha) const;  // blending leaves a source of this alpha as it is
  bool kept(int i, float z);
  void opaque_fragment(int i, float z, std::uint32_t packed);
  void fragment(int x, int y, float z, const float colour[4]);
  template <bool X_MAJOR>
  void window_line(const WindowVertex& a, const WindowVertex& b, int width, const Bounds& box);
  void window_triangle(const WindowVertex& a, const WindowVertex& b, const WindowVertex& c, const Bounds& box);
};
