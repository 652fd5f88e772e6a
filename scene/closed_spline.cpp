// Periodic tridiagonal solve for the derivatives at the points, then one Hermite cubic per point.
#include "scene/closed_spline.h"

#include "scene/scene_store.h"

namespace {

// Rounds a double-precision result to the float it is stored as.
inline float f(double value) { return static_cast<float>(value); }

}  // namespace

void closed_spline(int n, const float* values, Cubic* segments) {
  if (n <= 0) {  // a single point: the curve stays on it
    segments[0] = Cubic(values[0], 0.0f, 0.0f, 0.0f);
    return;
  }
  // Scratch of one call; n + 1 never exceeds MAX_SITES. w[0] and v[0] are never used.
  float w[MAX_SITES], v[MAX_SITES], y[MAX_SITES], D[MAX_SITES];
  using d = double;

  float z = 0.25f;
  w[1] = z;
  v[1] = z;
  y[0] = f(d(z) * 3 * (d(values[1]) - values[n]));
  float H = 4.0f;
  float F = f(3 * (d(values[0]) - values[n - 1]));
  float G = 1.0f;
  for (int k = 1; k <= n - 1; ++k) {
    z = f(1 / (4 - d(v[k])));
    v[k + 1] = z;
    w[k + 1] = f(-d(z) * w[k]);
    y[k] = f((3 * (d(values[k + 1]) - values[k - 1]) - y[k - 1]) * z);
    H = f(H - d(G) * w[k]);
    F = f(F - d(G) * y[k - 1]);
    G = f(-d(v[k]) * G);
  }
  H = f(H - (d(G) + 1) * (d(v[n]) + w[n]));
  y[n] = f(F - (d(G) + 1) * y[n - 1]);
  D[n] = f(d(y[n]) / H);
  D[n - 1] = f(y[n - 1] - (d(v[n]) + w[n]) * D[n]);
  for (int k = n - 2; k >= 0; --k) D[k] = f(d(y[k]) - d(v[k + 1]) * D[k + 1] - d(w[k + 1]) * D[n]);

  for (int k = 0; k <= n; ++k) {
    const int next = k < n ? k + 1 : 0;
    const d p = values[k], q = values[next];
    segments[k] = Cubic(values[k], D[k], f(3 * (q - p) - 2 * d(D[k]) - D[next]),
                        f(2 * (p - q) + D[k] + D[next]));
  }
}
