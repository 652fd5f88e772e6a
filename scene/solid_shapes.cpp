// Display-list cache of the solid shapes: one list per shape kind and size, compiled on first use.
#include "scene/solid_shapes.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace {

constexpr GLint SPHERE_SLICES = 16;
constexpr GLint SPHERE_STACKS = 16;
constexpr GLint CONE_SLICES = 15;
constexpr GLint CONE_STACKS = 10;
constexpr int MAX_PARAMETERS = 2;

// One compiled shape; entries of a kind form a singly linked list, newest first.
struct ShapeListEntry {
  GLuint list;                         // display-list name from glGenLists
  ShapeListEntry* next;                // older entry of the same kind, or nullptr
  int parameter_count;                 // 1 for the sphere, 2 for the cone
  double parameters[MAX_PARAMETERS];   // sphere: radius; cone: base radius, height
};

enum ShapeKind { SPHERE, CONE, SHAPE_KINDS };

ShapeListEntry* shape_list_cache[SHAPE_KINDS] = {};  // head of each kind's list

// The entry whose parameters equal these exactly, or nullptr.
const ShapeListEntry* find_entry(ShapeKind kind, int count, const double* parameters) {
  for (const ShapeListEntry* e = shape_list_cache[kind]; e != nullptr; e = e->next) {
    bool same = e->parameter_count == count;
    for (int k = 0; same && k < count; ++k) same = e->parameters[k] == parameters[k];
    if (same) return e;
  }
  return nullptr;
}

// Replays the cached list of this kind and size, or compiles a new one and draws it at once.
template <typename Draw>
void cached_shape(ShapeKind kind, int count, const double* parameters, Draw draw) {
  if (const ShapeListEntry* entry = find_entry(kind, count, parameters)) {
    glCallList(entry->list);
    return;
  }
  auto* entry = new ShapeListEntry{glGenLists(1), shape_list_cache[kind], count, {}};
  for (int k = 0; k < count; ++k) entry->parameters[k] = parameters[k];
  shape_list_cache[kind] = entry;

  glNewList(entry->list, GL_COMPILE_AND_EXECUTE);
    GLUquadric* quadric = gluNewQuadric();
    gluQuadricDrawStyle(quadric, GLU_FILL);
    gluQuadricNormals(quadric, GLU_SMOOTH);
    draw(quadric);
  glEndList();
  gluDeleteQuadric(quadric);  // the list holds the geometry; the quadric is no longer needed
}

}  // namespace

void solid_sphere(double radius) {
  const double key[] = {radius};
  cached_shape(SPHERE, 1, key, [&](GLUquadric* q) { gluSphere(q, radius, SPHERE_SLICES, SPHERE_STACKS); });
}

void solid_cone(double base, double height) {
  const double key[] = {base, height};
  cached_shape(CONE, 2, key,
               [&](GLUquadric* q) { gluCylinder(q, base, 0.0, height, CONE_SLICES, CONE_STACKS); });
}

void clear_shape_list_cache() {
  for (ShapeListEntry*& head : shape_list_cache)
    while (head != nullptr) {
      ShapeListEntry* next = head->next;
      delete head;
      head = next;
    }
}
