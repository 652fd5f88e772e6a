// Closed (periodic) cubic splines through a cyclic sequence of values, one coordinate at a time.
#pragma once

// One segment: value a + b*u + c*u^2 + d*u^3 for u in [0, 1].
struct Cubic {
  float a, b, c, d;
  Cubic() = default;  // left unset: closed_spline fills every segment that is evaluated
  Cubic(float a_, float b_, float c_, float d_) : a(a_), b(b_), c(c_), d(d_) {}
};

// Fills segments[0..n] from values[0..n]; segment k runs from values[k] to values[k + 1],
// segment n from values[n] back to values[0], with first and second derivatives continuous
// everywhere. Every intermediate is a float; each formula is evaluated in double and rounded
// once when stored. n = 0 gives the constant segment (values[0], 0, 0, 0). Requires n < 100.
void closed_spline(int n, const float* values, Cubic* segments);

// ((d*u + c)*u + b)*u + a in double, not rounded to float.
inline double cubic_eval(const Cubic& cubic, float u) {
  const double t = u;
  return ((static_cast<double>(cubic.d) * t + cubic.c) * t + cubic.b) * t + cubic.a;
}
