// Periodic tridiagonal solve for the derivatives at the points, then one Hermite cubic per point.
#include "scene/closed_spline.h"

#include "scene/scene_store.h"

namespace {

using d = double;

// Rounds a double-precision result to the float it is stored as.
inline float f(double value) { return static_cast<float>(value); }

// The elimination's factors depend on the position k alone, never on the values or on n: the sweep
// for n runs the same recurrences for k = 1 .. n - 1 and stops. They are computed once, by the very
// formulas of the sweep, so every stored float is the one a sweep of its own would store.
struct EliminationFactors {
  float v[MAX_SITES];  // v[k]: 0.25, then 1 / (4 - v[k - 1]); also the z of pass k - 1
  float w[MAX_SITES];  // w[k]: 0.25, then -v[k] * w[k - 1]
  float G[MAX_SITES];  // G as pass k begins: 1, then -v[k - 1] * G
  float H[MAX_SITES];  // H after the sweep for n = k, its closing step included
  double vw[MAX_SITES];  // v[k] + w[k] in double, as the closing steps use it unrounded
};

EliminationFactors eliminate() {
  EliminationFactors e{};
  float z = 0.25f;
  e.w[1] = z;
  e.v[1] = z;
  float H = 4.0f, G = 1.0f;
  for (int k = 1; k < MAX_SITES; ++k) {
    e.G[k] = G;
    e.vw[k] = d(e.v[k]) + e.w[k];
    e.H[k] = f(H - (d(G) + 1) * e.vw[k]);  // the closing step of a sweep that ends at n = k
    if (k + 1 == MAX_SITES) break;
    z = f(1 / (4 - d(e.v[k])));
    e.v[k + 1] = z;
    e.w[k + 1] = f(-d(z) * e.w[k]);
    H = f(H - d(G) * e.w[k]);
    G = f(-d(e.v[k]) * G);
  }
  return e;
}

// The Hermite cubic from one value to the next with the given end slopes; c and d in double from
// left to right, each rounded to float once.
inline Cubic hermite(float from, float to, float slope_from, float slope_to) {
  const d p = from, q = to;
  return Cubic(from, slope_from, f(3 * (q - p) - 2 * d(slope_from) - slope_to),
               f(2 * (p - q) + slope_from + slope_to));
}

const EliminationFactors& factors() {
  static const EliminationFactors e = eliminate();
  return e;
}

}  // namespace

void closed_spline(int n, const float* values, Cubic* segments) {
  if (n <= 0) {  // a single point: the curve stays on it
    segments[0] = Cubic(values[0], 0.0f, 0.0f, 0.0f);
    return;
  }
  const EliminationFactors& e = factors();
  // Scratch of one call; n + 1 never exceeds MAX_SITES.
  float y[MAX_SITES], D[MAX_SITES];

  // Forward sweep: only the right-hand side y and the corner sum F depend on the values.
  y[0] = f(d(0.25f) * 3 * (d(values[1]) - values[n]));
  float F = f(3 * (d(values[0]) - values[n - 1]));
  for (int k = 1; k <= n - 1; ++k) {
    y[k] = f((3 * (d(values[k + 1]) - values[k - 1]) - y[k - 1]) * e.v[k + 1]);
    F = f(F - d(e.G[k]) * y[k - 1]);
  }
  const d G_plus_1 = d(e.G[n]) + 1;
  y[n] = f(F - G_plus_1 * y[n - 1]);
  D[n] = f(d(y[n]) / e.H[n]);
  D[n - 1] = f(y[n - 1] - e.vw[n] * D[n]);
  // Backward sweep; each segment is made as soon as the slopes at both its ends are known, which
  // lets that work run in the shadow of the sweep's chain of dependent steps.
  segments[n - 1] = hermite(values[n - 1], values[n], D[n - 1], D[n]);
  for (int k = n - 2; k >= 0; --k) {
    D[k] = f(d(y[k]) - d(e.v[k + 1]) * D[k + 1] - d(e.w[k + 1]) * D[n]);
    segments[k] = hermite(values[k], values[k + 1], D[k], D[k + 1]);
  }
  segments[n] = hermite(values[n], values[0], D[n], D[0]);  // closes the curve
}
