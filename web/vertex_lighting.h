// OpenGL's fixed-function lighting equation, evaluated per vertex in eye space as OpenGL 1 does it.
#pragma once

constexpr int LIGHT_COUNT = 8;

struct Light {
  bool on = false;
  double ambient[4] = {0, 0, 0, 1};
  double diffuse[4] = {0, 0, 0, 1};        // light 0: white
  double specular[4] = {0, 0, 0, 1};       // light 0: white
  double position[4] = {0, 0, 1, 0};       // eye space: transformed when it was given
  double spot_direction[3] = {0, 0, -1};   // eye space
  double spot_cutoff = 180.0;              // degrees; 180 = no spot
};

struct Material {
  double ambient[4] = {0.2, 0.2, 0.2, 1};
  double diffuse[4] = {0.8, 0.8, 0.8, 1};
  double specular[4] = {0, 0, 0, 1};
  double emission[4] = {0, 0, 0, 1};
  double shininess = 0.0;
};

struct Lighting {
  Light lights[LIGHT_COUNT];
  Material front;                                // also lights back faces: no two-sided lighting
  double model_ambient[4] = {0.2, 0.2, 0.2, 1};
};

// The colour of a vertex at eye-space position (x, y, z, w) with eye-space normal n, clamped to [0, 1]
// as OpenGL clamps lit colours: non-local viewer, no attenuation, one-sided.
void light_vertex(const Lighting& lighting, const double eye[4], const double n[3], float colour[4]);
