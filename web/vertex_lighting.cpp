// The fixed-function lighting equation for one vertex.
#include "web/vertex_lighting.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double PI = 3.14159265358979323846;

double dot(const double a[3], const double b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

void normalise(double v[3]) {
  const double length = std::sqrt(dot(v, v));
  if (length > 0)
    for (int k = 0; k < 3; ++k) v[k] /= length;
}

// Spotlight factor of a light toward a vertex; 1 for a light that is not a spot.
double spot_factor(const Light& light, const double to_vertex[3]) {
  if (light.spot_cutoff >= 180.0) return 1.0;
  double direction[3] = {light.spot_direction[0], light.spot_direction[1], light.spot_direction[2]};
  normalise(direction);
  return dot(to_vertex, direction) >= std::cos(light.spot_cutoff * PI / 180.0) ? 1.0 : 0.0;
}

}  // namespace

void light_vertex(const Lighting& lighting, const double eye[4], const double n[3], float colour[4]) {
  const Material& m = lighting.front;
  double sum[3];
  for (int k = 0; k < 3; ++k) sum[k] = m.emission[k] + lighting.model_ambient[k] * m.ambient[k];

  for (const Light& light : lighting.lights) {
    if (!light.on) continue;
    double to_light[3];
    for (int k = 0; k < 3; ++k)
      to_light[k] = light.position[3] != 0.0 ? light.position[k] / light.position[3] - eye[k] / eye[3]
                                             : light.position[k];
    normalise(to_light);
    const double to_vertex[3] = {-to_light[0], -to_light[1], -to_light[2]};
    const double spot = spot_factor(light, to_vertex);
    const double diffuse = std::max(dot(n, to_light), 0.0);
    double specular = 0.0;
    if (diffuse > 0.0) {
      double half[3] = {to_light[0], to_light[1], to_light[2] + 1.0};  // the viewer along +z
      normalise(half);
      specular = std::pow(std::max(dot(n, half), 0.0), m.shininess);
    }
    for (int k = 0; k < 3; ++k)
      sum[k] += spot * (light.ambient[k] * m.ambient[k] + diffuse * light.diffuse[k] * m.diffuse[k] +
                        specular * light.specular[k] * m.specular[k]);
  }
  for (int k = 0; k < 3; ++k) colour[k] = static_cast<float>(std::clamp(sum[k], 0.0, 1.0));
  colour[3] = static_cast<float>(std::clamp(m.diffuse[3], 0.0, 1.0));
}
