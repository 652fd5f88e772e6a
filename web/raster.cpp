// The CPU rasteriser of the browser's fixed-function stand-in.
#include "web/raster.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::uint32_t OPAQUE = 0xff000000u;  // alpha 255 in the top byte: the canvas has no alpha

std::uint8_t to_byte(float c) { return static_cast<std::uint8_t>(std::clamp(c, 0.0f, 1.0f) * 255.0f + 0.5f); }

std::uint32_t pack(const float c[4]) {
  return OPAQUE | static_cast<std::uint32_t>(to_byte(c[2])) << 16 | static_cast<std::uint32_t>(to_byte(c[1])) << 8 |
         to_byte(c[0]);
}

float factor(BlendFactor f, float source_alpha) {
  switch (f) {
    case BlendFactor::ZERO: return 0.0f;
    case BlendFactor::ONE: return 1.0f;
    case BlendFactor::SOURCE_ALPHA: return source_alpha;
    case BlendFactor::ONE_MINUS_SOURCE_ALPHA: return 1.0f - source_alpha;
  }
  return 1.0f;
}

ClipVertex lerp(const ClipVertex& a, const ClipVertex& b, float t) {
  auto mix = [t](float p, float q) { return p + (q - p) * t; };
  return {mix(a.x, b.x), mix(a.y, b.y), mix(a.z, b.z), mix(a.w, b.w),
          mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b), mix(a.a, b.a)};
}

// Distance in front of the near plane (z = -w): negative behind it.
float near_distance(const ClipVertex& v) { return v.z + v.w; }

// Cuts the segment at the near plane; false when all of it lies behind.
bool clip_to_near_plane(ClipVertex& a, ClipVertex& b) {
  const float da = near_distance(a), db = near_distance(b);
  if (da < 0 && db < 0) return false;
  if (da < 0) a = lerp(a, b, da / (da - db));
  if (db < 0) b = lerp(b, a, db / (db - da));
  return true;
}

// The first pixel, along one axis, of a square point of s pixels at coordinate c: an odd size centres
// the square on the pixel holding the point, an even size on the pixel corner nearest to it.
int square_start(float c, int s) {
  return s % 2 ? static_cast<int>(std::floor(c)) - (s - 1) / 2 : static_cast<int>(std::floor(c + 0.5f)) - s / 2;
}

int whole_pixels(float size) { return std::max(1, static_cast<int>(std::lround(size))); }

// Floor of f as an int, f first held inside [low, high] so that no conversion overflows.
int floor_within(float f, int low, int high) {
  return static_cast<int>(std::floor(std::clamp(f, static_cast<float>(low), static_cast<float>(high))));
}

}  // namespace

void Raster::open(int width, int height) {
  width_ = width;
  height_ = height;
  colour_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), OPAQUE);
  depth_.assign(colour_.size(), 1.0f);
  viewport = scissor = {0, 0, width, height};
}

Raster::Bounds Raster::bounds() const {
  Bounds box{0, 0, width_, height_};
  if (scissor_test) {
    box.x0 = std::max(box.x0, scissor.x);
    box.y0 = std::max(box.y0, scissor.y);
    box.x1 = std::min(box.x1, scissor.x + scissor.width);
    box.y1 = std::min(box.y1, scissor.y + scissor.height);
  }
  return box;
}

void Raster::clear(bool colour, bool depth) {
  const Bounds box = bounds();
  const std::uint32_t value = pack(clear_colour);
  for (int y = box.y0; y < box.y1; ++y) {
    const int row = index(box.x0, y), end = row + (box.x1 - box.x0);
    if (colour) std::fill(colour_.begin() + row, colour_.begin() + end, value);
    if (depth) std::fill(depth_.begin() + row, depth_.begin() + end, 1.0f);
  }
}

Raster::WindowVertex Raster::to_window(const ClipVertex& v) const {
  const float inverse_w = 1.0f / v.w;
  return {(v.x * inverse_w + 1.0f) * 0.5f * static_cast<float>(viewport.width) + static_cast<float>(viewport.x),
          (v.y * inverse_w + 1.0f) * 0.5f * static_cast<float>(viewport.height) + static_cast<float>(viewport.y),
          (v.z * inverse_w + 1.0f) * 0.5f,
          {v.r, v.g, v.b, v.a}};
}

bool Raster::replaces(float alpha) const {
  return !blend || (factor(blend_source, alpha) == 1.0f && factor(blend_destination, alpha) == 0.0f);
}

// The depth test of a fragment at depth z over pixel i; the depth is written where it passes.
bool Raster::kept(int i, float z) {
  if (z > 1.0f) return false;  // beyond the far plane
  if (!depth_test) return true;
  if (depth_function == DepthFunction::LESS ? !(z < depth_[i]) : !(z <= depth_[i])) return false;
  if (depth_write) depth_[i] = z;
  return true;
}

void Raster::opaque_fragment(int i, float z, std::uint32_t packed) {
  if (kept(i, z)) colour_[i] = packed;
}

// One fragment inside the bounds: the depth test, then the blending into the colour buffer.
void Raster::fragment(int x, int y, float z, const float colour[4]) {
  const int i = index(x, y);
  if (!kept(i, z)) return;
  if (replaces(colour[3])) {
    colour_[i] = pack(colour);
    return;
  }
  const float source = factor(blend_source, colour[3]), destination = factor(blend_destination, colour[3]);
  const std::uint32_t old = colour_[i];
  float mixed[4];
  for (int k = 0; k < 3; ++k)
    mixed[k] = colour[k] * source + static_cast<float>((old >> (8 * k)) & 0xff) / 255.0f * destination;
  mixed[3] = 1.0f;
  colour_[i] = pack(mixed);
}

void Raster::point(const ClipVertex& v, float size) {
  if (std::fabs(v.x) > v.w || std::fabs(v.y) > v.w || std::fabs(v.z) > v.w) return;
  const WindowVertex p = to_window(v);
  const int s = whole_pixels(size);
  const int x0 = square_start(p.x, s), y0 = square_start(p.y, s);
  const Bounds box = bounds();
  const bool opaque = replaces(p.colour[3]);
  const std::uint32_t packed = pack(p.colour);
  for (int y = std::max(y0, box.y0); y < std::min(y0 + s, box.y1); ++y)
    for (int x = std::max(x0, box.x0); x < std::min(x0 + s, box.x1); ++x) {
      if (opaque) opaque_fragment(index(x, y), p.z, packed); else fragment(x, y, p.z, p.colour);
    }
}

void Raster::line(const ClipVertex& from, const ClipVertex& to, float width) {
  ClipVertex a = from, b = to;
  if (!clip_to_near_plane(a, b)) return;
  const WindowVertex p = to_window(a), q = to_window(b);
  const Bounds box = bounds();
  if (std::fabs(q.x - p.x) >= std::fabs(q.y - p.y))
    window_line<true>(p, q, whole_pixels(width), box);
  else
    window_line<false>(p, q, whole_pixels(width), box);
}

// Steps along the major axis through every pixel centre from the start (included) to the end (left
// out), as a thin line leaves each pixel's diamond; at each step a run of width pixels across the
// major axis, the lowest at the thin line's pixel after moving it down by (width - 1) / 2.
template <bool X_MAJOR>
void Raster::window_line(const WindowVertex& a, const WindowVertex& b, int width, const Bounds& box) {
  const float major_a = X_MAJOR ? a.x : a.y, major_b = X_MAJOR ? b.x : b.y;
  const float minor_a = X_MAJOR ? a.y : a.x, minor_b = X_MAJOR ? b.y : b.x;
  const float length = major_b - major_a;
  if (length == 0.0f) return;
  const int major_low = X_MAJOR ? box.x0 : box.y0, major_high = X_MAJOR ? box.x1 : box.y1;
  const int minor_low = X_MAJOR ? box.y0 : box.x0, minor_high = X_MAJOR ? box.y1 : box.x1;
  // Pixels i whose centre i + 0.5 lies in [major_a, major_b) going up, (major_b, major_a] going down,
  // the ends held just outside the bounds first.
  const float outside_low = static_cast<float>(major_low - 1), outside_high = static_cast<float>(major_high);
  const float from = std::clamp(major_a - 0.5f, outside_low, outside_high);
  const float to = std::clamp(major_b - 0.5f, outside_low, outside_high);
  const int step = length > 0 ? 1 : -1;
  const int first = static_cast<int>(length > 0 ? std::ceil(from) : std::floor(from));
  const int last = static_cast<int>(length > 0 ? std::ceil(to) : std::floor(to)) - step;
  if ((last - first) * step < 0) return;  // no pixel centre on it inside the bounds
  // Each pixel is drawn once, so the steps may go upwards whichever way the line runs.
  const int i_low = std::max(std::min(first, last), major_low);
  const int i_high = std::min(std::max(first, last), major_high - 1);
  const float slope = (minor_b - minor_a) / length, inverse_length = 1.0f / length;
  const float shift = 0.5f * static_cast<float>(width - 1);
  // Where blending leaves the colour as it is (one alpha along the line that it lets through), the
  // colour is packed once a step, or once for the line where both ends have the same; such fragments
  // take the short way below, with the state held in locals.
  const bool opaque = a.colour[3] == b.colour[3] && replaces(a.colour[3]);
  const bool flat = std::equal(a.colour, a.colour + 3, b.colour);
  std::uint32_t packed = pack(a.colour);
  float colour[4] = {a.colour[0], a.colour[1], a.colour[2], a.colour[3]};
  std::uint32_t* const colours = colour_.data();
  float* const depths = depth_.data();
  const bool test = depth_test, less = depth_function == DepthFunction::LESS, write = depth_write;
  auto plot = [=](int at, float z, std::uint32_t c) {
    if (z > 1.0f) return;  // beyond the far plane
    if (test) {
      if (less ? !(z < depths[at]) : !(z <= depths[at])) return;
      if (write) depths[at] = z;
    }
    colours[at] = c;
  };
  const int across = X_MAJOR ? -width_ : 1;  // from one pixel to the next across the major axis
  for (int i = i_low; i <= i_high; ++i) {
    const float offset = static_cast<float>(i) + 0.5f - major_a;
    const float t = offset * inverse_length;
    const int lowest = floor_within(minor_a + slope * offset - shift, minor_low - width - 1, minor_high + 1);
    const int j_low = std::max(lowest, minor_low), j_high = std::min(lowest + width, minor_high);
    const float z = a.z + (b.z - a.z) * t;
    if (!flat) {
      for (int k = 0; k < 4; ++k) colour[k] = a.colour[k] + (b.colour[k] - a.colour[k]) * t;
      if (opaque) packed = pack(colour);
    }
    int at = X_MAJOR ? index(i, j_low) : index(j_low, i);
    for (int j = j_low; j < j_high; ++j, at += across) {
      if (opaque) plot(at, z, packed); else if (X_MAJOR) fragment(i, j, z, colour); else fragment(j, i, z, colour);
    }
  }
}

void Raster::triangle(const ClipVertex& a, const ClipVertex& b, const ClipVertex& c) {
  // Cut at the near plane: the triangle, or the polygon of 4 corners left of it, drawn as a fan.
  const ClipVertex corners[3] = {a, b, c};
  ClipVertex kept[4];
  int n = 0;
  for (int k = 0; k < 3; ++k) {
    const ClipVertex& p = corners[k];
    const ClipVertex& q = corners[(k + 1) % 3];
    const float dp = near_distance(p), dq = near_distance(q);
    if (dp >= 0) kept[n++] = p;
    if ((dp >= 0) != (dq >= 0)) kept[n++] = lerp(p, q, dp / (dp - dq));
  }
  if (n < 3) return;
  const Bounds box = bounds();
  const WindowVertex first = to_window(kept[0]);
  WindowVertex previous = to_window(kept[1]);
  for (int k = 2; k < n; ++k) {
    const WindowVertex next = to_window(kept[k]);
    window_triangle(first, previous, next, box);
    previous = next;
  }
}

// Every pixel whose centre lies inside the triangle, or on an edge that is a top or a left one, with
// depth and colour interpolated across it in window coordinates.
void Raster::window_triangle(const WindowVertex& a, const WindowVertex& b0, const WindowVertex& c0,
                             const Bounds& box) {
  const float signed_area = (b0.x - a.x) * (c0.y - a.y) - (c0.x - a.x) * (b0.y - a.y);
  if (!(signed_area != 0.0f)) return;
  // Counter-clockwise from here: each edge function is positive inside.
  const WindowVertex& b = signed_area > 0 ? b0 : c0;
  const WindowVertex& c = signed_area > 0 ? c0 : b0;
  const float area = std::fabs(signed_area);
  const WindowVertex* v[3] = {&a, &b, &c};
  struct Edge {
    float dx, dy, x, y;  // from corner (x, y) along (dx, dy)
    bool top_left;       // a pixel centre on it belongs to the triangle
    float at(float px, float py) const { return dx * (py - y) - dy * (px - x); }
  } edges[3];
  for (int k = 0; k < 3; ++k) {
    const WindowVertex& p = *v[(k + 1) % 3];
    const WindowVertex& q = *v[(k + 2) % 3];
    // Edge k faces corner k. With y up and the inside to the left, a left edge goes down and a top
    // edge goes left.
    edges[k] = {q.x - p.x, q.y - p.y, p.x, p.y, q.y - p.y < 0 || (q.y == p.y && q.x < p.x)};
  }
  const float low_x = std::min({a.x, b.x, c.x}), high_x = std::max({a.x, b.x, c.x});
  const float low_y = std::min({a.y, b.y, c.y}), high_y = std::max({a.y, b.y, c.y});
  // The pixels whose centres lie in the bounding box: x0 <= x < x1, y0 <= y < y1.
  const int x0 = std::max(box.x0, -floor_within(0.5f - low_x, -box.x1, 1 - box.x0));
  const int x1 = std::min(box.x1, floor_within(high_x - 0.5f, box.x0 - 1, box.x1) + 1);
  const int y0 = std::max(box.y0, -floor_within(0.5f - low_y, -box.y1, 1 - box.y0));
  const int y1 = std::min(box.y1, floor_within(high_y - 0.5f, box.y0 - 1, box.y1) + 1);
  float colour[4];
  for (int y = y0; y < y1; ++y) {
    const float py = static_cast<float>(y) + 0.5f;
    for (int x = x0; x < x1; ++x) {
      const float px = static_cast<float>(x) + 0.5f;
      float weight[3];
      bool inside = true;
      for (int k = 0; k < 3 && inside; ++k) {
        weight[k] = edges[k].at(px, py);
        inside = weight[k] > 0 || (weight[k] == 0 && edges[k].top_left);
      }
      if (!inside) continue;
      for (float& w : weight) w /= area;
      const float z = weight[0] * a.z + weight[1] * b.z + weight[2] * c.z;
      for (int k = 0; k < 4; ++k) colour[k] = weight[0] * a.colour[k] + weight[1] * b.colour[k] + weight[2] * c.colour[k];
      fragment(x, y, z, colour);
    }
  }
}
