// Display-list cache of the solid shapes.
#include "scene/solid_shapes.h"

void solid_sphere(double) {}
void solid_cone(double, double) {}
void clear_shape_list_cache() {}
