// The solid sphere and cone, each compiled once per size into a display list and replayed after.
#pragma once

// A filled sphere about the origin of the current frame.
void solid_sphere(double radius);

// A filled cone, base circle in the plane z = 0, apex at (0, 0, height); the base is open.
void solid_cone(double base, double height);

// Forgets every cached list, so that a fresh GL context starts without them. The viewer never
// calls it: its lists live as long as the process.
void clear_shape_list_cache();
